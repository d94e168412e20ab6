#include "record_decoder.h"

#include "record_fields.h"
#include "record_reader.h"

namespace dorvek::host::emf_format {
namespace {

// The stock objects as GDI defines them; the others are fonts.
std::optional<Record> selectStock(StockObject object) {
    const ColourRef black = rgb(0, 0, 0);
    const auto solid = [](ColourRef colour) {
        return record::SelectStockBrush{{Brush::Style::Solid, colour, Hatch::Horizontal}};
    };
    switch (object) {
    case StockObject::WhitePen:
        return record::SelectStockPen{{true, 0, rgb(255, 255, 255)}};
    case StockObject::BlackPen:
    case StockObject::DcPen:
        return record::SelectStockPen{{true, 0, black}};
    case StockObject::NullPen:
        return record::SelectStockPen{{false, 0, black}};
    case StockObject::WhiteBrush:
    case StockObject::DcBrush:
        return solid(rgb(255, 255, 255));
    case StockObject::LightGreyBrush:
        return solid(rgb(192, 192, 192));
    case StockObject::GreyBrush:
        return solid(rgb(128, 128, 128));
    case StockObject::DarkGreyBrush:
        return solid(rgb(64, 64, 64));
    case StockObject::BlackBrush:
        return solid(black);
    case StockObject::NullBrush:
        return record::SelectStockBrush{
            {Brush::Style::Null, rgb(255, 255, 255), Hatch::Horizontal}};
    case StockObject::DefaultPalette:
        return std::nullopt;
    default:
        return record::SelectStockFont{};
    }
}

// Other values leave the mode as it was.
std::optional<Record> backgroundMode(std::uint32_t mode) {
    for (const BackgroundMode known : {BackgroundMode::Transparent, BackgroundMode::Opaque}) {
        if (mode == static_cast<std::uint32_t>(known)) {
            return record::SetBackgroundMode{known};
        }
    }
    return std::nullopt;
}

PolygonFillMode fillMode(std::uint32_t mode) {
    return mode == static_cast<std::uint32_t>(PolygonFillMode::Winding)
               ? PolygonFillMode::Winding
               : PolygonFillMode::Alternate;
}

// No palette is played, but its entries must lie inside the record all the same,
// ahead of the size that its last four bytes repeat.
void checkEndOfFile(const RecordReader& record) {
    namespace end = layout::end_of_file;
    record.requireSize(end::fixedSize);
    const std::uint32_t entries = record.read(end::paletteEntries);
    if (entries != 0) {
        require(fits(record.read(end::paletteOffset), 4ULL * entries, record.size() - 4));
    }
}

} // namespace

std::optional<Record> RecordDecoder::decode(RecordType type, const RecordReader& record) const {
    namespace one = layout::one_value;
    switch (type) {
    case RecordType::Header:
        require(false); // only the first record
        return std::nullopt;
    case RecordType::Polygon:
    case RecordType::Polygon16:
        return record::Polygon{readPoints(record, type == RecordType::Polygon16)};
    case RecordType::Polyline:
    case RecordType::Polyline16:
        return record::Polyline{readPoints(record, type == RecordType::Polyline16)};
    case RecordType::PolylineTo:
    case RecordType::PolylineTo16:
        return record::PolylineTo{readPoints(record, type == RecordType::PolylineTo16)};
    case RecordType::EndOfFile:
        checkEndOfFile(record);
        return std::nullopt;
    case RecordType::SetBackgroundMode:
        return backgroundMode(record.read(one::value));
    case RecordType::SetPolygonFillMode:
        return record::SetPolygonFillMode{fillMode(record.read(one::value))};
    case RecordType::SetRasterOperation: // every operation is drawn as copying the pen
        record.read(one::value);
        return std::nullopt;
    case RecordType::SetTextAlign:
        return record::SetTextAlign{record.read(one::value)};
    case RecordType::SetTextColour:
        return record::SetTextColour{record.read(one::colour)};
    case RecordType::SetBackgroundColour:
        return record::SetBackgroundColour{record.read(one::colour)};
    case RecordType::SaveState:
        return record::SaveState{};
    case RecordType::RestoreState:
        return record::RestoreState{record.read(one::relative)};
    case RecordType::MoveTo:
        return record::MoveTo{clamped(record.read(layout::one_point::point))};
    case RecordType::LineTo:
        return record::LineTo{clamped(record.read(layout::one_point::point))};
    case RecordType::IntersectClipRect:
        return record::IntersectClip{clamped(record.read(layout::one_rect::rect))};
    case RecordType::ExcludeClipRect:
        return record::ExcludeClip{clamped(record.read(layout::one_rect::rect))};
    case RecordType::Rectangle:
        return record::Rectangle{clamped(record.read(layout::one_rect::rect))};
    case RecordType::SelectObject:
        return selectObject(record);
    case RecordType::DeleteObject:
        return deleteObject(record);
    case RecordType::SelectPalette:
        requireObject(record.read(one::value));
        return std::nullopt;
    case RecordType::CreatePen:
        return record::CreatePen{slot(record), readPen(record)};
    case RecordType::CreateExtendedPen:
        return record::CreatePen{slot(record), readExtendedPen(record)};
    case RecordType::CreateBrush:
        return record::CreateBrush{slot(record), readBrush(record)};
    case RecordType::CreateFont:
        return record::CreateFont{slot(record), readLogFont(record)};
    case RecordType::CreatePalette:
    case RecordType::CreateMonochromeBrush:
    case RecordType::CreatePatternBrush:
    case RecordType::CreateColourSpace:
    case RecordType::CreateColourSpaceW:
        return record::CreateUnused{slot(record)};
    case RecordType::GdiComment: // a dual metafile's EMF+ records only repeat what EMF draws
        require(fits(layout::comment::data, record.read(layout::comment::dataSize), record.size()));
        return std::nullopt;
    case RecordType::TextOut:
        return readText(record);
    default:
        return std::nullopt;
    }
}

// Slot 0 is the metafile's own; the others are the header's table.
void RecordDecoder::requireSlot(std::uint32_t handle) const {
    require(handle >= 1 && handle < handles_);
}

std::uint32_t RecordDecoder::slot(const RecordReader& record) const {
    const std::uint32_t handle = record.read(layout::slot);
    requireSlot(handle);
    return handle;
}

void RecordDecoder::requireObject(std::uint32_t handle) const {
    if ((handle & stockObjectBit) != 0) {
        require((handle & ~stockObjectBit) <= lastStockObject);
    } else {
        requireSlot(handle);
    }
}

std::optional<Record> RecordDecoder::selectObject(const RecordReader& record) const {
    const std::uint32_t handle = record.read(layout::one_value::value);
    requireObject(handle);
    if ((handle & stockObjectBit) != 0) {
        return selectStock(static_cast<StockObject>(handle & ~stockObjectBit));
    }
    return record::SelectObject{handle};
}

// Deleting a stock object does nothing.
std::optional<Record> RecordDecoder::deleteObject(const RecordReader& record) const {
    const std::uint32_t handle = record.read(layout::one_value::value);
    requireObject(handle);
    if ((handle & stockObjectBit) != 0) {
        return std::nullopt;
    }
    return record::DeleteObject{handle};
}

} // namespace dorvek::host::emf_format
