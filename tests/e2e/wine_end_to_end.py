#!/usr/bin/python3
"""velmar.exe under Wine, in an X server of its own, used as a person would.

The program is put in a folder with a Cyrillic name (C:\\Игры\\Velmar\\bin\\,
its catalog one folder up), started through Wine's own window system, found
by its caption, checked by screen pixels at named points of the layout,
clicked with the real pointer, and closed. Favourites are read from the
prefix's AppData\\Roaming\\Velmar\\ and Play's address from the script Wine's
browser setting points at.

    wine_end_to_end.py BIN_FOLDER WINE_PREFIX RECORDER [SCREENSHOT.png]

Exit status: 0 passed, 1 failed, 77 skipped (a tool is missing).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no cache beside the sources
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
from wine_session import Failure, Session, png  # noqa: E402

BACKGROUND = 0x1E1E1E
ROW = 0x2D2D2D
STAR = 0xFFC107
PLAY = 0x4CAF50
POSTERS = [0xC03030, 0x30C030, 0x3050C0, 0xC0C030]
CLIENT_WIDTH, CLIENT_HEIGHT = 947, 700


def selected_row():
    # 40008BCC over the window background.
    a = 0x40 / 255.0
    mix = lambda over, under: int(over * a + under * (1 - a) + 0.5)
    return mix(0x00, 0x1E) << 16 | mix(0x8B, 0x1E) << 8 | mix(0xCC, 0x1E)


def row_top(i):
    return 20 + 99 + 58 * i


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    bin_folder, prefix, recorder = (os.path.abspath(arg) for arg in sys.argv[1:4])
    screenshot = sys.argv[4] if len(sys.argv) > 4 else None
    for tool in ("Xvfb", "xdotool", "xwd", "xprop", "wine"):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return 77
    if not os.path.isdir(os.path.join(prefix, "drive_c")):
        print("skipped: no Wine prefix at %s (test-windows.sh makes it)" % prefix)
        return 77

    session = Session(prefix)
    scratch = tempfile.mkdtemp(prefix="velmar-wine-e2e-")
    try:
        session.start_server()
        # The program and its catalog under a Cyrillic path: bin\ beside the
        # catalog, which the program finds one folder up.
        home = os.path.join(prefix, "drive_c", "Игры", "Velmar")
        shutil.rmtree(home, ignore_errors=True)
        program = os.path.join(home, "bin")
        os.makedirs(program)
        for name in os.listdir(bin_folder):
            source = os.path.join(bin_folder, name)
            if name.endswith(".dll") or name in ("velmar.exe", "velmar-hdphoto.exe"):
                shutil.copy(source, program)
            elif name in ("platforms", "imageformats", "styles"):
                shutil.copytree(source, os.path.join(program, name))
        with open(os.path.join(home, "games.json"), "w", encoding="utf-8") as catalog:
            catalog.write("""[
  {"id": 1, "name": "Альфа", "url": "https://example.org/1", "post": "1.png"},
  {"id": 2, "name": "Bravo", "url": "https://example.org/2", "post": "2.png"},
  {"id": 3, "name": "Чарли", "url": "https://example.org/3", "post": "3.png"},
  {"id": 4, "name": "Dune", "url": "https://example.org/4", "post": "4.png"}
]""")
        os.makedirs(os.path.join(home, "assets", "post"))
        for i, colour in enumerate(POSTERS):
            with open(os.path.join(home, "assets", "post", "%d.png" % (i + 1)), "wb") as poster:
                poster.write(png(336, 200, lambda x, y, c=colour: c))

        # The user's own settings folder, empty; Wine's browser writes down.
        settings = os.path.join(session.folder("APPDATA"), "Velmar")
        shutil.rmtree(settings, ignore_errors=True)
        favorites = os.path.join(settings, "favorites.json")
        addresses = os.path.join(scratch, "addresses.txt")
        session.env["VELMAR_ADDRESS_LOG"] = addresses
        session.run("wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                    "/d", recorder, "/f")

        session.start(os.path.join(program, "velmar.exe"))
        window = session.find_window("Velmar")
        x, y, width, height = session.geometry(window)
        # Without a window manager Wine draws the frame inside the X window:
        # equal borders, the caption above the client area.
        border = (width - CLIENT_WIDTH) // 2
        left, top = x + border, y + height - border - CLIENT_HEIGHT
        problems = []

        def expect(condition, what):
            if not condition:
                problems.append(what)

        expect(width >= CLIENT_WIDTH and height >= CLIENT_HEIGHT,
               "the window is %dx%d, smaller than its client area" % (width, height))
        # Centred with its frame, which Wine draws above and around this
        # client window.
        expect(abs(x + width / 2 - 640) <= 2 and 0 <= y + height / 2 - 512 <= 40,
               "the window at %d,%d (%dx%d) is not centred on the 1280x1024 screen"
               % (x, y, width, height))
        # Wine tells the window's frame to X as Motif hints: the functions
        # offered are move, minimise and close; resize (2) and maximise (16)
        # are not.
        motif = session.run("xprop", "-id", window, "_MOTIF_WM_HINTS").split("=")[-1]
        functions = int(motif.split(",")[1], 16)
        expect(functions & 0x2c == 0x2c and not functions & 0x12,
               "the frame offers functions %#x, not move, minimise and close only" % functions)

        def wait_for(cx, cy, colour, seconds=10):
            deadline = time.time() + seconds
            while True:
                got = session.screen().at(left + cx, top + cy)
                # Blending may round the last bit the other way.
                close = all(abs((got >> s & 0xFF) - (colour >> s & 0xFF)) <= 1 for s in (0, 8, 16))
                if close or time.time() > deadline:
                    expect(close, "pixel %d,%d is %06X, not %06X" % (cx, cy, got, colour))
                    return close
                time.sleep(0.1)

        def click(cx, cy):
            session.run("xdotool", "mousemove", str(left + cx), str(top + cy), "click", "1")

        # At start: the background, the first row selected, its poster.
        wait_for(5, 5, BACKGROUND)
        wait_for(820, row_top(0) + 4, selected_row())
        wait_for(820, row_top(1) + 4, ROW)
        wait_for(400, 200, POSTERS[0])
        wait_for(817, 20 + 545 + 5, PLAY)
        if screenshot:
            # With the frame Wine draws around the client window.
            shot_left, shot_top = max(0, x - 8), max(0, y - 34)
            with open(screenshot, "wb") as out:
                out.write(session.screen().png(shot_left, shot_top, width + 16, height + 42))

        # A click on the third row shows its game.
        click(800, row_top(2) + 25)
        wait_for(400, 200, POSTERS[2])
        wait_for(820, row_top(2) + 4, selected_row())
        wait_for(820, row_top(0) + 4, ROW)

        # Starring Bravo writes the file at once and moves it to the top;
        # Чарли stays selected, now third.
        click(702 + 189 + 18, row_top(1) + 25)
        wait_for(820, row_top(2) + 4, selected_row())
        deadline = time.time() + 10
        while not os.path.exists(favorites) and time.time() < deadline:
            time.sleep(0.1)
        with open(favorites, "rb") as saved:
            content = saved.read()
        expect(content == b"\xef\xbb\xbf[2]", "favorites.json holds %r" % content)
        shot = session.screen()
        expect(any(shot.at(left + 702 + 189 + 18 + dx, top + row_top(0) + 25 + dy) == STAR
                   for dx in range(-10, 11) for dy in range(-10, 9)),
               "no amber star on the top row")

        # Play opens the selected game's address.
        click(817, 20 + 545 + 25)
        deadline = time.time() + 10
        while not os.path.exists(addresses) and time.time() < deadline:
            time.sleep(0.1)
        time.sleep(0.3)
        got = open(addresses, encoding="utf-8").read() if os.path.exists(addresses) else ""
        expect(got == "https://example.org/3\n", "Play handed the browser %r" % got)

        # Closing the window writes the favourites once more.
        os.remove(favorites)
        status = session.close_program()
        expect(status == 0, "velmar.exe ended with status %d" % status)
        content = open(favorites, "rb").read() if os.path.exists(favorites) else None
        expect(content == b"\xef\xbb\xbf[2]", "at close favorites.json holds %r" % content)

        for problem in problems:
            print("FAILED: " + problem)
        print("checked the window %dx%d at %d,%d; client area at %d,%d"
              % (width, height, x, y, left, top))
        return 1 if problems else 0
    except Failure as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        session.stop()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
