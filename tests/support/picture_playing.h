#pragma once

#include "host/emf_format/metafile_writer.h"
#include "host/playback/metafile_player.h"
#include "tests/support/test_application.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace dorvek::test {

// A metafile whose frame is width x height logical units, one unit a reference pixel
// (10 pixels to the millimetre), drawn by draw.
inline std::vector<std::byte>
smallMetafile(const std::function<void(host::emf_format::MetafileWriter&)>& draw, int width = 20,
              int height = 20) {
    host::emf_format::HeaderFields fields;
    fields.bounds = {0, 0, width - 1, height - 1};
    fields.frame = {0, 0, width * 10, height * 10};
    fields.referencePixels = {1000, 1000};
    fields.referenceMillimetres = {100, 100};
    fields.referenceMicrometres = {100000, 100000};
    host::emf_format::MetafileWriter writer(fields);
    draw(writer);
    return writer.finish();
}

// Plays a metafile into a transparent image of size device pixels; the destination
// is in the image's device-independent pixels and fills it unless given.
inline QImage play(std::span<const std::byte> metafile, QSize size, double devicePixelRatio = 1,
                   std::optional<QRectF> destination = std::nullopt) {
    testApplication(); // fonts need one
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    host::playback::playMetafile(
        painter, metafile,
        destination.value_or(QRectF(QPointF(0, 0), image.deviceIndependentSize())));
    return image;
}

using Pixel = std::pair<int, int>;

// The pixels of an image that anything painted.
inline std::set<Pixel> paintedPixels(const QImage& image) {
    std::set<Pixel> painted;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() != 0) {
                painted.insert({x, y});
            }
        }
    }
    return painted;
}

// Every pixel of the rectangle from (left, top) to (right, bottom), both included.
inline std::set<Pixel> pixelsOf(int left, int top, int right, int bottom) {
    std::set<Pixel> pixels;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            pixels.insert({x, y});
        }
    }
    return pixels;
}

// Two colours whose channels differ, for pens and brushes whose colour a test checks:
// a colour taken for another, or one with its channels swapped, shows.
inline constexpr host::emf_format::ColourRef rust = host::emf_format::rgb(192, 64, 0);
inline constexpr host::emf_format::ColourRef azure = host::emf_format::rgb(0, 64, 192);

// One text row per image row: '.' where nothing is painted, else the colour's letter
// in legend, '?' for any other colour. Failures then show the picture.
inline std::string drawing(const QImage& image,
                           const std::vector<std::pair<QColor, char>>& legend = {
                               {Qt::black, '#'},
                               {Qt::white, 'o'},
                               {QColor(rust.red, rust.green, rust.blue), 'r'},
                               {QColor(azure.red, azure.green, azure.blue), 'a'}}) {
    std::string text;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            char letter = colour.alpha() == 0 ? '.' : '?';
            for (const auto& [known, name] : legend) {
                if (colour.alpha() != 0 && colour.rgb() == known.rgb()) {
                    letter = name;
                }
            }
            text += letter;
        }
        text += '\n';
    }
    return text;
}

} // namespace dorvek::test
