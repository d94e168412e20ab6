"""A screen reader's view of the real window, through AT-SPI: the window is a frame
holding the controls by their Turkish names and the curve as an image, and no
decorative rectangle; the result box is read-only and not editable; Tab and
Shift+Tab move the focus through the boxes and the button in the window's order;
and after a computation chosen with the keyboard alone the new result is announced
without the focus moving to it.

Usage (in a D-Bus session, inside an X display): screen_reader_listener.py DORVEK
Exits 0 when all holds, 1 with the reasons otherwise.
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

EXPECTED = "Olasılık: 0,02140"  # P(2 < Z < 3), from the keys typed below
# What the window holds, in any order, as (role, name).
CONTROLS = sorted([
    ("image", "Standart normal dağılımın eğrisi"),
    ("label", "Standart normal olasılığı"),
    ("text", "Alt sınır"),
    ("push button", "Sonuç"),
    ("text", "Olasılık"),
    ("text", "Üst sınır"),
])
# The roles by AT-SPI's numbers, named once: the names AT-SPI gives changed
# between releases (a push button is "button" from at-spi2-core 2.50 on).
ROLE_NAMES = {
    pyatspi.ROLE_FRAME: "frame",
    pyatspi.ROLE_IMAGE: "image",
    pyatspi.ROLE_LABEL: "label",
    pyatspi.ROLE_TEXT: "text",
    pyatspi.ROLE_PUSH_BUTTON: "push button",
    pyatspi.ROLE_NOTIFICATION: "notification",
}


def role(accessible):
    return ROLE_NAMES.get(accessible.getRole(), accessible.getRoleName())


# Where the keys typed below take the focus, from the lower bound box.
FOCUS_WALK = ["Sonuç", "Olasılık", "Üst sınır", "Olasılık", "Sonuç"]
failures = []
heard = []
focused = []


def states(accessible):
    return {pyatspi.stateToString(s) for s in accessible.getState().getStates()}


def find_application(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == name and application.childCount:
                return application
        # The desktop's list of applications is kept up to date by the main loop.
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.2)
    return None


def child_named(parent, name):
    for child in parent:
        if child is not None and child.name == name:
            return child
    return None


def on_event(event):
    source = event.source
    if event.type.startswith("object:state-changed:focused"):
        if event.detail1 == 1:
            focused.append(source.name)
        return
    if event.type.startswith("object:announcement"):
        heard.append(("announcement", str(event.any_data)))
    elif event.detail1 == 1 and role(source) == "notification":
        heard.append(("notification", source.name))
    if any(text == EXPECTED for _, text in heard):
        pyatspi.Registry.stop()


def main():
    dorvek = sys.argv[1]
    # A desktop with a screen reader switched on keeps that in the user's settings, which
    # Qt reads once at start; here Qt is told so directly, and no setting is touched.
    environment = dict(os.environ, LC_ALL="tr_TR.UTF-8", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    environment.pop("QT_QPA_PLATFORM", None)
    program = subprocess.Popen([dorvek], env=environment)
    try:
        application = find_application("dorvek", 30)
        if application is None:
            print("FAIL: dorvek never appeared on the accessibility bus")
            return 1
        window = application[0]
        if role(window) != "frame":
            failures.append(f"the window's role is {role(window)}, not frame")
        controls = sorted((role(child), child.name) for child in window)
        if controls != CONTROLS:
            failures.append(f"the window holds {controls}, not {CONTROLS}")
        result = child_named(window, "Olasılık")
        lower = child_named(window, "Alt sınır")
        if result is None or lower is None:
            failures.append("no result box or lower bound box by name")
        else:
            if "read only" not in states(result) or "editable" in states(result):
                failures.append(f"the result box says {sorted(states(result))}")
            if "editable" not in states(lower) or "read only" in states(lower):
                failures.append(f"the lower bound box says {sorted(states(lower))}")

        pyatspi.Registry.registerEventListener(
            on_event, "object:announcement", "object:state-changed:showing",
            "object:state-changed:focused")
        window_id = subprocess.run(
            ["xdotool", "search", "--sync", "--onlyvisible", "--classname", "^dorvek$"],
            capture_output=True, text=True, timeout=30, check=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window_id], check=True)
        time.sleep(0.5)
        # Typed at start-up, into the lower bound box; then to the upper one past the
        # button and the result box, and back to the button.
        subprocess.run(["xdotool", "key", "2", "Tab", "Tab", "Tab", "3",
                        "shift+Tab", "shift+Tab", "Return"], check=True)
        GLib.timeout_add_seconds(10, lambda: pyatspi.Registry.stop())
        pyatspi.Registry.start()
        if not any(text == EXPECTED for _, text in heard):
            failures.append(f"no announcement of {EXPECTED!r} within 10 s; heard {heard}")
        # The lower bound box may report the focus it had from the start.
        walk = focused[1:] if focused[:1] == ["Alt sınır"] else focused
        if walk != FOCUS_WALK:
            failures.append(f"the focus went {walk}, not {FOCUS_WALK}")
    finally:
        program.terminate()
        program.wait(10)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("screen reader test passed:", ", ".join(f"{kind} {text!r}" for kind, text in heard))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
