#!/usr/bin/python3
"""The Windows installer and zip, used as a person on Windows uses them, under
Wine in a fresh prefix of their own.

    windows_package_test.py PACKAGE_DIR SHIPPED_LIST OBJDUMP WORK_FOLDER PUBLISHER

PACKAGE_DIR holds Velmar-<version>-setup.exe, Velmar-<version>-windows-x64.zip
and the folder Velmar/ they were made from. Screenshots of the window at 100,
150 and 200 % are left in WORK_FOLDER. Exit status: 0 passed, 1 failed, 77
skipped (a tool is missing).
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile

sys.dont_write_bytecode = True  # no cache beside the sources
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
from wine_session import Failure, Session  # noqa: E402

WINE_SH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "windows",
                       "wine.sh")
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmar"
# DLLs every Windows has; everything else a program imports must be shipped.
SYSTEM_DLLS = {
    "advapi32.dll", "comdlg32.dll", "d3d11.dll", "d3d9.dll", "dwmapi.dll", "dwrite.dll",
    "dxgi.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll", "netapi32.dll",
    "ole32.dll", "oleaut32.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
    "userenv.dll", "uxtheme.dll", "version.dll", "winmm.dll", "ws2_32.dll", "mpr.dll",
    "authz.dll", "shcore.dll", "wtsapi32.dll", "windowscodecs.dll", "psapi.dll", "bcrypt.dll",
    "ntdll.dll", "d2d1.dll", "crypt32.dll", "secur32.dll", "wintrust.dll", "comctl32.dll",
}


class Check:
    def __init__(self):
        self.problems = []

    def __call__(self, condition, what):
        if not condition:
            self.problems.append(what)
        return condition


def files_under(folder):
    found = set()
    for root, _, names in os.walk(folder):
        for name in names:
            found.add(os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/"))
    return found


def imports(objdump, binary):
    out = subprocess.run([objdump, "-p", binary], stdout=subprocess.PIPE, check=True).stdout
    return re.findall(r"DLL Name: (\S+)", out.decode(errors="replace"))


def registry_values(session, key):
    result = subprocess.run(["wine", "reg", "query", key], env=session.env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.decode(errors="replace").splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = parts[2] if len(parts) > 2 else ""
    return values


def wait_until(condition, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


def main():
    if len(sys.argv) != 6:
        print(__doc__)
        return 2
    package, shipped_list, objdump, work = (os.path.abspath(a) for a in sys.argv[1:5])
    publisher = sys.argv[5]
    for tool in ("Xvfb", "xdotool", "xwd", "wine", "wineboot", objdump):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return 77
    setups = glob.glob(os.path.join(package, "Velmar-*-setup.exe"))
    zips = glob.glob(os.path.join(package, "Velmar-*-windows-x64.zip"))
    if len(setups) != 1 or len(zips) != 1:
        print("FAILED: no installer and zip in %s (cmake --build . --target windows_package)"
              % package)
        return 1
    setup, portable = setups[0], zips[0]
    stage = os.path.join(package, "Velmar")
    check = Check()

    # What is shipped is what is written down, and imports nothing else.
    listed = {line.strip() for line in open(shipped_list, encoding="utf-8")
              if line.strip() and not line.startswith("#")}
    staged = files_under(stage)
    program_files = {f for f in staged if f != "games.json" and not f.startswith("assets/")}
    check(program_files == listed, "shipped but not listed: %s; listed but not shipped: %s"
          % (sorted(program_files - listed), sorted(listed - program_files)))
    shipped_names = {os.path.basename(f).lower() for f in staged}
    for binary in sorted(f for f in staged if f.endswith((".exe", ".dll"))):
        for name in imports(objdump, os.path.join(stage, binary)):
            check(name.lower() in SYSTEM_DLLS or name.lower() in shipped_names
                  or name.lower().startswith("api-ms-win-"),
                  "%s imports %s, which is neither shipped nor a Windows DLL" % (binary, name))
    check(not any(re.search(r"test|bench|fuzz|\.pdb$|d\.dll$", f, re.I) for f in staged),
          "a test, benchmark or debug file is shipped: %s" % sorted(staged))

    os.makedirs(work, exist_ok=True)
    prefix = os.path.join(work, "prefix")
    shutil.rmtree(prefix, ignore_errors=True)
    session = Session(prefix, screen="3000x2000x24")
    try:
        session.start_server()
        # The prefix is made as test-windows.sh makes its own. The wineserver it
        # leaves running would hold a pipe open for ever, so none is given.
        subprocess.run(["bash", "-c", 'source "$0" && velmar_wine_start "$1"', WINE_SH, prefix],
                       env=session.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=300, check=True)
        local = session.folder("LOCALAPPDATA")
        appdata = session.folder("APPDATA")
        profile = session.folder("USERPROFILE")
        installed = os.path.join(local, "Programs", "Velmar")
        start_menu = os.path.join(appdata, "Microsoft", "Windows", "Start Menu", "Programs",
                                  "Velmar.lnk")
        desktop = os.path.join(profile, "Desktop", "Velmar.lnk")
        favorites = os.path.join(appdata, "Velmar", "favorites.json")

        def install(expect_status=0):
            status = subprocess.run(["wine", setup, "/S"], env=session.env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    timeout=300).returncode
            check(status == expect_status, "setup /S ended with %d, not %d"
                  % (status, expect_status))

        def installed_as_staged(when):
            got = files_under(installed) if os.path.isdir(installed) else set()
            expected = staged | {"uninstall.exe"}
            check(got == expected, "%s: installed but not shipped: %s; missing: %s"
                  % (when, sorted(got - expected), sorted(expected - got)))

        def open_window(folder):
            session.start(os.path.join(folder, "velmar.exe"))
            return session.find_window("Velmar")

        # A silent install, for this user, without administrator rights.
        install()
        installed_as_staged("after the first install")
        check(os.path.isfile(start_menu), "no Start-menu shortcut at " + start_menu)
        check(os.path.isfile(desktop), "no desktop shortcut at " + desktop)
        values = registry_values(session, UNINSTALL_KEY)
        check(values is not None, "no uninstall entry " + UNINSTALL_KEY)
        values = values or {}
        windows_installed = session.windows_path(installed)
        expected = {
            "DisplayName": "Velmar", "DisplayVersion": "1.0.0", "Publisher": publisher,
            "DisplayIcon": windows_installed + r"\velmar.exe,0",
            "UninstallString": '"%s\\uninstall.exe"' % windows_installed,
            "QuietUninstallString": '"%s\\uninstall.exe" /S' % windows_installed,
            "InstallLocation": windows_installed, "NoModify": "0x1", "NoRepair": "0x1",
        }
        for name, value in expected.items():
            check(values.get(name, "").lower() == value.lower(),
                  "%s is %r, not %r" % (name, values.get(name), value))
        size_kb = sum(os.path.getsize(os.path.join(stage, f)) for f in staged) / 1024
        estimated = int(values.get("EstimatedSize", "0"), 16)
        check(abs(estimated - size_kb) <= len(staged) + 1,
              "EstimatedSize %d KB for %d KB of files" % (estimated, size_kb))

        # The installed program starts, finds its catalog and keeps favourites.
        open_window(installed)
        check(session.close_program() == 0, "the installed velmar.exe did not end with 0")
        check(os.path.isfile(favorites), "closing the installed program wrote no " + favorites)
        favourites_bytes = open(favorites, "rb").read() if os.path.isfile(favorites) else b""

        # While it runs, a silent install refuses and changes nothing.
        open_window(installed)
        install(expect_status=2)
        installed_as_staged("after an install while running")
        session.close_program()

        # Installing again replaces the install whole.
        with open(os.path.join(installed, "Qt6Core.dll"), "ab") as touched:
            touched.write(b"stale")
        install()
        installed_as_staged("after installing again")
        check(open(os.path.join(installed, "Qt6Core.dll"), "rb").read() ==
              open(os.path.join(stage, "Qt6Core.dll"), "rb").read(),
              "installing again left an old Qt6Core.dll")

        # Uninstalling removes what was installed and keeps the favourites.
        subprocess.run(["wine", os.path.join(installed, "uninstall.exe"), "/S"], env=session.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        check(wait_until(lambda: not os.path.exists(installed)),
              "after uninstalling %s still holds %s" % (installed, sorted(
                  files_under(installed)) if os.path.isdir(installed) else "?"))
        check(not os.path.exists(start_menu), "the Start-menu shortcut stays")
        check(not os.path.exists(desktop), "the desktop shortcut stays")
        check(registry_values(session, UNINSTALL_KEY) is None, "the uninstall entry stays")
        check(os.path.isfile(favorites) and open(favorites, "rb").read() == favourites_bytes,
              "uninstalling touched the user's favourites.json")

        # The zip runs from a folder with Cyrillic letters and a space.
        anywhere = os.path.join(prefix, "drive_c", "Мои программы", "Velmar Portable")
        os.makedirs(anywhere)
        with zipfile.ZipFile(portable) as archive:
            archive.extractall(anywhere)
        unpacked = os.path.join(anywhere, "Velmar")
        check(files_under(unpacked) == staged, "the zip does not hold the shipped folder")

        # At 100, 150 and 200 % the client area is 947 x 700 logical pixels.
        for dpi, percent in ((96, 100), (144, 150), (192, 200)):
            session.run("wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                        "/t", "REG_DWORD", "/d", str(dpi), "/f")
            session.run("wineserver", "-k", check=False)
            session.run("wineserver", "-w", check=False)
            window = open_window(unpacked)
            want = (947 * dpi / 96, 700 * dpi / 96)

            def sized():
                got = session.geometry(window)[2:]
                return all(abs(g - w) <= 1 for g, w in zip(got, want))

            wait_until(sized, seconds=10)
            geometry = session.geometry(window)
            check(sized(), "at %d %% the client area is %dx%d, not %gx%g"
                  % (percent, geometry[2], geometry[3], want[0], want[1]))
            time.sleep(1.5)
            shot = session.screen()
            x, y, width, height = geometry
            with open(os.path.join(work, "velmar-%d.png" % percent), "wb") as out:
                out.write(shot.png(x, y, min(width, shot.width - x), min(height, shot.height - y)))
            # The Play button's green fills its place at every scale (a point
            # clear of its corner and its caption).
            play = shot.at(x + round(714 * dpi / 96), y + round((20 + 545 + 8) * dpi / 96))
            check(play in (0x4CAF50, 0x5CBF60), "at %d %% Play is %06X" % (percent, play))
            session.close_program()
        session.run("wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", "96", "/f")

        for problem in check.problems:
            print("FAILED: " + problem)
        print("installer %s and zip %s checked (%d files)"
              % (os.path.basename(setup), os.path.basename(portable), len(staged)))
        return 1 if check.problems else 0
    except Failure as failure:
        for problem in check.problems:
            print("FAILED: " + problem)
        print("FAILED: %s" % failure)
        return 1
    finally:
        session.stop()
        subprocess.run(["wineserver", "-k"], env=session.env, stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    sys.exit(main())
