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


def pump(seconds, done=lambda: False):
    end = time.time() + seconds
    while time.time() < end and not done():
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)


# Every page but the first is built when first shown: turn to each, as a
# user looking round would, and back to the first.
tabs = [n for n in walk(frames[0]) if n.getRole() == pyatspi.ROLE_PAGE_TAB]
for tab in tabs[1:] + tabs[:1]:
    tab.queryAction().doAction(0)
    pump(0.5)
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


def is_result(node):
    # Results are the labels that take the focus; captions do not.
    return node.getRole() in (pyatspi.ROLE_STATIC, pyatspi.ROLE_LABEL) and node.getState().contains(
        pyatspi.STATE_FOCUSABLE)


# A pattern file for the Antenna page: a sector written here.
import os
import tempfile
pattern_file = os.path.join(tempfile.mkdtemp(), "sector.msi")
with open(pattern_file, "w") as out:
    out.write("NAME sector\nGAIN 15 dBd\nHORIZONTAL 4\n0 0\n90 10\n180 25\n270 10\n"
              "VERTICAL 4\n0 0\n90 20\n180 25\n270 20\n")

# Every page: its calculations pressed, every result is read as "Caption: value unit".
frame = frames[0]
check("the window has nine pages", len(tabs) == 9)
for tab in tabs:
    tab.queryAction().doAction(0)
    pump(1)
    shown = [n for n in walk(frame) if n.getState().contains(pyatspi.STATE_SHOWING)]
    # The Path page calculates over a profile's file: it is named first.
    for field in shown:
        if field.name == "Profile file" and field.getRole() == pyatspi.ROLE_TEXT:
            field.queryEditableText().setTextContents(sys.argv[2])
        if field.name == "Pattern file" and field.getRole() == pyatspi.ROLE_TEXT:
            field.queryEditableText().setTextContents(pattern_file)
    buttons = [n for n in shown if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and
               n.name.split(" ")[0] in ("Calculate", "Convert", "Draw")]
    # Pressed after they are all found: a calculation may give a table new
    # cells, and the old ones are gone.
    for button in buttons:
        button.queryAction().doAction(0)
        pump(0.3)
    shown = [n for n in walk(frame) if n.getState().contains(pyatspi.STATE_SHOWING)]
    results = [n.name for n in shown if is_result(n)]
    unread = [name for name in results if not (": " in name and name.split(": ", 1)[1].strip())]
    check("the %s page's %d results are read with caption and value %s" % (tab.name, len(results), unread),
          len(results) > 0 and not unread)

# The Planning page: its results and warnings, read and announced.
heard.clear()
planning = next(t for t in tabs if t.name == "Planning")
planning.queryAction().doAction(0)
pump(1)
nodes = [n for n in walk(frame) if n.getState().contains(pyatspi.STATE_SHOWING)]
next(n for n in nodes if n.name == "Frequency (MHz)").queryEditableText().setTextContents("900")
next(n for n in nodes if n.name == "Transmit power (W)").queryEditableText().setTextContents("40")
next(n for n in nodes if n.name == "Calculate cell range").queryAction().doAction(0)
# 40 W at 900 MHz: 3 dB more budget, and a frequency outside the model's range.
expected = ["Maximum allowed path loss: 153.02 dB", "Cell radius: 5.842 km", "Hexagonal cell area: 88.67 km2",
            "Warnings: frequency outside 1500-2000 MHz, the range of COST-231 Hata"]
pump(10, lambda: all(text in heard for text in expected))
for text in expected:
    check("the Planning page announces '%s'" % text, text in heard)
print("heard on the Planning page: %s" % [text for text in heard])

# The Path page's plot states the clearance in its text alternative.
path = next(t for t in tabs if t.name == "Path")
path.queryAction().doAction(0)
pump(1)
plots = [n for n in walk(frame) if n.name == "Path profile"]
check("the path plot's text alternative states the clearance",
      len(plots) == 1 and "worst clearance" in plots[0].description and "of F1" in plots[0].description)

# The Receiver page: the stages' table and its cells, and the bars of the
# noise shares in their text alternative (the page's calculations pressed above).
receiver = next(t for t in tabs if t.name == "Receiver")
receiver.queryAction().doAction(0)
pump(1)
nodes = list(walk(frame))
tables = [n for n in nodes if n.name == "Stages" and n.getRole() == pyatspi.ROLE_TABLE]
check("the Receiver page's stages are a table of 3 rows", len(tables) == 1 and tables[0].queryTable().nRows == 3)
cells = [tables[0].queryTable().getAccessibleAt(0, c).name for c in range(2)] if tables else []
check("the first stage's cells read %s" % cells, cells == ["LNA", "20"])
headers = [tables[0].queryTable().getColumnHeader(c).name for c in range(2)] if tables else []
check("the stages' columns are read as %s" % headers, headers == ["Stage name", "Stage gain (dB)"])
products = [n for n in nodes if n.name == "Products in the bands" and n.getRole() == pyatspi.ROLE_TABLE]
first = [products[0].queryTable().getAccessibleAt(0, c).name for c in range(3)] if products else []
check("the products are a table of 8 rows, the first %s" % first,
      len(products) == 1 and products[0].queryTable().nRows == 8 and first == ["898", "7", "4f1-3f2"])
bars = [n for n in nodes if n.name == "Share of the added noise by stage"]
check("the noise shares' text alternative names each stage",
      len(bars) == 1 and "LNA 74.21 %" in bars[0].description and "Mixer 22.94 %" in bars[0].description)
sys.exit(1 if failures else 0)
