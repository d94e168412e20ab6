#pragma once

#include "device_mapping.h"
#include "gdi_rasteriser.h"
#include "graphics_objects.h"
#include "host/emf_format/metafile_parser.h"

#include <QColor>
#include <QRect>
#include <QRegion>
#include <optional>
#include <variant>
#include <vector>

class QPainter;
class QRectF;

namespace dorvek::host::playback {

// Plays a parsed metafile's records in order onto a painter whose coordinates are
// device pixels, keeping the device context's state as GDI keeps it.
class Player {
public:
    // destination is in device pixels; metafile must outlive the player.
    Player(QPainter& painter, const emf_format::ParsedMetafile& metafile,
           const QRectF& destination);

    void play();

private:
    using GraphicsObject = std::variant<std::monostate, Pen, Brush, TextFont>;

    // What a save keeps and a restore brings back.
    struct DrawingState {
        Pen pen;
        Brush brush;
        std::optional<TextFont> font; // the stock system font until one is selected
        QColor textColour = Qt::black;
        QColor backgroundColour = Qt::white;
        bool opaqueBackground = true;
        emf_format::PolygonFillMode fillMode = emf_format::PolygonFillMode::Alternate;
        std::uint32_t textAlign = 0;
        std::optional<QRegion> clip;
        Point position;
    };

    // Plays each kind of record: a dispatch of one short case a kind.
    struct Cases;

    QRegion currentClip() const;
    void changeClip(const QRegion& clip);
    void applyClip();
    void restoreState(std::int32_t relative);
    void drawText(const emf_format::record::TextOut& text);

    QPainter& painter_;
    const emf_format::ParsedMetafile& metafile_;
    std::vector<GraphicsObject> objects_;
    DeviceMapping mapping_;
    QRect device_;
    GdiRasteriser rasteriser_;
    DrawingState state_;
    std::vector<DrawingState> saved_;
};

} // namespace dorvek::host::playback
