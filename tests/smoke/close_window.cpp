// close-window WINDOW-ID: asks an X11 window to close as a window manager would.

#include "tests/support/x11_close_request.h"

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: close-window WINDOW-ID\n", stderr);
        return 2;
    }
    char* end = nullptr;
    const unsigned long window = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0') {
        std::fputs("close-window: not a window id\n", stderr);
        return 2;
    }
    Display* display = dorvek::test::openDisplay("close-window");
    if (display == nullptr) {
        return 1;
    }
    const bool sent = dorvek::test::requestClose(display, window);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
