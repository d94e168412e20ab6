#pragma once

#include "host/emf_format/emf_types.h"

#include <QColor>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The structured fields of records the parser has checked: each read lies inside its
// record. Logical coordinates are clamped as they are read, so no sum or difference
// of two of them can overflow; no real picture comes near the limit.
namespace dorvek::host::emf {

inline constexpr std::int32_t coordinateLimit = 1 << 30;

std::int32_t coordinate(std::int32_t value);
Point readPoint(std::span<const std::byte> record, std::size_t offset);
Rect readRect(std::span<const std::byte> record, std::size_t offset);
QColor readColour(std::span<const std::byte> record, std::size_t offset);
// The points of a poly record: a count at 24, then pairs of 32- or 16-bit coordinates.
std::vector<Point> readPoints(std::span<const std::byte> record, bool sixteenBit);
LogFont readLogFont(std::span<const std::byte> record, std::size_t offset);

} // namespace dorvek::host::emf
