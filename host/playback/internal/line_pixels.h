#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

// The pixels of thin lines, as GDI chooses them, and the fills that paint them.
namespace dorvek::host::playback {

// Joins adjacent rectangles of one row or one column, so a straight line is one fill.
class RunFiller {
public:
    RunFiller(QPainter& painter, const QColor& colour) : painter_(painter), colour_(colour) {}
    ~RunFiller() { flush(); }
    RunFiller(const RunFiller&) = delete;
    RunFiller& operator=(const RunFiller&) = delete;

    void add(const QRect& rect) {
        if (run_.isEmpty()) {
            run_ = rect;
        } else if (rect.top() == run_.top() && rect.bottom() == run_.bottom() &&
                   (rect.left() == run_.right() + 1 || rect.right() + 1 == run_.left())) {
            run_ = run_.united(rect);
        } else if (rect.left() == run_.left() && rect.right() == run_.right() &&
                   (rect.top() == run_.bottom() + 1 || rect.bottom() + 1 == run_.top())) {
            run_ = run_.united(rect);
        } else {
            flush();
            run_ = rect;
        }
    }

private:
    void flush() {
        if (!run_.isEmpty()) {
            painter_.fillRect(run_, colour_);
        }
        run_ = QRect();
    }

    QPainter& painter_;
    QColor colour_;
    QRect run_;
};

// The pixels of a line from a to b, b excluded, one step along the major axis at a
// time, the minor coordinate rounded half up (Bresenham's choice). Only the steps
// whose major coordinate lies in [low, high] are visited, so a line reaching far off
// the device costs no more than its visible part.
template <class Plot>
void walkLine(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, double lowX,
              double highX, double lowY, double highY, Plot plot) {
    const std::int64_t dx = bx - ax;
    const std::int64_t dy = by - ay;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const std::int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t start = xMajor ? ax : ay;
    const std::int64_t minorStart = xMajor ? ay : ax;
    const double low = xMajor ? lowX : lowY;
    const double high = xMajor ? highX : highY;
    if (major == 0) {
        return;
    }
    // Steps k with low <= start + majorStep * k <= high.
    double first = (majorStep > 0 ? low - start : start - high);
    double last = (majorStep > 0 ? high - start : start - low);
    const std::int64_t kFirst =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::ceil(std::max(first, -1.0))));
    const std::int64_t kLast = std::min<std::int64_t>(
        major - 1, static_cast<std::int64_t>(std::floor(std::min(last, double(major)))));
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
        const std::int64_t along = start + majorStep * k;
        const std::int64_t across =
            minorStart + minorStep * ((2 * k * minor + major) / (2 * major));
        if (xMajor) {
            plot(along, across);
        } else {
            plot(across, along);
        }
    }
}

} // namespace dorvek::host::playback
