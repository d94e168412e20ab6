#pragma once

#include <QColor>
#include <ostream>

namespace dorvek::test {

// A colour as red, green and blue from 0 to 255, the way the platform's display
// settings write one ("192 192 192").
struct Rgb {
    int red;
    int green;
    int blue;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline Rgb rgbOf(const QColor& colour) {
    return {colour.red(), colour.green(), colour.blue()};
}

inline void PrintTo(const Rgb& colour, std::ostream* out) {
    *out << "(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}

// The system colours of the platform's standard scheme of the runtime's time
// ("Windows Standard" of Windows 95 and 98), as its control panel sets them, each
// written once here from that scheme and not from the host's table; the number is
// the colour's index. 25 names no colour. The last four entries came later; they take
// their classic scheme's values.
namespace classic {
inline constexpr Rgb scrollBar{192, 192, 192};               // 0
inline constexpr Rgb desktop{0, 128, 128};                   // 1
inline constexpr Rgb activeCaption{0, 0, 128};               // 2
inline constexpr Rgb inactiveCaption{128, 128, 128};         // 3
inline constexpr Rgb menu{192, 192, 192};                    // 4
inline constexpr Rgb windowBackground{255, 255, 255};        // 5
inline constexpr Rgb windowFrame{0, 0, 0};                   // 6
inline constexpr Rgb menuText{0, 0, 0};                      // 7
inline constexpr Rgb windowText{0, 0, 0};                    // 8
inline constexpr Rgb activeCaptionText{255, 255, 255};       // 9
inline constexpr Rgb activeBorder{192, 192, 192};            // 10
inline constexpr Rgb inactiveBorder{192, 192, 192};          // 11
inline constexpr Rgb applicationWorkspace{128, 128, 128};    // 12
inline constexpr Rgb highlight{0, 0, 128};                   // 13
inline constexpr Rgb highlightedText{255, 255, 255};         // 14
inline constexpr Rgb buttonFace{192, 192, 192};              // 15
inline constexpr Rgb buttonShadow{128, 128, 128};            // 16
inline constexpr Rgb greyText{128, 128, 128};                // 17
inline constexpr Rgb buttonText{0, 0, 0};                    // 18
inline constexpr Rgb inactiveCaptionText{192, 192, 192};     // 19
inline constexpr Rgb buttonHighlight{255, 255, 255};         // 20
inline constexpr Rgb darkShadow3d{0, 0, 0};                  // 21
inline constexpr Rgb light3d{192, 192, 192};                 // 22
inline constexpr Rgb toolTipText{0, 0, 0};                   // 23
inline constexpr Rgb toolTipBackground{255, 255, 225};       // 24
inline constexpr Rgb hotTrackedItem{0, 0, 255};              // 26
inline constexpr Rgb activeCaptionGradient{16, 132, 208};    // 27
inline constexpr Rgb inactiveCaptionGradient{192, 192, 192}; // 28
inline constexpr Rgb menuHighlight{0, 0, 128};               // 29
inline constexpr Rgb menuBar{192, 192, 192};                 // 30
} // namespace classic

} // namespace dorvek::test
