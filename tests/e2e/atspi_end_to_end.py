#!/usr/bin/python3
"""The real program seen by a real assistive-technology client.

Under Xvfb, in a private D-Bus session with the AT-SPI bus, pyatspi finds the
program's window, its list by role and the list's item names, runs the Press
action of Play and sees the address reach the shell: a stand-in xdg-open
first on PATH records what it is given, so the program itself is unchanged.
It then moves through the list with the keyboard and checks the events a
screen reader relies on (focus on the selected row and never on the frame, a
rebuilt list, the search result announced), asks the search box for words at
the end of its text, and stars a game through its row's check box.

Usage: atspi_end_to_end.py PROGRAM. Exits 77 (skipped) when a tool is missing.
Run with Debian's /usr/bin/python3, which has pyatspi.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no cache beside the sources
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_display import start_xvfb  # noqa: E402

SKIP = 77
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

CATALOG = """[
  {"id": 1, "name": "Alpha", "url": "https://example.org/1"},
  {"id": 2, "name": "Bravo", "url": "https://example.org/2"},
  {"id": 3, "name": "Charlie", "url": "https://example.org/3"},
  {"id": 4, "name": "Dune", "url": "https://example.org/4"}
]"""

FAKE_XDG_OPEN = """#!/bin/sh
printf '%s\\n' "$1" >> "$VELMAR_TEST_SHELL_RECORD"
"""


def why_unavailable():
    for tool, package in (("Xvfb", "xvfb"), ("xdotool", "xdotool"), ("dbus-run-session", "dbus")):
        if not shutil.which(tool):
            return f"{tool} is not installed (Debian package {package})"
    if not os.path.exists(LAUNCHER):
        return "at-spi-bus-launcher is not installed (Debian package at-spi2-core)"
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        return "pyatspi is not installed (Debian package python3-pyatspi)"
    return ""


def wait_for(what, predicate, seconds=30, pump=None):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if pump:
            pump()
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def describe(accessible):
    import pyatspi
    action = accessible.queryAction()
    actions = [action.getName(i) for i in range(action.nActions)]
    states = sorted(pyatspi.stateToString(s) for s in accessible.getState().getStates())
    return (f"role={accessible.getRoleName()!r} name={accessible.name!r} "
            f"description={accessible.description!r} states={states} actions={actions}")


def run(program):
    import pyatspi
    from gi.repository import GLib

    def pump():
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass

    with tempfile.TemporaryDirectory() as root:
        data = os.path.join(root, "data")
        settings = os.path.join(root, "settings")
        tools = os.path.join(root, "bin")
        record = os.path.join(root, "shell.txt")
        for folder in (data, settings, tools):
            os.makedirs(folder)
        # The program finds its catalog beside itself.
        shutil.copy(program, os.path.join(data, "velmar"))
        with open(os.path.join(data, "games.json"), "w", encoding="utf-8") as f:
            f.write(CATALOG)
        xdg_open = os.path.join(tools, "xdg-open")
        with open(xdg_open, "w") as f:
            f.write(FAKE_XDG_OPEN)
        os.chmod(xdg_open, 0o755)

        server, display = start_xvfb()
        os.environ["DISPLAY"] = display
        environment = dict(os.environ,
                           QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           XDG_CONFIG_HOME=settings,
                           ASAN_OPTIONS="detect_leaks=0",
                           VELMAR_TEST_SHELL_RECORD=record,
                           PATH=tools + os.pathsep + os.environ.get("PATH", ""))
        velmar = subprocess.Popen([os.path.join(data, "velmar")], env=environment)
        events = []
        try:
            def find_app():
                desktop = pyatspi.Registry.getDesktop(0)
                for app in desktop:
                    if app is not None and app.name == "velmar" and app.childCount > 0:
                        return app
                return None

            app = wait_for("the program on the AT-SPI bus", find_app)
            frame = app[0]
            assert frame.getRole() == pyatspi.ROLE_FRAME, frame.getRoleName()
            assert frame.name == "Velmar", frame.name

            lists = wait_for("the list", lambda: pyatspi.findDescendant(
                frame, lambda a: a.getRole() == pyatspi.ROLE_LIST))
            names = [item.name for item in lists]
            assert names == ["Alpha", "Bravo", "Charlie", "Dune"], names
            assert all(item.getRole() == pyatspi.ROLE_LIST_ITEM for item in lists)
            assert lists[0].getState().contains(pyatspi.STATE_SELECTED)
            print("row:  " + describe(lists[0]))

            play = pyatspi.findDescendant(
                frame, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == "Играть")
            assert play is not None, "no push button named Играть"
            print("play: " + describe(play))
            action = play.queryAction()
            press = [action.getName(i) for i in range(action.nActions)].index("Press")
            action.doAction(press)

            def recorded():
                if not os.path.exists(record):
                    return None
                with open(record) as f:
                    return f.read()
            assert wait_for("the address at the shell", recorded, 15) == "https://example.org/1\n"

            # The keyboard, as a screen-reader user moves: focus lands on rows.
            def listen(event):
                source = event.source
                events.append((event.type, source.getRoleName() if source else "", source.name if source else ""))
            pyatspi.Registry.registerEventListener(listen, "focus:", "object:children-changed",
                                                   "object:state-changed:showing")
            window = subprocess.run(["xdotool", "search", "--name", "^Velmar$"], capture_output=True,
                                    text=True).stdout.split()[0]
            subprocess.run(["xdotool", "mousemove", "--window", window, "5", "5", "click", "1"], check=True)
            time.sleep(0.5)
            # The click on the background focused the window itself; from here
            # on the keyboard moves the focus between controls.
            pump()
            events.clear()
            subprocess.run(["xdotool", "key", "--delay", "150", "Tab", "Tab", "Down"], check=True)
            wait_for("focus on the second row",
                     lambda: ("focus:", "list item", "Bravo") in events, 10, pump)
            assert lists[1].getState().contains(pyatspi.STATE_FOCUSED)
            print("focused row: " + describe(lists[1]))
            subprocess.run(["xdotool", "type", "--delay", "150", "c"], check=True)
            wait_for("the list rebuilt", lambda: len(lists) == 1 and lists[0].name == "Charlie", 10, pump)
            wait_for("children-changed on the list",
                     lambda: any(e[0].startswith("object:children-changed") and e[1] == "list" for e in events),
                     10, pump)
            # What the search found is told as a notification, and the focus
            # stayed where it was: on a control, never on the frame.
            wait_for("the search result announced",
                     lambda: ("object:state-changed:showing", "notification", "Найдено игр: 1") in events,
                     10, pump)
            frame_focus = [e for e in events if e[1] == "frame" and e[0].startswith(("focus:", "object:state-changed:focused"))]
            assert not frame_focus, frame_focus

            # The search box answers a word query at the end of its text,
            # which Qt's own line edit object never returned from.
            search = pyatspi.findDescendant(frame, lambda a: a.getRole() == pyatspi.ROLE_TEXT)
            text = search.queryText()
            assert text.getText(0, -1) == "c", text.getText(0, -1)
            for boundary in (pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END,
                             pyatspi.TEXT_BOUNDARY_SENTENCE_START):
                assert text.getTextAtOffset(1, boundary) == ("c", 0, 1), text.getTextAtOffset(1, boundary)
            assert text.getTextAtOffset(1, pyatspi.TEXT_BOUNDARY_CHAR) == ("", 1, 1)
            assert text.getAttributeRun(0, False)[1:3] == [0, 1], text.getAttributeRun(0, False)

            # The row's star: a check box whose Toggle stars the game as a click does.
            star = lists[0][0]
            print("star: " + describe(star))
            assert star.getRole() == pyatspi.ROLE_CHECK_BOX and star.name == "Избранное"
            toggle = star.queryAction()
            toggle.doAction([toggle.getName(i) for i in range(toggle.nActions)].index("Toggle"))
            favorites = os.path.join(settings, "Velmar", "favorites.json")

            def starred():
                if not os.path.exists(favorites):
                    return None
                with open(favorites, "rb") as f:
                    return f.read()
            assert wait_for("favorites.json", starred, 10) == b"\xef\xbb\xbf[3]"
            wait_for("the starred row checked",
                     lambda: lists[0].getState().contains(pyatspi.STATE_CHECKED), 10)
            print("starred row: " + describe(lists[0]))
        finally:
            velmar.terminate()
            try:
                velmar.wait(10)
            except subprocess.TimeoutExpired:
                velmar.kill()
            server.terminate()
            server.wait()
    print("AT-SPI end-to-end: passed")
    return 0


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    if "--inner" not in sys.argv:
        why = why_unavailable()
        if why:
            print(f"skipped: {why}")
            return SKIP
        # A private session bus; it starts the AT-SPI bus when first asked.
        return subprocess.call(["dbus-run-session", "--", sys.executable, __file__, "--inner", sys.argv[1]])
    try:
        return run(sys.argv[-1])
    except (AssertionError, RuntimeError) as failure:
        print(f"failed: {failure}")
        return 1


if __name__ == "__main__":
    sys.exit(main())
