#include "player.h"

#include "font_substitution.h"
#include "text_drawing.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace dorvek::host::playback {
namespace {

namespace record = emf_format::record;

// Stands for "no clip": larger than any device.
const QRect unclipped(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);

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

} // namespace

struct Player::Cases {
    Player& player;
    DrawingState& state = player.state_;

    void operator()(const record::SetBackgroundMode& mode) const {
        state.opaqueBackground = mode.mode == emf_format::BackgroundMode::Opaque;
    }
    void operator()(const record::SetPolygonFillMode& mode) const { state.fillMode = mode.mode; }
    void operator()(const record::SetTextAlign& align) const { state.textAlign = align.align; }
    void operator()(const record::SetTextColour& text) const {
        state.textColour = qColour(text.colour);
    }
    void operator()(const record::SetBackgroundColour& background) const {
        state.backgroundColour = qColour(background.colour);
    }
    void operator()(const record::MoveTo& move) const { state.position = move.point; }
    void operator()(const record::LineTo& line) const {
        player.rasteriser_.line(state.position, line.point, state.pen);
        state.position = line.point;
    }
    void operator()(const record::IntersectClip& clip) const {
        player.changeClip(player.currentClip().intersected(player.mapping_.area(clip.rect)));
    }
    void operator()(const record::ExcludeClip& clip) const {
        player.changeClip(player.currentClip().subtracted(player.mapping_.area(clip.rect)));
    }
    void operator()(const record::SaveState&) const { player.saved_.push_back(state); }
    void operator()(const record::RestoreState& restore) const {
        player.restoreState(restore.relative);
    }
    void operator()(const record::CreatePen& pen) const { player.objects_[pen.slot] = pen.pen; }
    void operator()(const record::CreateBrush& brush) const {
        player.objects_[brush.slot] = brush.brush;
    }
    void operator()(const record::CreateFont& font) const {
        player.objects_[font.slot] = substituteFont(font.font);
    }
    void operator()(const record::CreateUnused& unused) const {
        player.objects_[unused.slot] = std::monostate{};
    }
    void operator()(const record::SelectObject& select) const {
        std::visit([this](const auto& object) { selected(object); }, player.objects_[select.slot]);
    }
    void operator()(const record::SelectStockPen& select) const { state.pen = select.pen; }
    void operator()(const record::SelectStockBrush& select) const { state.brush = select.brush; }
    void operator()(const record::SelectStockFont&) const { state.font.reset(); }
    void operator()(const record::DeleteObject& deleted) const {
        player.objects_[deleted.slot] = std::monostate{};
    }
    void operator()(const record::Rectangle& rectangle) const {
        player.rasteriser_.rectangle(rectangle.box, state.pen, state.brush);
    }
    void operator()(const record::Polygon& polygon) const {
        player.rasteriser_.polygon(polygon.points, state.pen, state.brush, state.fillMode);
    }
    void operator()(const record::Polyline& polyline) const {
        player.rasteriser_.polyline(polyline.points, state.pen);
    }
    void operator()(const record::PolylineTo& polyline) const {
        std::vector<Point> points{state.position};
        points.insert(points.end(), polyline.points.begin(), polyline.points.end());
        player.rasteriser_.polyline(points, state.pen);
        state.position = points.back();
    }
    void operator()(const record::TextOut& text) const { player.drawText(text); }

    // Selecting an emptied slot changes nothing.
    void selected(std::monostate) const {}
    void selected(const Pen& pen) const { state.pen = pen; }
    void selected(const Brush& brush) const { state.brush = brush; }
    void selected(const TextFont& font) const { state.font = font; }
};

Player::Player(QPainter& painter, const emf_format::ParsedMetafile& metafile,
               const QRectF& destination)
    : painter_(painter), metafile_(metafile), objects_(metafile.header.handles),
      mapping_(metafile.header, destination), device_(deviceBounds(painter).adjusted(-1, -1, 1, 1)),
      rasteriser_(painter, mapping_, device_) {}

void Player::play() {
    if (!mapping_.drawable()) {
        return;
    }
    painter_.save(); // holds the metafile's clip, which changes as the records go
    const Cases cases{*this};
    for (const emf_format::Record& record : metafile_.records) {
        std::visit(cases, record);
    }
    painter_.restore();
}

QRegion Player::currentClip() const {
    return state_.clip.value_or(QRegion(unclipped));
}

void Player::changeClip(const QRegion& clip) {
    state_.clip = clip;
    applyClip();
}

// The painter's clip can only narrow, so it is set afresh from the saved painter.
void Player::applyClip() {
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

void Player::restoreState(std::int32_t relative) {
    // Only relative restores are meaningful in a metafile; others are ignored, as GDI does.
    if (relative >= 0 || static_cast<std::size_t>(-std::int64_t{relative}) > saved_.size()) {
        return;
    }
    saved_.resize(saved_.size() - static_cast<std::size_t>(-std::int64_t{relative}) + 1);
    state_ = std::move(saved_.back());
    saved_.pop_back();
    applyClip();
}

void Player::drawText(const emf_format::record::TextOut& text) {
    const bool updatePosition = (state_.textAlign & emf_format::alignUpdateCurrentPosition) != 0;
    if (!state_.font) {
        state_.font = substituteFont(systemFont());
    }
    const std::optional<QColor> background =
        state_.opaqueBackground ? std::optional<QColor>(state_.backgroundColour) : std::nullopt;
    const std::int64_t width = playback::drawText(
        painter_, mapping_, text, updatePosition ? state_.position : text.reference, *state_.font,
        state_.textAlign, state_.textColour, background);
    if (updatePosition) {
        state_.position.x = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            state_.position.x + width, -emf_format::coordinateLimit, emf_format::coordinateLimit));
    }
}

} // namespace dorvek::host::playback
