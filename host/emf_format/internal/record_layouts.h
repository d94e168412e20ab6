#pragma once

#include "host/emf_format/emf_types.h"
#include "host/emf_format/little_endian.h"

#include <cstddef>
#include <cstdint>

// Where each field of a record lies, in bytes from the record's start, and how large
// each record's fixed part is: the one home of the layouts that the writer writes and
// the parser reads (MS-EMF 2.3).
namespace dorvek::host::emf_format::layout {

template <class T>
struct Field {
    std::size_t offset;
    constexpr std::size_t end() const { return offset + encodedSize<T>; }
};

// Every record begins with its type and its size in bytes, a multiple of four.
inline constexpr Field<std::uint32_t> type{0};
inline constexpr Field<std::uint32_t> size{4};
inline constexpr std::size_t prefixSize = 8;

namespace header { // EMR_HEADER with both extensions
inline constexpr Field<Rect> bounds{8};
inline constexpr Field<Rect> frame{24};
inline constexpr Field<std::uint32_t> signature{40};
inline constexpr Field<std::uint32_t> version{44};
inline constexpr Field<std::uint32_t> bytes{48};
inline constexpr Field<std::uint32_t> records{52};
inline constexpr Field<std::uint16_t> handles{56};
inline constexpr Field<std::uint32_t> descriptionCharacters{60};
inline constexpr Field<std::uint32_t> descriptionOffset{64};
inline constexpr Field<Size> referencePixels{72};
inline constexpr Field<Size> referenceMillimetres{80};
inline constexpr std::size_t baseSize = 88; // without the extensions
inline constexpr Field<Size> referenceMicrometres{100};
inline constexpr std::size_t fixedSize = 108;
} // namespace header

// The records whose one field is a 32-bit value: a mode, a colour, a handle or a
// relative state.
namespace one_value {
inline constexpr Field<std::uint32_t> value{8};
inline constexpr Field<ColourRef> colour{8};
inline constexpr Field<std::int32_t> relative{8};
inline constexpr std::size_t fixedSize = 12;
} // namespace one_value

namespace one_point { // EMR_MOVETOEX, EMR_LINETO
inline constexpr Field<Point> point{8};
inline constexpr std::size_t fixedSize = 16;
} // namespace one_point

namespace one_rect { // EMR_RECTANGLE and the clip rectangles
inline constexpr Field<Rect> rect{8};
inline constexpr std::size_t fixedSize = 24;
} // namespace one_rect

// Every record that creates an object names its slot first.
inline constexpr Field<std::uint32_t> slot{8};

namespace create_pen { // EMR_CREATEPEN: LOGPEN, whose width is a point of which x counts
inline constexpr Field<std::uint32_t> style{12};
inline constexpr Field<Point> width{16};
inline constexpr Field<ColourRef> colour{24};
inline constexpr std::size_t fixedSize = 28;
} // namespace create_pen

namespace create_extended_pen { // EMR_EXTCREATEPEN, up to the count of its style entries
inline constexpr Field<std::uint32_t> style{28};
inline constexpr Field<std::uint32_t> width{32};
inline constexpr Field<std::uint32_t> brushStyle{36};
inline constexpr Field<ColourRef> colour{40};
inline constexpr std::size_t fixedSize = 52;
} // namespace create_extended_pen

namespace create_brush { // EMR_CREATEBRUSHINDIRECT
inline constexpr Field<std::uint32_t> style{12};
inline constexpr Field<ColourRef> colour{16};
inline constexpr Field<std::uint32_t> hatch{20};
inline constexpr std::size_t fixedSize = 24;
} // namespace create_brush

namespace log_font { // LOGFONTW, from its own start
// Height, width, escapement, orientation and weight, 32 bits each in that order; then
// italic, underline, strike-out, character set, output precision, clip precision,
// quality and pitch-and-family, a byte each.
inline constexpr std::size_t integers = 0;
inline constexpr std::size_t bytes = 20;
inline constexpr std::size_t faceName = 28;
inline constexpr std::size_t faceNameCharacters = 32; // the last one always a NUL
inline constexpr std::size_t size = 92;
} // namespace log_font

namespace create_font { // EMR_EXTCREATEFONTINDIRECTW in its extended form
inline constexpr std::size_t logFont = 12;
inline constexpr std::size_t minimumSize = logFont + log_font::size;
// From the LOGFONTW's end: full name (64 characters), style and script (32 each),
// then the design vector.
inline constexpr Field<std::uint32_t> designVectorSignature{360};
inline constexpr Field<std::uint32_t> designAxes{364};
inline constexpr std::size_t fixedSize = 368;
} // namespace create_font

namespace poly { // EMR_POLYGON, EMR_POLYLINE and their 16-bit and -To forms
inline constexpr Field<Rect> bounds{8};
inline constexpr Field<std::uint32_t> count{24};
inline constexpr std::size_t points = 28; // pairs of 32- or 16-bit coordinates
inline constexpr std::size_t fixedSize = 28;
} // namespace poly

namespace comment { // EMR_GDICOMMENT
inline constexpr Field<std::uint32_t> dataSize{8};
inline constexpr std::size_t data = 12;
inline constexpr std::size_t fixedSize = 12;
} // namespace comment

namespace text_out { // EMR_EXTTEXTOUTW and its EMRTEXT
inline constexpr Field<Rect> bounds{8};
inline constexpr Field<std::uint32_t> graphicsMode{24};
inline constexpr Field<float> scaleX{28};
inline constexpr Field<float> scaleY{32};
inline constexpr Field<Point> reference{36};
inline constexpr Field<std::uint32_t> characters{44};
inline constexpr Field<std::uint32_t> stringOffset{48};
inline constexpr Field<std::uint32_t> options{52};
inline constexpr Field<Rect> rectangle{56};
inline constexpr Field<std::uint32_t> advancesOffset{72};
// With the no-rectangle option the rectangle is left out and the offset moves up.
inline constexpr Field<std::uint32_t> advancesOffsetWithoutRectangle{56};
inline constexpr std::size_t fixedSize = 76;
} // namespace text_out

namespace end_of_file { // EMR_EOF
inline constexpr Field<std::uint32_t> paletteEntries{8};
inline constexpr Field<std::uint32_t> paletteOffset{12};
// Any palette entries from here on, then the record's size again in its last four
// bytes: with no entries, right here.
inline constexpr std::size_t palette = 16;
inline constexpr Field<std::uint32_t> sizeLastWithoutPalette{16};
inline constexpr std::size_t fixedSize = 20;
} // namespace end_of_file

} // namespace dorvek::host::emf_format::layout
