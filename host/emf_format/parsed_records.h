#pragma once

#include "host/emf_format/emf_types.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The records of a checked metafile as typed values: what the parser returns and the
// player draws from. Every value was read from inside its record, every object slot
// lies inside the header's table, and logical coordinates are clamped to
// coordinateLimit, so no sum or difference of two of them can overflow.
namespace dorvek::host::emf_format {

inline constexpr std::int32_t coordinateLimit = 1 << 30;

// A pen as drawn: invisible for the null style or a null brush; width in logical
// units, never negative, 0 for one device pixel at any scale.
struct Pen {
    bool visible = true;
    std::int32_t width = 0;
    ColourRef colour;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class Hatch : std::uint8_t {
    Horizontal,
    Vertical,
    ForwardDiagonal,
    BackwardDiagonal,
    Cross,
    DiagonalCross
};

struct Brush {
    enum class Style : std::uint8_t { Solid, Null, Hatched };
    Style style = Style::Solid;
    ColourRef colour = rgb(255, 255, 255);
    Hatch hatch = Hatch::Horizontal; // for Hatched only
    friend bool operator==(const Brush&, const Brush&) = default;
};

namespace record {

struct SetBackgroundMode {
    BackgroundMode mode;
};
struct SetPolygonFillMode {
    PolygonFillMode mode;
};
struct SetTextAlign {
    std::uint32_t align;
};
struct SetTextColour {
    ColourRef colour;
};
struct SetBackgroundColour {
    ColourRef colour;
};
struct MoveTo {
    Point point;
};
struct LineTo {
    Point point;
};
struct IntersectClip {
    Rect rect;
};
struct ExcludeClip {
    Rect rect;
};
struct SaveState {};
struct RestoreState {
    std::int32_t relative;
};

struct CreatePen {
    std::uint32_t slot;
    Pen pen;
};
struct CreateBrush {
    std::uint32_t slot;
    Brush brush;
};
struct CreateFont {
    std::uint32_t slot;
    LogFont font;
};
// A palette, a pattern brush or a colour space: never drawn with, but the slot now
// holds it instead of what it held before.
struct CreateUnused {
    std::uint32_t slot;
};
struct SelectObject {
    std::uint32_t slot;
};
// The stock objects, as the player draws with them.
struct SelectStockPen {
    Pen pen;
};
struct SelectStockBrush {
    Brush brush;
};
struct SelectStockFont {};
struct DeleteObject {
    std::uint32_t slot;
};

struct Rectangle {
    Rect box;
};
struct Polygon {
    std::vector<Point> points;
};
struct Polyline {
    std::vector<Point> points;
};
// A polyline from the current position.
struct PolylineTo {
    std::vector<Point> points;
};
// One line of UTF-16 text with one advance, in logical units, per code unit.
struct TextOut {
    Point reference;
    std::u16string text;
    std::vector<std::int32_t> advances;
    std::uint32_t options = 0;
    Rect rectangle; // for the opaque and clipped options
};

} // namespace record

using Record =
    std::variant<record::SetBackgroundMode, record::SetPolygonFillMode, record::SetTextAlign,
                 record::SetTextColour, record::SetBackgroundColour, record::MoveTo, record::LineTo,
                 record::IntersectClip, record::ExcludeClip, record::SaveState,
                 record::RestoreState, record::CreatePen, record::CreateBrush, record::CreateFont,
                 record::CreateUnused, record::SelectObject, record::SelectStockPen,
                 record::SelectStockBrush, record::SelectStockFont, record::DeleteObject,
                 record::Rectangle, record::Polygon, record::Polyline, record::PolylineTo,
                 record::TextOut>;

} // namespace dorvek::host::emf_format
