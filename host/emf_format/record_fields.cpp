#include "record_fields.h"

#include "record_reader.h"

#include <algorithm>
#include <cstdlib>

namespace dorvek::host::emf_format {

std::int32_t clamped(std::int32_t coordinate) {
    return std::clamp(coordinate, -coordinateLimit, coordinateLimit);
}
Point clamped(Point point) {
    return {clamped(point.x), clamped(point.y)};
}
Rect clamped(Rect rect) {
    return {clamped(rect.left), clamped(rect.top), clamped(rect.right), clamped(rect.bottom)};
}

std::vector<Point> readPoints(const RecordReader& record, bool sixteenBit) {
    const std::uint32_t count = record.read(layout::poly::count);
    std::vector<Point> points;
    // No more than the record can hold, whatever the count says: it is checked next.
    points.reserve(std::min<std::size_t>(count, record.size() / encodedSize<Point16>));
    const auto add = [&points](auto point) {
        points.push_back(clamped(Point{point.x, point.y}));
    };
    if (sixteenBit) {
        record.readEach<Point16>(layout::poly::points, count, add);
    } else {
        record.readEach<Point>(layout::poly::points, count, add);
    }
    return points;
}

Pen readPen(const RecordReader& record) {
    namespace pen = layout::create_pen;
    record.requireSize(pen::fixedSize);
    const std::uint32_t style = record.read(pen::style) & 0x0F;
    const std::int64_t width = std::abs(std::int64_t{record.read(pen::width).x});
    return {style != static_cast<std::uint32_t>(PenStyle::Null),
            static_cast<std::int32_t>(std::min<std::int64_t>(width, coordinateLimit)),
            record.read(pen::colour)};
}

// A cosmetic pen is one device pixel whatever its width; a geometric one is as wide
// as it says. A null brush draws nothing either.
Pen readExtendedPen(const RecordReader& record) {
    namespace pen = layout::create_extended_pen;
    record.requireSize(pen::fixedSize);
    const std::uint32_t style = record.read(pen::style);
    const bool geometric = (style & 0x000F0000) == 0x00010000;
    const bool nullBrush =
        record.read(pen::brushStyle) == static_cast<std::uint32_t>(BrushStyle::Null);
    return {(style & 0x0F) != static_cast<std::uint32_t>(PenStyle::Null) && !nullBrush,
            geometric ? static_cast<std::int32_t>(
                            std::min<std::uint32_t>(record.read(pen::width), coordinateLimit))
                      : 0,
            record.read(pen::colour)};
}

Brush readBrush(const RecordReader& record) {
    namespace brush = layout::create_brush;
    record.requireSize(brush::fixedSize);
    const std::uint32_t style = record.read(brush::style);
    Brush result{Brush::Style::Solid, record.read(brush::colour), Hatch::Horizontal};
    if (style == static_cast<std::uint32_t>(BrushStyle::Null)) {
        result.style = Brush::Style::Null;
    } else if (style == static_cast<std::uint32_t>(BrushStyle::Hatched)) {
        result.style = Brush::Style::Hatched;
        result.hatch = static_cast<Hatch>(std::min<std::uint32_t>(
            record.read(brush::hatch), static_cast<std::uint32_t>(Hatch::DiagonalCross)));
    }
    return result;
}

LogFont readLogFont(const RecordReader& record) {
    namespace fields = layout::log_font;
    record.requireSize(layout::create_font::minimumSize);
    LogFont font;
    std::size_t at = layout::create_font::logFont + fields::integers;
    for (std::int32_t* value :
         {&font.height, &font.width, &font.escapement, &font.orientation, &font.weight}) {
        *value = record.read(layout::Field<std::int32_t>{at});
        at += sizeof *value;
    }
    at = layout::create_font::logFont + fields::bytes;
    for (std::uint8_t* value :
         {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
          &font.clipPrecision, &font.quality, &font.pitchAndFamily}) {
        *value = record.read(layout::Field<std::uint8_t>{at++});
    }
    bool ended = false;
    record.readEach<char16_t>(layout::create_font::logFont + fields::faceName,
                              fields::faceNameCharacters, [&](char16_t character) {
                                  ended = ended || character == 0;
                                  if (!ended) {
                                      font.faceName.push_back(character);
                                  }
                              });
    return font;
}

record::TextOut readText(const RecordReader& record) {
    namespace text = layout::text_out;
    record::TextOut result;
    result.reference = clamped(record.read(text::reference));
    const std::uint32_t characters = record.read(text::characters);
    const std::uint32_t stringOffset = record.read(text::stringOffset);
    result.options = record.read(text::options);
    const bool hasRectangle = (result.options & textNoRectangle) == 0;
    if (hasRectangle) {
        result.rectangle = clamped(record.read(text::rectangle));
    }
    const std::uint32_t advancesOffset =
        record.read(hasRectangle ? text::advancesOffset : text::advancesOffsetWithoutRectangle);
    const std::size_t fitting = std::min<std::size_t>(characters, record.size() / 2);
    result.text.reserve(fitting);
    record.readEach<char16_t>(stringOffset, characters,
                              [&](char16_t unit) { result.text.push_back(unit); });
    result.advances.reserve(fitting);
    record.readEach<std::int32_t>(advancesOffset, characters, [&](std::int32_t advance) {
        result.advances.push_back(advance);
    });
    return result;
}

} // namespace dorvek::host::emf_format
