#include "metafile_player.h"

#include "host/emf_format/little_endian.h"
#include "host/emf_format/metafile_parser.h"
#include "host/playback/device_mapping.h"
#include "host/playback/font_substitution.h"
#include "host/playback/gdi_rasteriser.h"
#include "host/playback/graphics_objects.h"
#include "host/playback/record_fields.h"
#include "host/playback/text_drawing.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>
#include <vector>

namespace dorvek::host {
namespace {

using emf::coordinate;
using emf::coordinateLimit;
using emf::readColour;
using emf::readI32;
using emf::readLogFont;
using emf::readPoint;
using emf::readPoints;
using emf::readRect;
using emf::readU16;
using emf::readU32;
using emf::RecordType;
using playback::Brush;
using playback::Pen;
using playback::TextFont;

// Stands for "no clip": larger than any device.
const QRect unclipped(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);

using GraphicsObject = std::variant<std::monostate, Pen, Brush, TextFont>;

// The device context's state that a save keeps and a restore brings back.
struct DrawingState {
    Pen pen;
    Brush brush;
    std::optional<TextFont> font; // the stock system font until one is selected
    QColor textColour = Qt::black;
    QColor backgroundColour = Qt::white;
    bool opaqueBackground = true;
    emf::PolygonFillMode fillMode = emf::PolygonFillMode::Alternate;
    std::uint32_t textAlign = 0;
    std::optional<QRegion> clip;
    emf::Point position;
};

Brush stockBrush(emf::StockObject object) {
    switch (object) {
    case emf::StockObject::LightGreyBrush:
        return {Brush::Style::Solid, QColor(192, 192, 192), Qt::SolidPattern};
    case emf::StockObject::GreyBrush:
        return {Brush::Style::Solid, QColor(128, 128, 128), Qt::SolidPattern};
    case emf::StockObject::DarkGreyBrush:
        return {Brush::Style::Solid, QColor(64, 64, 64), Qt::SolidPattern};
    case emf::StockObject::BlackBrush:
        return {Brush::Style::Solid, Qt::black, Qt::SolidPattern};
    case emf::StockObject::NullBrush:
        return {Brush::Style::Null, Qt::white, Qt::SolidPattern};
    default:
        return {};
    }
}

Qt::BrushStyle hatchOf(std::uint32_t hatch) {
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

// The device's extent in device pixels: images and pixmaps count them already,
// windows and widgets count device-independent pixels.
QRect deviceBounds(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const int type = device->devType();
    const double ratio =
        type == QInternal::Image || type == QInternal::Pixmap ? 1.0 : device->devicePixelRatio();
    return QRect(0, 0, static_cast<int>(std::ceil(device->width() * ratio)),
                 static_cast<int>(std::ceil(device->height() * ratio)));
}

class Player {
public:
    Player(QPainter& painter, const emf::ParsedMetafile& metafile, const QRectF& destination)
        : painter_(painter), objects_(metafile.header.handles),
          mapping_(metafile.header, destination),
          device_(deviceBounds(painter).adjusted(-1, -1, 1, 1)),
          rasteriser_(painter, mapping_, device_) {}

    void play(const emf::ParsedMetafile& metafile) {
        if (!mapping_.drawable()) {
            return;
        }
        painter_.save(); // holds the metafile's clip, which changes as the records go
        for (const emf::MetafileRecord& record : std::span(metafile.records).subspan(1)) {
            playRecord(record.type, record.bytes);
        }
        painter_.restore();
    }

private:
    void playRecord(std::uint32_t type, std::span<const std::byte> record);
    void selectObject(std::uint32_t handle);
    void createObject(std::uint32_t handle, GraphicsObject object);
    void restoreState(std::int32_t relative);
    void changeClip(const QRegion& clip);
    void drawText(std::span<const std::byte> record);
    Brush brushForFill() const;

    QPainter& painter_;
    std::vector<GraphicsObject> objects_;
    playback::DeviceMapping mapping_;
    QRect device_;
    playback::GdiRasteriser rasteriser_;
    DrawingState state_;
    std::vector<DrawingState> saved_;
};

void Player::createObject(std::uint32_t handle, GraphicsObject object) {
    objects_[handle] = std::move(object);
}

void Player::selectObject(std::uint32_t handle) {
    if ((handle & emf::stockObjectBit) != 0) {
        const auto object = static_cast<emf::StockObject>(handle & ~emf::stockObjectBit);
        switch (object) {
        case emf::StockObject::WhitePen:
            state_.pen = {true, 0, Qt::white};
            break;
        case emf::StockObject::BlackPen:
        case emf::StockObject::DcPen:
            state_.pen = {true, 0, Qt::black};
            break;
        case emf::StockObject::NullPen:
            state_.pen = {false, 0, Qt::black};
            break;
        case emf::StockObject::WhiteBrush:
        case emf::StockObject::LightGreyBrush:
        case emf::StockObject::GreyBrush:
        case emf::StockObject::DarkGreyBrush:
        case emf::StockObject::BlackBrush:
        case emf::StockObject::NullBrush:
        case emf::StockObject::DcBrush:
            state_.brush = stockBrush(object);
            break;
        case emf::StockObject::DefaultPalette:
            break;
        default: // the stock fonts
            state_.font.reset();
            break;
        }
        return;
    }
    const GraphicsObject& object = objects_[handle];
    if (const auto* pen = std::get_if<Pen>(&object)) {
        state_.pen = *pen;
    } else if (const auto* brush = std::get_if<Brush>(&object)) {
        state_.brush = *brush;
    } else if (const auto* font = std::get_if<TextFont>(&object)) {
        state_.font = *font;
    }
}

void Player::changeClip(const QRegion& clip) {
    state_.clip = clip;
    painter_.restore();
    painter_.save();
    painter_.setClipRegion(clip, Qt::IntersectClip);
    rasteriser_.setVisible(device_.intersected(clip.boundingRect().adjusted(-1, -1, 1, 1)));
}

void Player::restoreState(std::int32_t relative) {
    // Only relative restores are meaningful in a metafile; others are ignored, as GDI does.
    if (relative >= 0 || static_cast<std::size_t>(-std::int64_t{relative}) > saved_.size()) {
        return;
    }
    saved_.resize(saved_.size() - static_cast<std::size_t>(-std::int64_t{relative}) + 1);
    state_ = std::move(saved_.back());
    saved_.pop_back();
    painter_.restore();
    painter_.save();
    if (state_.clip) {
        painter_.setClipRegion(*state_.clip, Qt::IntersectClip);
        rasteriser_.setVisible(
            device_.intersected(state_.clip->boundingRect().adjusted(-1, -1, 1, 1)));
    } else {
        rasteriser_.setVisible(device_);
    }
}

void Player::drawText(std::span<const std::byte> record) {
    playback::TextRun run;
    run.reference = readPoint(record, 36);
    const std::uint32_t characters = readU32(record, 44);
    const std::uint32_t stringOffset = readU32(record, 48);
    run.options = readU32(record, 52);
    const bool hasRectangle = (run.options & emf::textNoRectangle) == 0;
    if (hasRectangle) {
        run.rectangle = readRect(record, 56);
    }
    const std::uint32_t advancesOffset = readU32(record, hasRectangle ? 72 : 56);
    run.text.reserve(characters);
    run.advances.reserve(characters);
    for (std::uint32_t i = 0; i < characters; ++i) {
        run.text.append(QChar(readU16(record, stringOffset + 2 * std::size_t{i})));
        run.advances.push_back(readI32(record, advancesOffset + 4 * std::size_t{i}));
    }
    const bool updatePosition = (state_.textAlign & emf::alignUpdateCurrentPosition) != 0;
    if (updatePosition) {
        run.reference = state_.position;
    }
    if (!state_.font) {
        state_.font = playback::substituteFont(
            emf::LogFont{-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, u"Arial"});
    }
    const std::optional<QColor> background =
        state_.opaqueBackground ? std::optional<QColor>(state_.backgroundColour) : std::nullopt;
    const std::int64_t width = playback::drawText(painter_, mapping_, run, *state_.font,
                                                  state_.textAlign, state_.textColour, background);
    if (updatePosition) {
        state_.position.x = coordinate(static_cast<std::int32_t>(std::clamp<std::int64_t>(
            state_.position.x + width, -coordinateLimit, coordinateLimit)));
    }
}

void Player::playRecord(std::uint32_t type, std::span<const std::byte> record) {
    switch (static_cast<RecordType>(type)) {
    case RecordType::SetBackgroundMode: {
        const std::uint32_t mode = readU32(record, 8);
        if (mode == static_cast<std::uint32_t>(emf::BackgroundMode::Transparent) ||
            mode == static_cast<std::uint32_t>(emf::BackgroundMode::Opaque)) {
            state_.opaqueBackground =
                mode == static_cast<std::uint32_t>(emf::BackgroundMode::Opaque);
        }
        break;
    }
    case RecordType::SetPolygonFillMode:
        state_.fillMode =
            readU32(record, 8) == static_cast<std::uint32_t>(emf::PolygonFillMode::Winding)
                ? emf::PolygonFillMode::Winding
                : emf::PolygonFillMode::Alternate;
        break;
    case RecordType::SetTextAlign:
        state_.textAlign = readU32(record, 8);
        break;
    case RecordType::SetTextColour:
        state_.textColour = readColour(record, 8);
        break;
    case RecordType::SetBackgroundColour:
        state_.backgroundColour = readColour(record, 8);
        break;
    case RecordType::MoveTo:
        state_.position = readPoint(record, 8);
        break;
    case RecordType::LineTo: {
        const emf::Point to = readPoint(record, 8);
        rasteriser_.line(state_.position, to, state_.pen);
        state_.position = to;
        break;
    }
    case RecordType::IntersectClipRect:
        changeClip(state_.clip.value_or(QRegion(unclipped))
                       .intersected(mapping_.area(readRect(record, 8))));
        break;
    case RecordType::ExcludeClipRect:
        changeClip(state_.clip.value_or(QRegion(unclipped))
                       .subtracted(mapping_.area(readRect(record, 8))));
        break;
    case RecordType::SaveState:
        saved_.push_back(state_);
        break;
    case RecordType::RestoreState:
        restoreState(readI32(record, 8));
        break;
    case RecordType::SelectObject:
        selectObject(readU32(record, 8));
        break;
    case RecordType::DeleteObject: {
        const std::uint32_t handle = readU32(record, 8);
        if ((handle & emf::stockObjectBit) == 0) {
            objects_[handle] = std::monostate{};
        }
        break;
    }
    case RecordType::CreatePen: {
        const std::uint32_t style = readU32(record, 12) & 0x0F;
        createObject(readU32(record, 8),
                     Pen{style != static_cast<std::uint32_t>(emf::PenStyle::Null),
                         static_cast<int>(std::min<std::int64_t>(
                             std::abs(std::int64_t{readI32(record, 16)}), coordinateLimit)),
                         readColour(record, 24)});
        break;
    }
    case RecordType::CreateExtendedPen: {
        const std::uint32_t style = readU32(record, 28);
        const bool geometric = (style & 0x000F0000) == 0x00010000; // else one device pixel
        const bool nullBrush =
            readU32(record, 36) == static_cast<std::uint32_t>(emf::BrushStyle::Null);
        createObject(
            readU32(record, 8),
            Pen{(style & 0x0F) != static_cast<std::uint32_t>(emf::PenStyle::Null) && !nullBrush,
                geometric ? static_cast<int>(
                                std::min<std::uint32_t>(readU32(record, 32), coordinateLimit))
                          : 0,
                readColour(record, 40)});
        break;
    }
    case RecordType::CreateBrush: {
        const std::uint32_t style = readU32(record, 12);
        Brush brush{Brush::Style::Solid, readColour(record, 16), Qt::SolidPattern};
        if (style == static_cast<std::uint32_t>(emf::BrushStyle::Null)) {
            brush.style = Brush::Style::Null;
        } else if (style == static_cast<std::uint32_t>(emf::BrushStyle::Hatched)) {
            brush.style = Brush::Style::Hatched;
            brush.hatch = hatchOf(readU32(record, 20));
        }
        createObject(readU32(record, 8), brush);
        break;
    }
    case RecordType::CreateFont:
        createObject(readU32(record, 8), playback::substituteFont(readLogFont(record, 12)));
        break;
    case RecordType::CreatePalette:
    case RecordType::CreateMonochromeBrush:
    case RecordType::CreatePatternBrush:
    case RecordType::CreateColourSpace:
    case RecordType::CreateColourSpaceW:
        // Not drawn with, but the slot now holds this object instead of the last one.
        createObject(readU32(record, 8), std::monostate{});
        break;
    case RecordType::Rectangle:
        rasteriser_.rectangle(readRect(record, 8), state_.pen, state_.brush);
        break;
    case RecordType::Polygon:
    case RecordType::Polygon16:
        rasteriser_.polygon(
            readPoints(record, type == static_cast<std::uint32_t>(RecordType::Polygon16)),
            state_.pen, state_.brush, state_.fillMode);
        break;
    case RecordType::Polyline:
    case RecordType::Polyline16:
        rasteriser_.polyline(
            readPoints(record, type == static_cast<std::uint32_t>(RecordType::Polyline16)),
            state_.pen);
        break;
    case RecordType::PolylineTo:
    case RecordType::PolylineTo16: {
        std::vector<emf::Point> points{state_.position};
        const std::vector<emf::Point> more =
            readPoints(record, type == static_cast<std::uint32_t>(RecordType::PolylineTo16));
        points.insert(points.end(), more.begin(), more.end());
        rasteriser_.polyline(points, state_.pen);
        state_.position = points.back();
        break;
    }
    case RecordType::TextOut:
        drawText(record);
        break;
    default:
        // Raster operations other than copying the pen, palettes, comments (the EMF+
        // records of a dual metafile only repeat what these records draw) and records
        // we do not know are skipped.
        break;
    }
}

} // namespace

void playMetafile(QPainter& painter, std::span<const std::byte> metafile,
                  const QRectF& destination) {
    const emf::ParsedMetafile parsed = emf::parseMetafile(metafile);

    painter.save();
    // From here on the painter's coordinates are device pixels, whatever its transform
    // and the device's pixel ratio, so every record is drawn at the device's resolution.
    const QTransform toDevice = painter.deviceTransform();
    const QRectF deviceDestination = toDevice.mapRect(destination.normalized());
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Player(painter, parsed, deviceDestination).play(parsed);
    painter.restore();
}

} // namespace dorvek::host
