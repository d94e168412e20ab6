#include "curve_picture.h"

#include "host/emf_format/emf_plus_comment.h"
#include "host/emf_format/metafile_writer.h"
#include "window/curve_picture_description.h"

#include <string>
#include <vector>

namespace dorvek::window {
namespace {

namespace emf = host::emf_format;
using namespace curve_picture;

// Object slots. The chart pen lives until the last layer draws the border again; the
// other objects come and go with their layers, so slot 2 is reused.
constexpr std::uint32_t chartPenSlot = 1;
constexpr std::uint32_t layerSlot = 2;
constexpr std::uint32_t plotBorderPenSlot = 3;
constexpr std::uint32_t axisPenSlot = 4;

void createPen(emf::MetafileWriter& writer, std::uint32_t slot, const PenDescription& pen) {
    writer.createPen(slot, emf::PenStyle::Solid, pen.width, pen.colour);
}

void paintChartArea(emf::MetafileWriter& writer) {
    writer.saveState();
    createPen(writer, chartPenSlot, chartPen);
    writer.createBrush(layerSlot, emf::BrushStyle::Solid, chartBrush);
    writer.selectObject(chartPenSlot);
    writer.selectObject(layerSlot);
    writer.rectangle(chartArea);
    writer.restoreState();
    writer.deleteObject(layerSlot);
}

// The plot area's fill and border, then the axis line and its ticks.
void paintPlotAreaAndAxis(emf::MetafileWriter& writer) {
    const Point topRight{plotBottomRight.x, plotTopLeft.y};
    const Point bottomLeft{plotTopLeft.x, plotBottomRight.y};
    const Point outline[] = {plotTopLeft, topRight, plotBottomRight, bottomLeft, plotTopLeft};

    writer.saveState();
    writer.createBrush(layerSlot, emf::BrushStyle::Solid, plotBrush);
    writer.selectObject(emf::stockHandle(emf::StockObject::NullPen));
    writer.selectObject(layerSlot);
    writer.polygon16(outline);

    createPen(writer, plotBorderPenSlot, plotBorderPen);
    writer.selectObject(plotBorderPenSlot);
    writer.moveTo(outline[0]);
    for (int corner = 1; corner < 5; ++corner) {
        writer.lineTo(outline[corner]);
    }

    createPen(writer, axisPenSlot, axisPen);
    writer.selectObject(axisPenSlot);
    writer.moveTo({plotTopLeft.x, axisRow});
    writer.lineTo({plotBottomRight.x, axisRow});
    for (int value = firstTick; value <= lastTick; ++value) {
        const int column = axisColumn(value);
        writer.moveTo({column, axisRow + tickLength});
        writer.lineTo({column, axisRow});
    }
    writer.restoreState();
    writer.deleteObject(layerSlot);
    writer.deleteObject(plotBorderPenSlot);
    writer.deleteObject(axisPenSlot);
}

// Each interval is a polyline of its own; the pen's round ends make them one curve.
void paintCurve(emf::MetafileWriter& writer) {
    writer.saveState();
    writer.intersectClip(curveClip);
    writer.selectObject(emf::stockHandle(emf::StockObject::NullBrush));
    createPen(writer, layerSlot, curvePen);
    writer.selectObject(layerSlot);
    for (int vertex = 0; vertex + 1 < curveVertices; ++vertex) {
        const Point interval[] = {curveVertex(vertex), curveVertex(vertex + 1)};
        writer.polyline16(interval);
    }
    writer.restoreState();
    writer.deleteObject(layerSlot);
}

// The clip is the frame's again: restoring the curve's state brought it back. Stating
// it once more would be harmless to GDI, but Inkscape intersects the two equal
// rectangles into an empty clip and loses the labels.
void paintLabels(emf::MetafileWriter& writer) {
    writer.saveState();
    writer.setTextColour(black);
    writer.setBackgroundMode(emf::BackgroundMode::Transparent);
    writer.createFont(layerSlot, labelFont());
    writer.selectObject(layerSlot);
    for (int value = firstTick; value <= lastTick; ++value) {
        const std::u16string text = tickLabel(value);
        std::vector<std::int32_t> advances;
        std::int32_t textWidth = 0;
        for (char16_t character : text) {
            advances.push_back(labelAdvance(character));
            textWidth += advances.back();
        }
        // Every width is odd, so the label centres exactly on its tick.
        const std::int32_t left = axisColumn(value) - textWidth / 2;
        writer.textOut({left, labelTop}, text, advances,
                       {left, labelTop, left + textWidth - 1, labelBottom},
                       static_cast<float>(hundredthsOfMillimetrePerPixel));
    }
    writer.restoreState();
    writer.deleteObject(layerSlot);
}

void paintChartBorder(emf::MetafileWriter& writer) {
    writer.saveState();
    writer.selectObject(chartPenSlot);
    writer.selectObject(emf::stockHandle(emf::StockObject::NullBrush));
    writer.rectangle(chartArea);
    writer.restoreState();
    writer.deleteObject(chartPenSlot);
}

// The picture as an enhanced metafile in the dual form: EMF+ comments that carry
// only a header and state, and plain EMF records that draw everything.
std::vector<std::byte> writeCurvePicture() {
    namespace plus = emf::plus;
    emf::MetafileWriter writer(header());
    writer.comment(
        emf::EmfPlusComment()
            .header({.dual = true, .referenceIsVideoDisplay = true, .dpiX = 96, .dpiY = 96})
            .data());
    writer.comment(emf::EmfPlusComment()
                       .setPixelOffsetMode(plus::PixelOffsetMode::Half)
                       .setAntiAliasMode(plus::AntiAliasing::On, plus::SmoothingMode::Default)
                       .setCompositingQuality(plus::CompositingQuality::Default)
                       .setInterpolationMode(plus::InterpolationMode::HighQualityBicubic)
                       .setPageTransform(plus::Unit::Pixel, 1.0F)
                       .getDc()
                       .data());

    // The initial state, which every layer inherits and the end restores.
    writer.saveState();
    writer.setTextColour(black);
    writer.setBackgroundColour(white);
    writer.setRasterOperation(emf::copyPen);
    writer.setBackgroundMode(emf::BackgroundMode::Opaque);
    writer.selectPalette(emf::stockHandle(emf::StockObject::DefaultPalette));
    writer.intersectClip(frame);

    paintChartArea(writer);
    paintPlotAreaAndAxis(writer);
    paintCurve(writer);
    paintLabels(writer);
    paintChartBorder(writer);
    writer.restoreState();

    writer.comment(emf::EmfPlusComment().setWorldTransform({1, 0, 0, 1, 0, 0}).data());
    writer.comment(emf::EmfPlusComment().endOfFile().data());
    return writer.finish();
}

} // namespace

std::span<const std::byte> curvePicture() {
    static const std::vector<std::byte> picture = writeCurvePicture();
    return picture;
}

} // namespace dorvek::window
