#pragma once

#include <X11/Xlib.h>
#include <cstdio>

namespace dorvek::test {

// The display, or null after saying on standard error that program cannot open it.
inline Display* openDisplay(const char* program) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "%s: cannot open the display\n", program);
    }
    return display;
}

// Asks an X11 window to close as a window manager would, by the WM_DELETE_WINDOW
// message: Xvfb runs no window manager to do it. False when it could not be sent.
inline bool requestClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return sent != 0;
}

} // namespace dorvek::test
