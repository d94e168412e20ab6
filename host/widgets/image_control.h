#pragma once

#include <QWidget>
#include <cstddef>
#include <span>

namespace dorvek::host {

// An image control: plays its enhanced metafile scaled to fill its whole frame,
// width and height independently. Without a picture it is an empty frame.
class ImageControl : public QWidget {
public:
    ImageControl(std::span<const std::byte> picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::span<const std::byte> picture_;
    bool pictureRefused_ = false;
};

} // namespace dorvek::host
