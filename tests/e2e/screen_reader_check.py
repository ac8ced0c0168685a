"""Drives the running program through AT-SPI as a screen reader would.

With --tree it prints the main window's accessible tree, one line a node, and stops; with
--tree --enlarged it prints the tree at the designed client size.
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITLE = "RI-ZUZERU-VAVUZA"
failures = []


def check(name, ok, detail=""):
    if not ok:
        failures.append(name)
        print(f"FAIL: {name}" + (f": {detail}" if detail else ""))


def wait_for(predicate, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return None


def application():
    def find():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == TITLE and app.childCount:
                return app
        return None
    return wait_for(find, 20)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def has(node, state):
    return node.getState().contains(state)


def targets(node, relation):
    return [r.getTarget(i) for r in node.getRelationSet() if r.getRelationType() == relation
            for i in range(r.getNTargets())]


def describe(node, depth):
    names = {pyatspi.STATE_FOCUSABLE: "focusable", pyatspi.STATE_SHOWING: "showing",
             pyatspi.STATE_EDITABLE: "editable", pyatspi.STATE_READ_ONLY: "read-only",
             pyatspi.STATE_MODAL: "modal", pyatspi.STATE_FOCUSED: "focused"}
    states = ",".join(n for s, n in names.items() if has(node, s))
    labels = "".join(f" labelled-by {t.name!r}" for t in targets(node, pyatspi.RELATION_LABELLED_BY))
    return f"{'  ' * depth}{node.getRoleName()} {node.name!r} [{states}]{labels}"


def print_tree(node, depth=0):
    print(describe(node, depth))
    for child in node:
        print_tree(child, depth + 1)


def top_level(app, role):
    return next((w for w in app if w is not None and w.getRoleName() == role), None)


def text_of(node):
    return node.queryText().getText(0, -1)


def uptime_seconds(shown):
    match = re.fullmatch(r"(\d+)d, (\d+)h, (\d+)m, (\d+)s", shown)
    if not match:
        return None
    d, h, m, s = map(int, match.groups())
    return ((d * 24 + h) * 60 + m) * 60 + s


def focused_in(window):
    return next((n for n in walk(window) if has(n, pyatspi.STATE_FOCUSED)), None)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def check_tree(frame):
    check("main window is a frame named by its title", frame.name == TITLE, frame.name)
    box = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    nodes = list(walk(frame))[1:]
    for node in nodes:
        if not has(node, pyatspi.STATE_FOCUSABLE):
            continue
        r = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        inside = (r.x >= box.x and r.y >= box.y and r.x + r.width <= box.x + box.width
                  and r.y + r.height <= box.y + box.height)
        check(f"focusable {node.name!r} lies in the window", inside and has(node, pyatspi.STATE_SHOWING))
    check("only the controls in view are in the tree", len(nodes) == 11, str(len(nodes)))
    check("no decorative empty label", all(n.name for n in nodes if n.getRoleName() == "label"))


def uptime_by_caption(frame):
    caption = next((n for n in walk(frame) if n.getRoleName() == "label" and n.name == "UPTIME:"),
                   None)
    found = targets(caption, pyatspi.RELATION_LABEL_FOR) if caption else []
    check("the caption UPTIME: names a field", len(found) == 1)
    return found[0] if found else None


def status_line(frame):
    caption = next(n for n in walk(frame) if n.name == "STATUS:")
    return targets(caption, pyatspi.RELATION_LABEL_FOR)[0]


def watch_display(display, seconds):
    """Samples the display's text and counts the events it sends over a few seconds."""
    events = {"insert": 0, "delete": 0, "caret": 0}
    samples = []
    counting = [False]

    def on_event(event):
        if not counting[0] or event.source != display:
            return
        if event.type.startswith("object:text-caret-moved"):
            events["caret"] += 1
        elif event.type.endswith(":insert"):
            events["insert"] += 1
        elif event.type.endswith(":delete"):
            events["delete"] += 1

    def sample():
        counting[0] = True
        samples.append((time.monotonic(), text_of(display)))
        return True

    def stop():
        sample()
        counting[0] = False
        loop.quit()

    kinds = ("object:text-changed", "object:text-caret-moved")
    pyatspi.Registry.registerEventListener(on_event, *kinds)
    loop = GLib.MainLoop()
    def begin():
        GLib.timeout_add(50, sample)
        return False

    # Half a second for the program to learn of the listener, then the samples and the count.
    GLib.timeout_add(500, begin)
    GLib.timeout_add(500 + int(seconds * 1000), stop)
    loop.run()
    pyatspi.Registry.deregisterEventListener(on_event, *kinds)
    return events, samples


def check_uptime(frame, display):
    status = status_line(frame)
    check("status before START", status.name == "READY...", status.name)
    start = next(n for n in walk(frame) if n.getRoleName() == "push button" and n.name == "START")
    press(start)
    check("START through the Action interface starts a run",
          wait_for(lambda: status.name == "!!! STARTING !!!", 5), status.name)
    check("the display is read-only text",
          display.getRoleName() == "text" and has(display, pyatspi.STATE_READ_ONLY)
          and not has(display, pyatspi.STATE_EDITABLE))
    shown = wait_for(lambda: uptime_seconds(text_of(display)) and text_of(display), 5) or ""
    with open("/proc/uptime") as f:
        system = float(f.read().split()[0])
    seconds = uptime_seconds(shown)
    check("the uptime agrees with /proc/uptime", seconds is not None and abs(seconds - system) <= 2,
          f"{shown!r} against {system:.1f} s")
    # The details, as the field's description: awake (faked to start at 1 s) and asleep add up
    # to the uptime.
    details = display.description.split("\n")
    spans = {line.split(" ", 1)[0]: uptime_seconds(line.split(" ", 1)[1]) for line in details[1:3]
             if " " in line}
    check("the description says since when, then awake and asleep",
          len(details) == 3 and details[0].startswith("Up since ")
          and spans.get("Awake") is not None and spans["Awake"] < 60
          and spans.get("Asleep") is not None
          and abs(spans["Awake"] + spans["Asleep"] - uptime_seconds(text_of(display))) <= 2,
          repr(display.description))

    events, samples = watch_display(display, 3.6)
    values = [uptime_seconds(t) for _, t in samples]
    changes = [(t, v) for (t, _), v, before in zip(samples[1:], values[1:], values) if v != before]
    check("the uptime changes each second by one second",
          len(changes) >= 3 and all(b - a == 1 for a, b in zip(values, values[1:]) if a != b)
          and all(0.8 < t2 - t1 < 1.2 for (t1, _), (t2, _) in zip(changes, changes[1:])),
          str(changes))
    # A change at either end may fall just inside the count and outside the samples.
    check("one text change a second, no caret moves",
          events["caret"] == 0 and events["insert"] == events["delete"]
          and abs(events["insert"] - len(changes)) <= 1, f"{events} for {len(changes)} changes")


def check_about(app, frame):
    before = focused_in(frame)
    about = next(n for n in walk(frame) if n.getRoleName() == "push button" and n.name == "About")
    press(about)
    dialog = wait_for(lambda: top_level(app, "dialog"), 5)
    check("About is a dialog", dialog is not None)
    if not dialog:
        return
    check("About is modal to assistive technology", has(dialog, pyatspi.STATE_MODAL))
    labels = [n for n in walk(dialog) if n.getRoleName() == "label"]
    check("About's empty labels are hidden", all(n.name for n in labels), str(len(labels)))
    log = next((n for n in walk(dialog) if n.name == "Output Log" and n.getRoleName() == "text"),
               None)
    check("About's log copy is named by its caption",
          log is not None and [t.name for t in targets(log, pyatspi.RELATION_LABELLED_BY)]
          == ["Output Log"])
    # Esc, as a keyboard user closes it.
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Escape"], check=True)
    check("About closes with Esc", wait_for(lambda: top_level(app, "dialog") is None, 5))
    after = wait_for(lambda: focused_in(frame), 5)
    check("the focus returns to the control that had it",
          before is not None and after is not None and after.name == before.name,
          f"{before and before.name!r} then {after and after.name!r}")


def resize(width, height):
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$"], check=True,
                            capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowsize", window, str(width), str(height)], check=True)


def check_enlarged(frame):
    """At the designed client size (806 x 515 px) the value fields join the tree, and leave it
    again when the window shrinks."""
    resize(806, 515)
    check("enlarged, every control is in the tree", wait_for(lambda: frame.childCount == 56, 5),
          str(frame.childCount))
    seconds = next((n for n in walk(frame) if n.name == "SECONDS" and n.getRoleName() == "text"),
                   None)
    check("enlarged, a value field is named by its caption and focusable",
          seconds is not None and has(seconds, pyatspi.STATE_FOCUSABLE)
          and text_of(seconds) == "1000", seconds and text_of(seconds))
    resize(286, 130)
    check("shrunk, the value fields leave the tree", wait_for(lambda: frame.childCount == 11, 5),
          str(frame.childCount))


def main():
    app = application()
    if app is None:
        print("FAIL: the program never joined the accessibility bus")
        return 1
    frame = wait_for(lambda: top_level(app, "frame"), 10)
    if frame is None:
        print("FAIL: no frame; the tree is:")
        print_tree(app)
        return 1
    if "--tree" in sys.argv:
        if "--enlarged" in sys.argv:
            resize(806, 515)
            time.sleep(1)
        print_tree(frame)
        return 0
    check_tree(frame)
    display = uptime_by_caption(frame)
    if display is not None:
        check_uptime(frame, display)
    check_about(app, frame)
    check_enlarged(frame)
    print(f"screen reader checks: {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
