#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window as a screen reader meets it: over the Linux accessibility bus
(AT-SPI), from another process, the way Orca reads it.

    python3 tests/screen_reader_test.py build/chislova-redica

It runs in a session bus and an X server of its own, so that it neither needs a
desktop nor disturbs the one it is started from.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

SEQUENCE = "311292313304315306317318309311030113112"
SAYING = "Никой не оценява"
HIDDEN_SPOKEN = "неизвестна"
BOX_NAME = re.compile(r"^Цифра (\d+): (.+)$")
# How long to wait for something that should happen at once before calling it
# missing; nothing here measures speed.
PATIENCE_SECONDS = 30


def fail(message):
    raise SystemExit(f"FAIL: {message}")


def wait_for(what, condition):
    """Dispatches bus events until condition() holds."""
    deadline = time.monotonic() + PATIENCE_SECONDS
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            fail(f"gave up waiting for {what}")
        time.sleep(0.05)


def find_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def descendants(node):
    for child in node:
        yield child
        yield from descendants(child)


def screen_pixels(box):
    """The box's pixels as X shows them, less the one-pixel overlap with its
    neighbours on either side."""
    ext = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    geometry = f"{ext.width - 2}x{ext.height}+{ext.x + 1}+{ext.y}"
    return subprocess.run(
        ["import", "-window", "root", "-crop", geometry, "-depth", "8", "rgb:-"],
        check=True, capture_output=True).stdout


def centre(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x + ext.width // 2, ext.y + ext.height // 2


def orca_click(node):
    """Orca's click from flat review, as it comes when Orca does not see the
    pointer move: two mouse clicks on the node through the accessibility registry
    and then the press action, all within a few milliseconds. The clicks are the
    registry's double click, which puts them a millisecond apart however loaded
    the machine is."""
    action, press = action_index(node, "Press")
    pyatspi.Registry.generateMouseEvent(*centre(node), "b1d")
    if not action.doAction(press):
        fail(f"{node.name!r} refused its press action")


def has_ink(pixels):
    """True when something darker than the white box is drawn in it."""
    return any(pixels[i] < 128 for i in range(0, len(pixels), 3))


def action_index(node, name):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == name:
            return action, i
    fail(f"{node.name!r} offers no {name!r} action")


def text_of(node):
    return node.queryText().getText(0, -1)


def check_nothing_hidden(nodes):
    """Neither the hidden list of the sequence (the answers) nor the hidden saying
    is anywhere in the tree, nor any other text that is not on screen."""
    for node in nodes:
        if node.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_ITEM):
            fail(f"the hidden sequence is reachable: {node.getRoleName()} {node.name!r}")
        text = text_of(node) if "Text" in pyatspi.listInterfaces(node) else ""
        if SAYING in node.name or SAYING in text:
            fail(f"the hidden saying is reachable in {node.getRoleName()} {node.name!r}")
        if (node.name or text) and not node.getState().contains(pyatspi.STATE_VISIBLE):
            fail(f"a hidden {node.getRoleName()} {node.name!r} is reachable")


def focus_window(pid):
    """Gives the window the keyboard, as a desktop's window manager would."""
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid),
                             "--class", "chislova-redica"],
                            check=True, capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)


def start_x_server():
    """A virtual screen on the first free display number, as DISPLAY. It is not
    reset when its last client leaves: the accessibility bus's services come and
    go as they start, and a reset turns away whoever connects meanwhile."""
    read, write = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-screen", "0", "800x600x24", "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(write,))
    os.close(write)
    with os.fdopen(read) as ready:
        number = ready.readline().strip()
    if not number:
        fail("Xvfb did not start")
    os.environ["DISPLAY"] = f":{number}"
    return server


def main(program):
    heard = []

    def listen(event):
        heard.append((event.type, event.source, event.detail1))

    def renamed(node):
        """How many times the bus carried a change of node's name."""
        return sum(1 for kind, source, _ in heard
                   if kind.startswith("object:property-change:accessible-name") and source == node)

    def told(message):
        """Whether a notification showed with `message`, as Orca speaks it."""
        return any(kind.startswith("object:state-changed:showing") and shown
                   and source.getRole() == pyatspi.ROLE_NOTIFICATION and source.name == message
                   for kind, source, shown in heard)

    # Listening before the program starts, so that its bridge sends these
    # events from its first frame on, as it does for a running screen reader.
    pyatspi.Registry.registerEventListener(
        listen, "object:property-change:accessible-name", "object:text-changed",
        "object:state-changed:showing", "object:text-caret-moved")

    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program], env=env)
    try:
        app = wait_for("the program on the accessibility bus",
                       lambda: find_application(process.pid))
        nodes = wait_for("the window's controls", lambda: list(descendants(app)))
        check_nothing_hidden(nodes)

        boxes = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                 and BOX_NAME.match(n.name)]
        named = [BOX_NAME.match(b.name).groups() for b in boxes]
        if [int(place) for place, _ in named] != list(range(1, 16)):
            fail(f"boxes not read as 'Цифра 1' to 'Цифра 15' in order: {[b.name for b in boxes]}")
        digits = [digit for _, digit in named]
        shown, hidden = "".join(digits[:10]), digits[10:]
        if not re.fullmatch(r"\d{10}", shown) or shown not in SEQUENCE:
            fail(f"the ten shown digits {digits[:10]} are not a run of the sequence")
        if hidden != [HIDDEN_SPOKEN] * 5:
            fail(f"the five hidden boxes read {hidden}, not {HIDDEN_SPOKEN!r}")

        counters = {n.name: n for n in nodes if n.getRole() == pyatspi.ROLE_TEXT}
        correct, wrong = counters.get("Верни отговори"), counters.get("Грешни отговори")
        if not correct or not wrong:
            fail(f"counters not found among {list(counters)}")
        if (text_of(correct), text_of(wrong)) != ("0", "0"):
            fail(f"counters read {text_of(correct)!r} and {text_of(wrong)!r}, not '0' and '0'")

        # Press the first hidden box as a screen reader user does, through its action.
        box = boxes[10]
        before = wait_for("the row drawn on screen", lambda: (
            lambda p: p if has_ink(p) else None)(screen_pixels(box)))
        action, press = action_index(box, "Press")
        if not action.doAction(press):
            fail("the box refused its press action")
        wait_for("an event that box 11 changed its name",
                 lambda: any(kind.startswith("object:property-change:accessible-name")
                             and source == box for kind, source, _ in heard))
        if box.name != "Цифра 11: 1":
            fail(f"after a press box 11 reads {box.name!r}, not 'Цифра 11: 1'")
        wait_for("a screen reader told box 11's new digit", lambda: told("Цифра 11: 1"))

        # On screen it now shows the same "1" as a shown box holding 1: every ten
        # consecutive digits of the sequence hold a 1.
        one = screen_pixels(boxes[digits.index("1")])
        after = wait_for("box 11 repainted", lambda: (
            lambda p: p if p != before else None)(screen_pixels(box)))
        if after != one:
            fail("after a press box 11 does not show the same '1' as a shown box")

        # Every press counts, however quick: a pupil with a switch or a screen
        # reader's activate key presses again 150, 200 and 300 ms after the last.
        for pause in (0.15, 0.2, 0.3):
            time.sleep(pause)
            if not action.doAction(press):
                fail("the box refused its press action")
        # Orca's click from flat review reaches a box three ways; it is one
        # press, and so is the next, 150 ms later.
        for _ in range(2):
            orca_click(boxes[11])
            time.sleep(0.15)
        # The window takes mouse clicks in order: once this last one has shown,
        # every click before it has reached its box.
        pyatspi.Registry.generateMouseEvent(*centre(boxes[12]), "b1c")
        wait_for("box 13 advanced by a click through the registry",
                 lambda: renamed(boxes[12]) == 1)
        for place, presses in ((11, 4), (12, 2)):
            digit = boxes[place - 1].name.split(": ")[1]
            if (renamed(boxes[place - 1]), digit) != (presses, str(presses)):
                fail(f"after {presses} presses box {place} reads {digit}, its name changed "
                     f"{renamed(boxes[place - 1])} times")

        # The row is wrong (four boxes still count as 0), so the red counter rises.
        action, press = action_index(next(n for n in nodes if n.name == "Провери"), "Press")
        if not action.doAction(press):
            fail("'Провери' refused its press action")
        wait_for("an event that the wrong answers counter changed",
                 lambda: any(kind.startswith("object:text-changed")
                             and source == wrong for kind, source, _ in heard))
        if (text_of(correct), text_of(wrong)) != ("0", "1"):
            fail(f"after a wrong check the counters read {text_of(correct)!r} and "
                 f"{text_of(wrong)!r}, not '0' and '1'")
        wait_for("a screen reader told the result of the check",
                 lambda: told("Грешни отговори: 1"))
        check_nothing_hidden(list(descendants(app)))

        # The help text has the focus; the down arrow moves its caret to the next
        # line, which a screen reader then reads.
        help_text = next(n for n in nodes if n.name == "Помощ").queryText()
        first_line = help_text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
        focus_window(process.pid)
        # Only what the bus carries after the key counts; the caret moves to where
        # the first line ends, which is also where the second begins.
        since = len(heard)
        subprocess.run(["xdotool", "key", "Down"], check=True)
        wait_for("the help text's caret moved to the next line by the down arrow", lambda: any(
            kind.startswith("object:text-caret-moved") and offset >= first_line[2]
            for kind, _, offset in heard[since:]))
    finally:
        process.terminate()
        process.wait()
    print("PASS: every box, quick presses and Orca's click on them, the check and the help text "
          "read over AT-SPI")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        raise SystemExit(f"usage: {sys.argv[0]} PROGRAM")
    if os.environ.get("SCREEN_READER_TEST_BUS") != "private":
        # Again inside a session bus of its own, whose accessibility bus the
        # program and this test both find there, away from any desktop's. The
        # screen comes first, so that the bus's services, the registry among
        # them, draw on it: the registry clicks there as Orca asks.
        x_server = start_x_server()
        env = {k: v for k, v in os.environ.items() if k not in (
            "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS", "DBUS_SESSION_BUS_ADDRESS")}
        env["SCREEN_READER_TEST_BUS"] = "private"
        try:
            # The accessibility bus keeps its socket in the runtime folder: one of
            # its own, or two runs side by side would meet on one bus.
            with tempfile.TemporaryDirectory() as runtime_dir:
                env["XDG_RUNTIME_DIR"] = runtime_dir
                sys.exit(subprocess.run(["dbus-run-session", "--", sys.executable, *sys.argv],
                                        env=env).returncode)
        finally:
            x_server.terminate()
            x_server.wait()
    # Only now: the accessibility client connects to its bus as it loads.
    import pyatspi
    from gi.repository import GLib

    main(sys.argv[1])
