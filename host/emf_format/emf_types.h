#pragma once

#include <cstdint>
#include <string>

// The parts of MS-EMF and MS-EMFPLUS that our pictures use: record types, stock
// objects, mode values and the structures records carry. Where each field lies in a
// record is internal/record_layouts.h's business.
namespace dorvek::host::emf_format {

enum class RecordType : std::uint32_t {
    Header = 1,
    Polygon = 3,
    Polyline = 4,
    PolylineTo = 6,
    EndOfFile = 14,
    SetBackgroundMode = 18,
    SetPolygonFillMode = 19,
    SetRasterOperation = 20,
    SetTextAlign = 22,
    SetTextColour = 24,
    SetBackgroundColour = 25,
    MoveTo = 27,
    ExcludeClipRect = 29,
    IntersectClipRect = 30,
    SaveState = 33,
    RestoreState = 34,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrush = 39,
    DeleteObject = 40,
    Rectangle = 43,
    SelectPalette = 48,
    CreatePalette = 49,
    LineTo = 54,
    GdiComment = 70,
    ExtSelectClipRegion = 75,
    CreateFont = 82,
    TextOut = 84,
    Polygon16 = 86,
    Polyline16 = 87,
    PolylineTo16 = 89,
    CreateMonochromeBrush = 93,
    CreatePatternBrush = 94,
    CreateExtendedPen = 95,
    CreateColourSpace = 99,
    CreateColourSpaceW = 122,
};

inline constexpr std::uint32_t signature = 0x464D4520; // " EMF"
inline constexpr std::uint32_t formatVersion = 0x00010000;
inline constexpr std::uint32_t designVectorSignature = 0x08007664;
inline constexpr std::uint32_t emfPlusSignature = 0x2B464D45; // "EMF+"

// A handle with this bit set names a stock object rather than a slot of the table.
inline constexpr std::uint32_t stockObjectBit = 0x80000000;
enum class StockObject : std::uint32_t {
    WhiteBrush = 0,
    LightGreyBrush = 1,
    GreyBrush = 2,
    DarkGreyBrush = 3,
    BlackBrush = 4,
    NullBrush = 5,
    WhitePen = 6,
    BlackPen = 7,
    NullPen = 8,
    OemFixedFont = 10,
    AnsiFixedFont = 11,
    AnsiVariableFont = 12,
    SystemFont = 13,
    DeviceDefaultFont = 14,
    DefaultPalette = 15,
    SystemFixedFont = 16,
    DefaultGuiFont = 17,
    DcBrush = 18,
    DcPen = 19,
};
inline constexpr std::uint32_t lastStockObject = 19;
constexpr std::uint32_t stockHandle(StockObject object) {
    return stockObjectBit | static_cast<std::uint32_t>(object);
}

enum class PenStyle : std::uint32_t { Solid = 0, Null = 5 };
enum class BrushStyle : std::uint32_t { Solid = 0, Null = 1, Hatched = 2 };
enum class BackgroundMode : std::uint32_t { Transparent = 1, Opaque = 2 };
enum class PolygonFillMode : std::uint32_t { Alternate = 1, Winding = 2 };
inline constexpr std::uint32_t copyPen = 13; // R2_COPYPEN
inline constexpr std::uint32_t compatibleGraphicsMode = 1;

// Text alignment bits (EMR_SETTEXTALIGN): the horizontal and vertical anchors.
inline constexpr std::uint32_t alignUpdateCurrentPosition = 0x01;
inline constexpr std::uint32_t alignRight = 0x02;
inline constexpr std::uint32_t alignCentre = 0x06;
inline constexpr std::uint32_t alignBottom = 0x08;
inline constexpr std::uint32_t alignBaseline = 0x18;
// EMR_EXTTEXTOUTW options.
inline constexpr std::uint32_t textOpaque = 0x02;
inline constexpr std::uint32_t textClipped = 0x04;
inline constexpr std::uint32_t textNoRectangle = 0x100;

// GDI's COLORREF, stored as 0x00BBGGRR.
struct ColourRef {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const ColourRef&, const ColourRef&) = default;
};
constexpr ColourRef rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return {red, green, blue};
}

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// GDI's rectangle: right and bottom are the first column and row outside, except in
// a header's bounds, where they are inclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// LOGFONTW; a face name of at most 31 characters.
struct LogFont {
    std::int32_t height = 0; // negative: the em height; positive: the cell height
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::u16string faceName;
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// EMF+ records carried in comments; none of them draws.
namespace plus {
enum class RecordType : std::uint16_t {
    Header = 0x4001,
    EndOfFile = 0x4002,
    GetDc = 0x4004,
    SetAntiAliasMode = 0x401E,
    SetInterpolationMode = 0x4021,
    SetPixelOffsetMode = 0x4022,
    SetCompositingQuality = 0x4024,
    SetWorldTransform = 0x402A,
    SetPageTransform = 0x4030,
};
inline constexpr std::uint16_t dualFlag = 0x0001;
inline constexpr std::uint32_t graphicsVersion1 = 0xDBC01001;
inline constexpr std::uint32_t videoDisplayFlag = 0x00000001;

// The rendering states an EMF+ reader would draw EMF+ records with.
enum class Unit : std::uint16_t { World = 0, Display = 1, Pixel = 2, Point = 3, Inch = 4 };
enum class PixelOffsetMode : std::uint8_t { Default = 0, HighSpeed, HighQuality, None, Half };
enum class SmoothingMode : std::uint8_t { Default = 0, HighSpeed, HighQuality, None, AntiAlias };
enum class AntiAliasing : bool { Off = false, On = true };
enum class CompositingQuality : std::uint8_t {
    Default = 1,
    HighSpeed,
    HighQuality,
    GammaCorrected,
    AssumeLinear
};
enum class InterpolationMode : std::uint8_t {
    Default = 0,
    LowQuality,
    HighQuality,
    Bilinear,
    Bicubic,
    NearestNeighbour,
    HighQualityBilinear,
    HighQualityBicubic
};
} // namespace plus

} // namespace dorvek::host::emf_format
