#!/usr/bin/python3
"""The real program heard through a real screen reader.

Under Xvfb with openbox, in a private D-Bus session with the AT-SPI bus,
Orca runs with a debug log and the program with the bundled sample catalog.
Keys go in through xdotool, as a user's would, and what Orca says is read
back from the "SPEECH OUTPUT" lines of its log, step by step: moving into
the list and down it, starring a game, searching, moving by words at the end
of the search box, a search that finds nothing, and Play with no game chosen.
Each step prints everything Orca said for it. Orca's echo of the keys
themselves is printed too but never counts as the program's answer.

Usage: orca_end_to_end.py PROGRAM [DATA_FOLDER]. DATA_FOLDER holds games.json
and assets/ and defaults to the repository's data/. Exits 77 (skipped) when a
tool is missing or this user already runs an Orca. Run with Debian's
/usr/bin/python3.
"""

import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty

sys.dont_write_bytecode = True  # no cache beside the sources
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x_display import start_xvfb  # noqa: E402

SKIP = 77
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
DEFAULT_DATA = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data"))
STEP_SECONDS = 10
WHOLE_RUN_SECONDS = 150
# Two letters found in a few of the sample games, not in all.
QUERY = "ма"
NO_MATCH = "zzzz"

FAKE_XDG_OPEN = """#!/bin/sh
printf '%s\\n' "$1" >> "$VELMAR_TEST_SHELL_RECORD"
"""


class StepFailed(Exception):
    pass


def why_unavailable():
    for tool, package in (("Xvfb", "xvfb"), ("xdotool", "xdotool"), ("dbus-run-session", "dbus"),
                          ("openbox", "openbox"), ("orca", "orca")):
        if not shutil.which(tool):
            return f"{tool} is not installed (Debian package {package})"
    if not os.path.exists(LAUNCHER):
        return "at-spi-bus-launcher is not installed (Debian package at-spi2-core)"
    # Orca refuses to start while another Orca of this user runs, as on a
    # screen-reader user's own desktop.
    if shutil.which("pgrep"):
        others = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                                capture_output=True, text=True).stdout.split()
        if others:
            return f"Orca is already running for this user (process {', '.join(others)})"
    return ""


def wait_for(what, predicate, seconds):
    deadline = time.monotonic() + seconds
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise StepFailed(f"timed out waiting for {what}")
        time.sleep(0.1)


# "HH:MM:SS.ffffff - SPEECH OUTPUT: 'text'{voice}". Orca logs its echo of a
# key or a typed character with a space before the voice; what a script
# speaks has none, or " voice=NAME".
SPEECH_LINE = re.compile(r" - SPEECH OUTPUT: '(.*)'(?:( voice=\S+)|( ))?(\[?\{.*\}\]?)?$")


class OrcaLog:
    """Orca's debug log as it is written.

    Orca opens its debug file with Python's default buffering, which holds
    lines back for a file but not for a terminal; the log therefore goes to a
    pseudo-terminal, so each line is here as soon as Orca writes it."""

    def __init__(self, copy_path):
        self._lock = threading.Lock()
        self._pending = b""
        self.entries = []  # (text, is_key_echo)
        self._copy = open(copy_path, "wb")
        try:
            self._master, self._slave = os.openpty()
            tty.setraw(self._slave)
            self.path = os.ttyname(self._slave)
        except OSError:
            self._master = self._slave = None
            self.path = copy_path + ".orca"
            self._file_offset = 0
        if self._master is not None:
            threading.Thread(target=self._read_terminal, daemon=True).start()

    def _read_terminal(self):
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                return
            if not chunk:
                return
            self._take(chunk)

    def _take(self, chunk):
        with self._lock:
            self._copy.write(chunk)
            self._pending += chunk
            *lines, self._pending = self._pending.split(b"\n")
            for raw in lines:
                line = raw.decode("utf-8", "replace").rstrip("\r")
                match = SPEECH_LINE.search(line)
                if match:
                    self.entries.append((match.group(1), match.group(3) is not None))
                elif " - SPEECH OUTPUT: '" in line:
                    self.entries.append((line.split(" - SPEECH OUTPUT: '", 1)[1], False))

    def poll(self):
        if self._master is None and os.path.exists(self.path):
            with open(self.path, "rb") as f:
                f.seek(self._file_offset)
                chunk = f.read()
            self._file_offset += len(chunk)
            if chunk:
                self._take(chunk)
        with self._lock:
            return list(self.entries)

    def close(self):
        for fd in (self._slave, self._master):
            if fd is not None:
                try:
                    os.close(fd)
                except OSError:
                    pass
        self._copy.close()


def spoken(entries):
    """What the program made Orca say, without Orca's key echo."""
    return [text for text, echo in entries if not echo]


def show(entries):
    return " | ".join(repr(text) for text, _ in entries) or "(nothing)"


def stop(process, name=None, seconds=5):
    """Ends a process; name it to be told when it had to be killed."""
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(seconds)
    except subprocess.TimeoutExpired:
        if name:
            print(f"{name} did not stop; killing it")
        process.kill()
        process.wait()


class Session:
    def __init__(self, log, velmar, orca):
        self.log = log
        self.velmar = velmar
        self.orca = orca

    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], check=True, timeout=STEP_SECONDS,
                       stdout=subprocess.DEVNULL)

    def quiet(self, seconds=0.7, cap=4):
        """Waits until Orca has said nothing for a moment, so that one
        step's speech does not spill into the next."""
        deadline = time.monotonic() + cap
        count, since = len(self.log.poll()), time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.1)
            now = len(self.log.poll())
            if now != count:
                count, since = now, time.monotonic()
            elif time.monotonic() - since >= seconds:
                return

    def alive(self):
        code = self.velmar.poll()
        if code is not None:
            raise StepFailed(f"the program exited with code {code}")
        if self.orca.poll() is not None:
            raise StepFailed(f"Orca exited with code {self.orca.returncode}")

    def step(self, name, act, expected, check, seconds=STEP_SECONDS):
        """Does act, then waits until check(what Orca said since) is true.
        Returns the new speech; on a timeout fails with all that was said."""
        self.quiet()
        start = len(self.log.poll())
        act()
        deadline = time.monotonic() + seconds
        while True:
            new = self.log.poll()[start:]
            if check(spoken(new)):
                break
            if time.monotonic() >= deadline or self.velmar.poll() is not None:
                print(f"step {name}: {show(new)}")
                state = ("the program is still running" if self.velmar.poll() is None
                         else f"the program exited with code {self.velmar.returncode}")
                raise StepFailed(f"step {name}: expected {expected}; within {seconds} s Orca said "
                                 f"{show(new)}; {state}")
            time.sleep(0.1)
        self.quiet()
        new = self.log.poll()[start:]
        print(f"step {name}: {show(new)}")
        self.alive()
        return spoken(new)

    def keys(self, *keys):
        return lambda: self.xdotool("key", "--delay", "120", *keys)

    def typing(self, text, before=()):
        def act():
            if before:
                self.xdotool("key", "--delay", "120", *before)
            self.xdotool("type", "--delay", "150", text)
        return act


def has(fragment):
    return lambda said: any(fragment in text for text in said)


def all_of(*checks):
    return lambda said: all(check(said) for check in checks)


def matching(pattern):
    expression = re.compile(pattern)
    return lambda said: any(expression.search(text) for text in said)


def found_count(games, query):
    """How many games the search box finds: the query, case aside, within a
    game's name, its information name, genre or developer."""
    query = query.casefold()

    def fields(game):
        info = game.get("info") or {}
        return [game.get("name", ""), info.get("name", ""), info.get("genre", ""), info.get("developer", "")]
    return sum(1 for game in games if any(query in str(field).casefold() for field in fields(game)))


def found_names(games, query):
    query = query.casefold()
    return [game["name"] for game in games if query in game["name"].casefold()]


def drive(session, games, favorites):
    first, second = games[0], games[1]

    genre = (first.get("info") or {}).get("genre", "")
    session.step("tab into the list", session.keys("Tab"),
                 f"{first['name']!r} and a description starting 'ID {first['id']}. Не в избранном' "
                 f"that goes on with its genre {genre!r}",
                 all_of(has(first["name"]),
                        lambda said: any(text.startswith(f"ID {first['id']}. Не в избранном")
                                         and genre in text for text in said)))

    session.step("down", session.keys("Down"),
                 f"{second['name']!r} and 'ID {second['id']}'",
                 all_of(has(second["name"]), matching(rf"^ID {second['id']}\b")))

    session.step("space stars the game", session.keys("space"),
                 f"'checked' and 'Добавлено в избранное: {second['name']}'",
                 all_of(matching(r"(?<!not )\bchecked\b"), has(f"Добавлено в избранное: {second['name']}")))

    def starred():
        try:
            with open(favorites, encoding="utf-8-sig") as f:
                return json.load(f) == [second["id"]]
        except (OSError, ValueError):
            return False
    try:
        wait_for(f"favorites.json to hold [{second['id']}]", starred, STEP_SECONDS)
    except StepFailed as failure:
        raise StepFailed(f"step space stars the game: {failure}")

    session.step("ctrl+f", session.keys("ctrl+f"), "the search box ('Поиск')", has("Поиск"))

    count = found_count(games, QUERY)
    if not 1 < count < len(games):
        raise StepFailed(f"{QUERY!r} finds {count} of the {len(games)} games in this catalog, not a few")
    session.step(f"type {QUERY}", session.typing(QUERY), f"'Найдено игр: {count}'",
                 matching(rf"Найдено игр: {count}(?!\d)"))

    # A word move asks the search box for the words around the caret, at its
    # very end too; the program must answer, with the word the caret lands
    # on, and go on answering.
    session.step("ctrl+left at the end", session.keys("End", "ctrl+Left"),
                 f"Orca to say the word {QUERY!r}", has(QUERY))
    names = found_names(games, QUERY)
    session.step("tab after the word move", session.keys("Tab"),
                 f"the list: 'List with {count} items' or one of {names}",
                 lambda said: any(f"with {count} items" in text or any(n in text for n in names)
                                  for text in said))
    session.step("shift+tab back", session.keys("shift+Tab"), "the search box ('Поиск')", has("Поиск"))

    session.step(f"replace with {NO_MATCH}", session.typing(NO_MATCH, before=("ctrl+a",)),
                 "'Ничего не найдено'", has("Ничего не найдено"))

    play = matching(r"Играть.*push button")
    for attempt in range(1, 16):
        said = session.step(f"tab {attempt} towards Play", session.keys("Tab"),
                            "Orca to say where the focus went", lambda said: len(said) > 0)
        if play(said):
            break
    else:
        raise StepFailed("tabbing never reached 'Играть push button'")

    session.step("enter on Play", session.keys("Return"), "'Сначала выберите игру'",
                 has("Сначала выберите игру"))
    session.step("close the notice", session.keys("Return"), "'Играть push button' again", play)


def run(root, program, data_folder):
    data = os.path.join(root, "data")
    settings = os.path.join(root, "settings")
    tools = os.path.join(root, "bin")
    for folder in (settings, tools):
        os.makedirs(folder)
    # The program finds its catalog beside itself.
    shutil.copytree(data_folder, data)
    shutil.copy(program, os.path.join(data, "velmar"))
    with open(os.path.join(data, "games.json"), encoding="utf-8-sig") as f:
        games = json.load(f)
    xdg_open = os.path.join(tools, "xdg-open")
    with open(xdg_open, "w") as f:
        f.write(FAKE_XDG_OPEN)
    os.chmod(xdg_open, 0o755)

    log = OrcaLog(os.path.join(root, "orca.log"))
    server = openbox = orca = velmar = orca_errors = None
    try:
        server, display = start_xvfb()
        os.environ["DISPLAY"] = display

        ready = os.path.join(root, "openbox-ready")
        openbox = subprocess.Popen(["openbox", "--startup", f"touch {ready}"],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("openbox", lambda: os.path.exists(ready) or openbox.poll() is not None, 20)
        if openbox.poll() is not None:
            raise StepFailed(f"openbox exited with code {openbox.returncode}")

        # Orca's own words ("push button", "checked") in English, whatever
        # the machine's language.
        orca_environment = {k: v for k, v in os.environ.items() if k != "LANGUAGE"}
        orca_environment.update(LC_ALL="C.UTF-8", LANG="C.UTF-8", GDK_BACKEND="x11")
        orca_errors = open(os.path.join(root, "orca.err"), "wb")
        orca = subprocess.Popen(["orca", f"--debug-file={log.path}"], env=orca_environment,
                                stdout=orca_errors, stderr=subprocess.STDOUT)

        def orca_ready():
            if orca.poll() is not None:
                return True
            return any(text == "Screen reader on." for text, _ in log.poll())
        wait_for("Orca to say 'Screen reader on.'", orca_ready, 30)
        if orca.poll() is not None:
            with open(os.path.join(root, "orca.err"), errors="replace") as f:
                raise StepFailed(f"Orca exited with code {orca.returncode}: {f.read().strip()}")
        print(f"orca: {show(log.poll())}")

        environment = dict(os.environ,
                           QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           XDG_CONFIG_HOME=settings,
                           ASAN_OPTIONS="detect_leaks=0",
                           VELMAR_TEST_SHELL_RECORD=os.path.join(root, "shell.txt"),
                           PATH=tools + os.pathsep + os.environ.get("PATH", ""))
        velmar = subprocess.Popen([os.path.join(data, "velmar")], env=environment)
        session = Session(log, velmar, orca)

        def window():
            if velmar.poll() is not None:
                raise StepFailed(f"the program exited with code {velmar.returncode}")
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velmar$"],
                                   capture_output=True, text=True, timeout=STEP_SECONDS).stdout.split()
            return found[0] if found else None
        window_id = wait_for("the program's window", window, 30)

        # The window is the WM's to activate; Orca then tells where the focus is.
        start = len(log.poll())
        deadline = time.monotonic() + 20
        while True:
            subprocess.run(["xdotool", "windowactivate", "--sync", window_id], timeout=STEP_SECONDS,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            active = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True,
                                    timeout=STEP_SECONDS).stdout.strip()
            if active == window_id:
                try:
                    wait_for("focus in the search box", lambda: has("Поиск")(spoken(log.poll()[start:])), 5)
                    break
                except StepFailed:
                    pass
            if time.monotonic() >= deadline:
                raise StepFailed(f"the window is not active or Orca did not report the search box; "
                                 f"Orca said {show(log.poll()[start:])}")
            time.sleep(0.5)
        session.quiet()
        print(f"step start: {show(log.poll()[start:])}")
        session.alive()

        drive(session, games, os.path.join(settings, "Velmar", "favorites.json"))
    finally:
        # Orca may wait on a program that no longer answers; nothing of it
        # is kept, so it is not waited for long.
        stop(orca, seconds=2)
        stop(velmar, "the program")
        stop(openbox, "openbox")
        stop(server, "Xvfb")
        log.close()
        if orca_errors:
            orca_errors.close()
    print("Orca end-to-end: passed")
    return 0


def main():
    arguments = sys.argv[1:]
    if arguments[:1] == ["--inner"]:
        try:
            return run(*arguments[1:4])
        except (StepFailed, RuntimeError) as failure:
            print(f"failed: {failure}")
            return 1
        except subprocess.TimeoutExpired as failure:
            print(f"failed: {failure.cmd[0]} did not return within {failure.timeout} s")
            return 1
    if not 1 <= len(arguments) <= 2:
        print(__doc__)
        return 2
    why = why_unavailable()
    if why:
        print(f"skipped: {why}")
        return SKIP
    program = os.path.abspath(arguments[0])
    data_folder = os.path.abspath(arguments[1] if len(arguments) > 1 else DEFAULT_DATA)
    if not os.path.isfile(os.path.join(data_folder, "games.json")):
        print(f"failed: no games.json in {data_folder}")
        return 1
    with tempfile.TemporaryDirectory(prefix="velmar-orca-") as root:
        runtime = os.path.join(root, "runtime")
        home = os.path.join(root, "home")
        os.mkdir(runtime, 0o700)
        os.mkdir(home, 0o700)
        # Nothing of the user's desktop may leak in: not their accessibility
        # bus, session manager or settings folders.
        environment = {k: v for k, v in os.environ.items()
                       if k not in ("AT_SPI_BUS_ADDRESS", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER",
                                    "WAYLAND_DISPLAY", "NO_AT_BRIDGE", "DISPLAY")}
        environment.update(XDG_RUNTIME_DIR=runtime, HOME=home,
                           XDG_CONFIG_HOME=os.path.join(home, ".config"),
                           XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                           XDG_CACHE_HOME=os.path.join(home, ".cache"),
                           XDG_STATE_HOME=os.path.join(home, ".local", "state"))
        # A private session bus; it starts the AT-SPI bus when first asked.
        # Its chatter is shown only when the run fails.
        errors_path = os.path.join(root, "session.err")
        with open(errors_path, "wb") as errors:
            inner = subprocess.Popen(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                                      "--inner", root, program, data_folder],
                                     env=environment, stderr=errors, start_new_session=True)
            try:
                code = inner.wait(WHOLE_RUN_SECONDS)
            except subprocess.TimeoutExpired:
                print(f"failed: the run did not finish within {WHOLE_RUN_SECONDS} s")
                code = 1
            finally:
                # Whatever is left of the session when it ends or hangs.
                try:
                    os.killpg(inner.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                inner.wait()
        if code != 0:
            with open(errors_path, errors="replace") as f:
                for line in f:
                    if not re.match(r"dbus-daemon\[\d+\]: .*(Activating|Successfully activated|fd limit)", line):
                        sys.stdout.write(line)
        return code


if __name__ == "__main__":
    sys.exit(main())
