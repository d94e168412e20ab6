#pragma once

#include "host/emf_format/emf_types.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace dorvek::host::emf_format {

namespace layout {
template <class T>
struct Field;
}

// What the header says about the picture and the device it was made for.
struct HeaderFields {
    Rect bounds; // inclusive, in reference-device pixels
    Rect frame;  // in hundredths of a millimetre
    Size referencePixels;
    Size referenceMillimetres;
    Size referenceMicrometres;
};

// Writes an enhanced metafile record by record. The header goes first and is
// completed by finish(), so its size, record count and handle count always
// describe the bytes actually written.
//
//     MetafileWriter writer(fields);
//     writer.createPen(1, PenStyle::Solid, 0, rgb(0, 0, 0));
//     writer.selectObject(1);
//     writer.moveTo({0, 0});
//     writer.lineTo({10, 0});
//     std::vector<std::byte> metafile = writer.finish();
class MetafileWriter {
public:
    explicit MetafileWriter(const HeaderFields& header);

    void comment(std::span<const std::byte> data);

    void saveState();
    void restoreState(std::int32_t relative = -1);
    void setTextColour(ColourRef colour);
    void setBackgroundColour(ColourRef colour);
    void setBackgroundMode(BackgroundMode mode);
    void setRasterOperation(std::uint32_t operation);
    void intersectClip(const Rect& clip);

    // Object handles are slots of the metafile's table, from 1; slot 0 is the metafile.
    void createPen(std::uint32_t handle, PenStyle style, std::int32_t width, ColourRef colour);
    void createBrush(std::uint32_t handle, BrushStyle style, ColourRef colour);
    void createFont(std::uint32_t handle, const LogFont& font);
    void selectObject(std::uint32_t handle);
    void selectPalette(std::uint32_t handle);
    void deleteObject(std::uint32_t handle);

    void moveTo(Point point);
    void lineTo(Point point);
    void rectangle(const Rect& box);
    void polygon16(std::span<const Point> points);
    void polyline16(std::span<const Point> points);

    // One line of UTF-16 text from its reference point, each character followed by
    // its recorded advance; bounds is the inclusive box the text covers.
    void textOut(Point reference, std::u16string_view text, std::span<const std::int32_t> advances,
                 const Rect& bounds, float scale);

    // Any record, its body following type and size: the tests write unknown and
    // malformed records with it.
    void record(RecordType type, std::span<const std::byte> body);

    // Appends EMR_EOF and completes the header.
    std::vector<std::byte> finish();

private:
    // A record of type whose fixed part, zeroed, is fixedSize bytes long; the fields
    // are put into it and anything variable appended before end().
    void begin(RecordType type, std::size_t fixedSize);
    template <class T>
    void put(layout::Field<T> field, const T& value);
    void end();
    void oneValue(RecordType type, std::uint32_t value);
    void onePoint(RecordType type, Point point);
    void oneRect(RecordType type, const Rect& rect);
    void useHandle(std::uint32_t handle);
    void points16(RecordType type, std::span<const Point> points);

    std::vector<std::byte> bytes_;
    std::size_t recordStart_ = 0;
    std::uint32_t records_ = 0;
    std::uint32_t handles_ = 1;
};

} // namespace dorvek::host::emf_format
