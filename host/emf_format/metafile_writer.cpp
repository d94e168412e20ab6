#include "metafile_writer.h"

#include "host/emf_format/little_endian.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <limits>
#include <utility>

namespace dorvek::host::emf {
namespace {

constexpr std::size_t headerBytesField = 48;
constexpr std::size_t headerRecordsField = 52;
constexpr std::size_t headerHandlesField = 56;

void appendRect(ByteAppender& out, const Rect& rect) {
    out.i32(rect.left);
    out.i32(rect.top);
    out.i32(rect.right);
    out.i32(rect.bottom);
}

void appendSize(ByteAppender& out, const Size& size) {
    out.i32(size.width);
    out.i32(size.height);
}

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

MetafileWriter::MetafileWriter(const HeaderFields& header) {
    begin(RecordType::Header);
    ByteAppender out(bytes_);
    appendRect(out, header.bounds);
    appendRect(out, header.frame);
    out.u32(signature);
    out.u32(formatVersion);
    out.u32(0); // bytes, records and handles: completed by finish()
    out.u32(0);
    out.u16(0);
    out.u16(0); // reserved
    out.u32(0); // no description
    out.u32(0);
    out.u32(0); // no palette
    appendSize(out, header.referencePixels);
    appendSize(out, header.referenceMillimetres);
    out.u32(0); // no pixel format
    out.u32(0);
    out.u32(0); // no OpenGL
    appendSize(out, header.referenceMicrometres);
    end();
}

void MetafileWriter::begin(RecordType type) {
    recordStart_ = bytes_.size();
    ByteAppender out(bytes_);
    out.u32(static_cast<std::uint32_t>(type));
    out.u32(0);
}

void MetafileWriter::end() {
    // Every record is a whole number of 32-bit words.
    ByteAppender(bytes_).zeros((4 - bytes_.size() % 4) % 4);
    patchU32(bytes_, recordStart_ + 4, static_cast<std::uint32_t>(bytes_.size() - recordStart_));
    ++records_;
}

void MetafileWriter::useHandle(std::uint32_t handle) {
    if ((handle & stockObjectBit) == 0) {
        handles_ = std::max(handles_, handle + 1);
    }
}

void MetafileWriter::record(RecordType type, std::span<const std::byte> body) {
    begin(type);
    ByteAppender(bytes_).bytes(body);
    end();
}

void MetafileWriter::comment(std::span<const std::byte> data) {
    begin(RecordType::GdiComment);
    ByteAppender out(bytes_);
    out.u32(static_cast<std::uint32_t>(data.size()));
    out.bytes(data);
    end();
}

void MetafileWriter::saveState() {
    begin(RecordType::SaveState);
    end();
}

void MetafileWriter::restoreState(std::int32_t relative) {
    begin(RecordType::RestoreState);
    ByteAppender(bytes_).i32(relative);
    end();
}

void MetafileWriter::setTextColour(ColourRef colour) {
    begin(RecordType::SetTextColour);
    ByteAppender(bytes_).u32(colour);
    end();
}

void MetafileWriter::setBackgroundColour(ColourRef colour) {
    begin(RecordType::SetBackgroundColour);
    ByteAppender(bytes_).u32(colour);
    end();
}

void MetafileWriter::setBackgroundMode(BackgroundMode mode) {
    begin(RecordType::SetBackgroundMode);
    ByteAppender(bytes_).u32(static_cast<std::uint32_t>(mode));
    end();
}

void MetafileWriter::setRasterOperation(std::uint32_t operation) {
    begin(RecordType::SetRasterOperation);
    ByteAppender(bytes_).u32(operation);
    end();
}

void MetafileWriter::setTextAlign(std::uint32_t align) {
    begin(RecordType::SetTextAlign);
    ByteAppender(bytes_).u32(align);
    end();
}

void MetafileWriter::intersectClip(const Rect& clip) {
    begin(RecordType::IntersectClipRect);
    ByteAppender out(bytes_);
    appendRect(out, clip);
    end();
}

void MetafileWriter::createPen(std::uint32_t handle, PenStyle style, std::int32_t width,
                               ColourRef colour) {
    useHandle(handle);
    begin(RecordType::CreatePen);
    ByteAppender out(bytes_);
    out.u32(handle);
    out.u32(static_cast<std::uint32_t>(style));
    out.i32(width);
    out.i32(0); // the width's unused y
    out.u32(colour);
    end();
}

void MetafileWriter::createBrush(std::uint32_t handle, BrushStyle style, ColourRef colour) {
    useHandle(handle);
    begin(RecordType::CreateBrush);
    ByteAppender out(bytes_);
    out.u32(handle);
    out.u32(static_cast<std::uint32_t>(style));
    out.u32(colour);
    out.u32(0); // no hatch
    end();
}

void MetafileWriter::createFont(std::uint32_t handle, const LogFont& font) {
    assert(font.faceName.size() < faceNameCharacters);
    useHandle(handle);
    begin(RecordType::CreateFont);
    ByteAppender out(bytes_);
    out.u32(handle);
    out.i32(font.height);
    out.i32(font.width);
    out.i32(font.escapement);
    out.i32(font.orientation);
    out.i32(font.weight);
    for (std::uint8_t byte :
         {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
          font.clipPrecision, font.quality, font.pitchAndFamily}) {
        out.u8(byte);
    }
    const std::size_t faceCharacters = std::min<std::size_t>(font.faceName.size(), 31);
    for (std::size_t i = 0; i < faceCharacters; ++i) {
        out.u16(font.faceName[i]);
    }
    out.zeros(2 * (faceNameCharacters - faceCharacters));
    // Full name (64), style (32) and script (32) are empty; the design vector has no axes.
    out.zeros(2 * (64 + 32 + 32));
    out.u32(designVectorSignature);
    out.u32(0);
    end();
}

void MetafileWriter::selectObject(std::uint32_t handle) {
    begin(RecordType::SelectObject);
    ByteAppender(bytes_).u32(handle);
    end();
}

void MetafileWriter::selectPalette(std::uint32_t handle) {
    begin(RecordType::SelectPalette);
    ByteAppender(bytes_).u32(handle);
    end();
}

void MetafileWriter::deleteObject(std::uint32_t handle) {
    begin(RecordType::DeleteObject);
    ByteAppender(bytes_).u32(handle);
    end();
}

void MetafileWriter::moveTo(Point point) {
    begin(RecordType::MoveTo);
    ByteAppender out(bytes_);
    out.i32(point.x);
    out.i32(point.y);
    end();
}

void MetafileWriter::lineTo(Point point) {
    begin(RecordType::LineTo);
    ByteAppender out(bytes_);
    out.i32(point.x);
    out.i32(point.y);
    end();
}

void MetafileWriter::rectangle(const Rect& box) {
    begin(RecordType::Rectangle);
    ByteAppender out(bytes_);
    appendRect(out, box);
    end();
}

void MetafileWriter::points16(std::span<const Point> points) {
    ByteAppender out(bytes_);
    appendRect(out, boxOf(points));
    out.u32(static_cast<std::uint32_t>(points.size()));
    for (const Point& point : points) {
        assert(point.x >= INT16_MIN && point.x <= INT16_MAX);
        assert(point.y >= INT16_MIN && point.y <= INT16_MAX);
        out.i16(static_cast<std::int16_t>(point.x));
        out.i16(static_cast<std::int16_t>(point.y));
    }
}

void MetafileWriter::polygon16(std::span<const Point> points) {
    begin(RecordType::Polygon16);
    points16(points);
    end();
}

void MetafileWriter::polyline16(std::span<const Point> points) {
    begin(RecordType::Polyline16);
    points16(points);
    end();
}

void MetafileWriter::textOut(Point reference, std::u16string_view text,
                             std::span<const std::int32_t> advances, const Rect& bounds,
                             float scale) {
    assert(advances.size() == text.size());
    const auto characters = static_cast<std::uint32_t>(text.size());
    const std::uint32_t stringBytes = (2 * characters + 3) / 4 * 4;
    begin(RecordType::TextOut);
    ByteAppender out(bytes_);
    appendRect(out, bounds);
    out.u32(compatibleGraphicsMode);
    out.f32(scale);
    out.f32(scale);
    out.i32(reference.x);
    out.i32(reference.y);
    out.u32(characters);
    out.u32(textOutFixedSize);           // the string follows the fixed part
    out.u32(0);                          // no options
    appendRect(out, Rect{0, 0, -1, -1}); // no clipping rectangle
    out.u32(textOutFixedSize + stringBytes);
    for (char16_t character : text) {
        out.u16(character);
    }
    out.zeros(stringBytes - 2 * characters);
    for (std::int32_t advance : advances) {
        out.i32(advance);
    }
    end();
}

std::vector<std::byte> MetafileWriter::finish() {
    begin(RecordType::EndOfFile);
    ByteAppender out(bytes_);
    out.u32(0);             // no palette entries
    out.u32(16);            // where they would begin
    out.u32(endOfFileSize); // this record's size, repeated at its end
    end();
    patchU32(bytes_, headerBytesField, static_cast<std::uint32_t>(bytes_.size()));
    patchU32(bytes_, headerRecordsField, records_);
    bytes_[headerHandlesField] = static_cast<std::byte>(handles_);
    bytes_[headerHandlesField + 1] = static_cast<std::byte>(handles_ >> 8);
    return std::move(bytes_);
}

} // namespace dorvek::host::emf
