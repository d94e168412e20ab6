// first-paint-watch INSTANCE COMMAND [ARGUMENT...]
//
// Starts COMMAND and prints the milliseconds from its start until a top-level window
// whose WM_CLASS instance is INSTANCE is mapped and painted; then asks the window to
// close and exits with 0 when COMMAND ended with status 0. "Painted" means the window
// shows at least three distinct pixel values: run the X server with a black root
// (Xvfb -br), so that a window not yet drawn shows one.

#include "tests/support/x11_close_request.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A window can vanish between two requests; that is not fatal here.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

Window findViewableWindow(Display* display, const char* instance) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XClassHint hint{};
        if (XGetClassHint(display, children[i], &hint) == 0) {
            continue;
        }
        const bool named = hint.res_name != nullptr && std::strcmp(hint.res_name, instance) == 0;
        XFree(hint.res_name);
        XFree(hint.res_class);
        XWindowAttributes attributes{};
        if (named && XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            found = children[i];
        }
    }
    XFree(children);
    return found;
}

bool isPainted(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return false;
    }
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    unsigned long seen[3] = {};
    int distinct = 0;
    for (int y = 0; y < attributes.height && distinct < 3; ++y) {
        for (int x = 0; x < attributes.width && distinct < 3; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            if (std::find(seen, seen + distinct, pixel) == seen + distinct) {
                seen[distinct++] = pixel;
            }
        }
    }
    XDestroyImage(image);
    return distinct >= 3;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: first-paint-watch INSTANCE COMMAND [ARGUMENT...]\n", stderr);
        return 2;
    }
    Display* display = dorvek::test::openDisplay("first-paint-watch");
    if (display == nullptr) {
        return 1;
    }
    XSetErrorHandler(ignoreErrors);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    Window window = 0;
    while (window == 0 || !isPainted(display, window)) {
        if (window == 0) {
            window = findViewableWindow(display, argv[1]);
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fputs("first-paint-watch: the command ended before painting\n", stderr);
            return 1;
        }
        if (Clock::now() - start > std::chrono::seconds(30)) {
            std::fputs("first-paint-watch: no painted window within 30 s\n", stderr);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;

    dorvek::test::requestClose(display, window);
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(display);
    std::printf("%.2f\n", elapsed.count());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
