#pragma once

#include <Qt>

namespace dorvek::host {

// The title bar of a window whose size is fixed: its title, the system menu, a
// minimise button for a main window and the close button, but no maximise button,
// which could only do nothing.
constexpr Qt::WindowFlags fixedSizeWindowFlags(Qt::WindowType type) {
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (type == Qt::Window) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

} // namespace dorvek::host
