#!/usr/bin/env python3
"""Reads the running window through AT-SPI, as a screen reader does, and
checks what keyboard and screen-reader users rely on. Prints one line per
check; exits 1 when any fails."""
import sys
import time

import pyatspi
from gi.repository import GLib


def find_app(name, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


failures = 0


def check(what, ok):
    global failures
    print(("ok   " if ok else "FAIL ") + what)
    failures += 0 if ok else 1


app = find_app(sys.argv[1])
check("the application is on the accessibility bus", app is not None)
if app is None:
    sys.exit(1)
frames = [child for child in app if child.getRole() == pyatspi.ROLE_FRAME]
check("the main window is a frame", len(frames) == 1)
nodes = list(walk(frames[0] if frames else app))
names = {node.name for node in nodes}
for group in ("Separation", "Impedans [Ohm]", "Cellular Standards", "Models"):
    panels = [n for n in nodes if n.name == group and n.getRole() in (pyatspi.ROLE_PANEL, pyatspi.ROLE_GROUPING)]
    check("the group '%s' is read by its own caption" % group, len(panels) >= 1)
check("a Calculate button says what it calculates", "Calculate channel number" in names)
check("a result is read with its caption and unit", "Propagation loss: 111 dB" in names)
check("the downtilt plot has a text alternative", "Downtilt plot: gain drop over distance" in names)

# Pressing a Calculate button announces the new result with its caption and unit.
heard = []


def on_name_change(event):
    heard.append(event.source.name)


pyatspi.Registry.registerEventListener(on_name_change, "object:property-change:accessible-name")
button = next(n for n in nodes if n.name == "Calculate path loss and received power")
power = next(n for n in nodes if n.name == "BS Power (Watts)")
power.queryEditableText().setTextContents("20")
button.queryAction().doAction(0)
end = time.time() + 10
while time.time() < end and "MS Recieve Power: -53.72 dBm" not in heard:
    GLib.MainContext.default().iteration(False)
    time.sleep(0.01)
check("a changed result is announced with its caption and unit", "MS Recieve Power: -53.72 dBm" in heard)
sys.exit(1 if failures else 0)
