#pragma once

#include "host/emf_format/parsed_records.h"

#include <cstdint>
#include <vector>

// The typed values of records' fields, read through a RecordReader, so each read is
// checked against its record. Coordinates are clamped to coordinateLimit.
namespace dorvek::host::emf_format {

class RecordReader;

std::int32_t clamped(std::int32_t coordinate);
Point clamped(Point point);
Rect clamped(Rect rect);

// The points of a poly record, 16-bit or 32-bit.
std::vector<Point> readPoints(const RecordReader& record, bool sixteenBit);
Pen readPen(const RecordReader& record);
Pen readExtendedPen(const RecordReader& record);
Brush readBrush(const RecordReader& record);
LogFont readLogFont(const RecordReader& record);
record::TextOut readText(const RecordReader& record);

} // namespace dorvek::host::emf_format
