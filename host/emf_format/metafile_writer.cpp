#include "metafile_writer.h"

#include "host/emf_format/little_endian.h"
#include "record_layouts.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <limits>
#include <utility>

namespace dorvek::host::emf_format {
namespace {

// The inclusive box of a run of points, as the bounds of a poly record.
Rect boxOf(std::span<const Point> points) {
    Rect box{std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
             std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()};
    for (const Point& point : points) {
        box.left = std::min(box.left, point.x);
        box.top = std::min(box.top, point.y);
        box.right = std::max(box.right, point.x);
        box.bottom = std::max(box.bottom, point.y);
    }
    return points.empty() ? Rect{} : box;
}

} // namespace

template <class T>
void MetafileWriter::put(layout::Field<T> field, const T& value) {
    store(bytes_.data() + recordStart_ + field.offset, value);
}

MetafileWriter::MetafileWriter(const HeaderFields& header) {
    namespace fields = layout::header;
    // Bytes, records and handles are completed by finish(); description, palette,
    // pixel format and OpenGL stay empty.
    begin(RecordType::Header, fields::fixedSize);
    put(fields::bounds, header.bounds);
    put(fields::frame, header.frame);
    put(fields::signature, signature);
    put(fields::version, formatVersion);
    put(fields::referencePixels, header.referencePixels);
    put(fields::referenceMillimetres, header.referenceMillimetres);
    put(fields::referenceMicrometres, header.referenceMicrometres);
    end();
}

void MetafileWriter::begin(RecordType type, std::size_t fixedSize) {
    recordStart_ = bytes_.size();
    bytes_.resize(recordStart_ + fixedSize);
    put(layout::type, static_cast<std::uint32_t>(type));
}

void MetafileWriter::end() {
    // Every record is a whole number of 32-bit words.
    ByteAppender(bytes_).zeros((4 - bytes_.size() % 4) % 4);
    put(layout::size, static_cast<std::uint32_t>(bytes_.size() - recordStart_));
    ++records_;
}

void MetafileWriter::oneValue(RecordType type, std::uint32_t value) {
    begin(type, layout::one_value::fixedSize);
    put(layout::one_value::value, value);
    end();
}

void MetafileWriter::onePoint(RecordType type, Point point) {
    begin(type, layout::one_point::fixedSize);
    put(layout::one_point::point, point);
    end();
}

void MetafileWriter::oneRect(RecordType type, const Rect& rect) {
    begin(type, layout::one_rect::fixedSize);
    put(layout::one_rect::rect, rect);
    end();
}

void MetafileWriter::useHandle(std::uint32_t handle) {
    if ((handle & stockObjectBit) == 0) {
        handles_ = std::max(handles_, handle + 1);
    }
}

void MetafileWriter::record(RecordType type, std::span<const std::byte> body) {
    begin(type, layout::prefixSize);
    ByteAppender(bytes_).bytes(body);
    end();
}

void MetafileWriter::comment(std::span<const std::byte> data) {
    begin(RecordType::GdiComment, layout::comment::fixedSize);
    put(layout::comment::dataSize, static_cast<std::uint32_t>(data.size()));
    ByteAppender(bytes_).bytes(data);
    end();
}

void MetafileWriter::saveState() {
    begin(RecordType::SaveState, layout::prefixSize);
    end();
}

void MetafileWriter::restoreState(std::int32_t relative) {
    oneValue(RecordType::RestoreState, static_cast<std::uint32_t>(relative));
}

void MetafileWriter::setTextColour(ColourRef colour) {
    begin(RecordType::SetTextColour, layout::one_value::fixedSize);
    put(layout::one_value::colour, colour);
    end();
}

void MetafileWriter::setBackgroundColour(ColourRef colour) {
    begin(RecordType::SetBackgroundColour, layout::one_value::fixedSize);
    put(layout::one_value::colour, colour);
    end();
}

void MetafileWriter::setBackgroundMode(BackgroundMode mode) {
    oneValue(RecordType::SetBackgroundMode, static_cast<std::uint32_t>(mode));
}

void MetafileWriter::setRasterOperation(std::uint32_t operation) {
    oneValue(RecordType::SetRasterOperation, operation);
}

void MetafileWriter::intersectClip(const Rect& clip) {
    oneRect(RecordType::IntersectClipRect, clip);
}

void MetafileWriter::createPen(std::uint32_t handle, PenStyle style, std::int32_t width,
                               ColourRef colour) {
    namespace pen = layout::create_pen;
    useHandle(handle);
    begin(RecordType::CreatePen, pen::fixedSize);
    put(layout::slot, handle);
    put(pen::style, static_cast<std::uint32_t>(style));
    put(pen::width, Point{width, 0});
    put(pen::colour, colour);
    end();
}

void MetafileWriter::createBrush(std::uint32_t handle, BrushStyle style, ColourRef colour) {
    namespace brush = layout::create_brush;
    useHandle(handle);
    begin(RecordType::CreateBrush, brush::fixedSize);
    put(layout::slot, handle);
    put(brush::style, static_cast<std::uint32_t>(style));
    put(brush::colour, colour);
    end();
}

// The extended form with empty full name, style and script and a design vector of
// no axes: the font is defined by its LOGFONTW alone.
void MetafileWriter::createFont(std::uint32_t handle, const LogFont& font) {
    namespace created = layout::create_font;
    namespace fields = layout::log_font;
    assert(font.faceName.size() < fields::faceNameCharacters);
    useHandle(handle);
    begin(RecordType::CreateFont, created::fixedSize);
    put(layout::slot, handle);
    std::size_t at = created::logFont + fields::integers;
    for (const std::int32_t value :
         {font.height, font.width, font.escapement, font.orientation, font.weight}) {
        put(layout::Field<std::int32_t>{at}, value);
        at += sizeof value;
    }
    at = created::logFont + fields::bytes;
    for (const std::uint8_t value :
         {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
          font.clipPrecision, font.quality, font.pitchAndFamily}) {
        put(layout::Field<std::uint8_t>{at++}, value);
    }
    at = created::logFont + fields::faceName;
    for (const char16_t character : font.faceName.substr(0, fields::faceNameCharacters - 1)) {
        put(layout::Field<char16_t>{at}, character);
        at += sizeof character;
    }
    put(created::designVectorSignature, designVectorSignature);
    put(created::designAxes, 0U);
    end();
}

void MetafileWriter::selectObject(std::uint32_t handle) {
    oneValue(RecordType::SelectObject, handle);
}

void MetafileWriter::selectPalette(std::uint32_t handle) {
    oneValue(RecordType::SelectPalette, handle);
}

void MetafileWriter::deleteObject(std::uint32_t handle) {
    oneValue(RecordType::DeleteObject, handle);
}

void MetafileWriter::moveTo(Point point) {
    onePoint(RecordType::MoveTo, point);
}

void MetafileWriter::lineTo(Point point) {
    onePoint(RecordType::LineTo, point);
}

void MetafileWriter::rectangle(const Rect& box) {
    oneRect(RecordType::Rectangle, box);
}

void MetafileWriter::points16(RecordType type, std::span<const Point> points) {
    begin(type, layout::poly::fixedSize);
    put(layout::poly::bounds, boxOf(points));
    put(layout::poly::count, static_cast<std::uint32_t>(points.size()));
    ByteAppender out(bytes_);
    for (const Point& point : points) {
        assert(point.x >= INT16_MIN && point.x <= INT16_MAX);
        assert(point.y >= INT16_MIN && point.y <= INT16_MAX);
        out.put(Point16{static_cast<std::int16_t>(point.x), static_cast<std::int16_t>(point.y)});
    }
    end();
}

void MetafileWriter::polygon16(std::span<const Point> points) {
    points16(RecordType::Polygon16, points);
}

void MetafileWriter::polyline16(std::span<const Point> points) {
    points16(RecordType::Polyline16, points);
}

// The string follows the fixed part, padded to whole words, then the advances.
void MetafileWriter::textOut(Point reference, std::u16string_view text,
                             std::span<const std::int32_t> advances, const Rect& bounds,
                             float scale) {
    namespace fields = layout::text_out;
    assert(advances.size() == text.size());
    const auto characters = static_cast<std::uint32_t>(text.size());
    const std::uint32_t stringBytes = (2 * characters + 3) / 4 * 4;
    begin(RecordType::TextOut, fields::fixedSize);
    put(fields::bounds, bounds);
    put(fields::graphicsMode, compatibleGraphicsMode);
    put(fields::scaleX, scale);
    put(fields::scaleY, scale);
    put(fields::reference, reference);
    put(fields::characters, characters);
    put(fields::stringOffset, static_cast<std::uint32_t>(fields::fixedSize));
    put(fields::rectangle, Rect{0, 0, -1, -1}); // no options, so no clipping rectangle
    put(fields::advancesOffset, static_cast<std::uint32_t>(fields::fixedSize + stringBytes));
    ByteAppender out(bytes_);
    for (char16_t character : text) {
        out.put(character);
    }
    out.zeros(stringBytes - 2 * characters);
    for (std::int32_t advance : advances) {
        out.put(advance);
    }
    end();
}

std::vector<std::byte> MetafileWriter::finish() {
    namespace eof = layout::end_of_file;
    begin(RecordType::EndOfFile, eof::fixedSize);
    put(eof::paletteOffset, static_cast<std::uint32_t>(eof::palette)); // where entries would be
    put(eof::sizeLastWithoutPalette, static_cast<std::uint32_t>(eof::fixedSize));
    end();
    recordStart_ = 0;
    put(layout::header::bytes, static_cast<std::uint32_t>(bytes_.size()));
    put(layout::header::records, records_);
    put(layout::header::handles, static_cast<std::uint16_t>(handles_));
    return std::move(bytes_);
}

} // namespace dorvek::host::emf_format
