#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <vector>

namespace dorvek::test {

// Whether the pixels of colour ink inside the image's outermost ones form lines that run
// the ways of steps: each continues by one of the steps into another of ink, or leaves
// that inside, and some pixel there has another colour. It tells a hatch's pattern.
inline bool formsLinesAlong(const QImage& image, QRgb ink, const std::vector<QPoint>& steps) {
    const QRect inside = image.rect().adjusted(1, 1, -1, -1);
    bool gaps = false;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QPoint pixel(x, y);
            if (image.pixel(pixel) != ink) {
                gaps = true;
            } else if (std::ranges::none_of(steps, [&](QPoint step) {
                           return !inside.contains(pixel + step) ||
                                  image.pixel(pixel + step) == ink;
                       })) {
                return false;
            }
        }
    }
    return gaps;
}

} // namespace dorvek::test
