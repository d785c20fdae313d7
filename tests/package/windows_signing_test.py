#!/usr/bin/python3
"""A studio's signing command, as the Windows package runs it.

The packaging step (packaging/windows/make_package.cmake) runs on a small
staged folder with a stand-in signer that writes down each file it is handed.
The signer must see the three programs, then the uninstaller and the
installer that makensis makes; and a signer that fails must fail the whole
step, so that no unsigned installer leaves the studio by mistake.

Usage: windows_signing_test.py SOURCE_DIR. Exits 77 (skipped) without makensis.
"""

import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
PROGRAMS = ("velmar.exe", "velmar-check.exe", "velmar-hdphoto.exe")


def stage(root):
    folder = os.path.join(root, "Velmar")
    os.makedirs(os.path.join(folder, "data", "assets", "post"))
    for program in PROGRAMS:
        with open(os.path.join(folder, program), "wb") as f:
            f.write(b"MZ stand-in for " + program.encode())
    with open(os.path.join(folder, "data", "games.json"), "w", encoding="utf-8") as f:
        f.write("[]")
    with open(os.path.join(folder, "data", "assets", "post", "a.png"), "wb") as f:
        f.write(b"png")
    return folder


def package(source, root, sign):
    return subprocess.run(
        ["cmake", f"-DSTAGE={os.path.join(root, 'Velmar')}", f"-DPACKAGE_DIR={root}",
         "-DVERSION=1.0.0", "-DPUBLISHER=Studio Kvant", f"-DSIGN={sign}",
         f"-DNSIS_SCRIPT={os.path.join(source, 'packaging', 'windows', 'velmar.nsi')}",
         f"-DICON={os.path.join(source, 'app', 'velmar.ico')}", "-DSTRIP=true",
         "-P", os.path.join(source, "packaging", "windows", "make_package.cmake")],
        capture_output=True, text=True)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def run(source):
    with tempfile.TemporaryDirectory() as root:
        stage(root)
        log = os.path.join(root, "signed.txt")
        made = package(source, root, f"echo %1 >> {log}")
        check(made.returncode == 0, f"packaging with a signer failed:\n{made.stdout}\n{made.stderr}")
        with open(log) as f:
            signed = [line.strip() for line in f if line.strip()]
        print("signed:", *signed, sep="\n  ")
        check([os.path.basename(p) for p in signed[:3]] == list(PROGRAMS),
              f"the programs were not signed first, in turn: {signed}")
        installer = os.path.join(root, "Velmar-1.0.0-setup.exe")
        check(len(signed) == 5, f"expected the programs, the uninstaller and the installer: {signed}")
        check(os.path.samefile(signed[4], installer), f"the installer was not signed last: {signed[4]}")
        check(signed[3] != signed[4] and not signed[3].endswith(PROGRAMS),
              f"the uninstaller was not signed: {signed[3]}")
        check(os.path.exists(os.path.join(root, "Velmar-1.0.0-windows-x64.zip")), "no zip was made")

    # Stand-ins that fail on one file each; no semicolons, which NSIS reads
    # as the start of a comment.
    for what, sign in (("a program", "false"),
                       ("the uninstaller", "echo %1 | grep -qv makensis"),
                       ("the installer", "echo %1 | grep -qv setup.exe")):
        with tempfile.TemporaryDirectory() as root:
            stage(root)
            made = package(source, root, sign)
            check(made.returncode != 0, f"a signer failing on {what} did not fail the packaging")
            check("failed" in made.stderr, f"no word of the failure: {made.stderr}")
            check(not os.path.exists(os.path.join(root, "Velmar-1.0.0-setup.exe")),
                  f"an installer was left behind although signing {what} failed")
            print(f"a signer failing on {what}: packaging failed (status {made.returncode}), no installer")
    print("Windows signing: passed")
    return 0


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    if not shutil.which("makensis"):
        print("skipped: makensis is not installed (Debian package nsis)")
        return SKIP
    try:
        return run(sys.argv[1])
    except AssertionError as failure:
        print(f"failed: {failure}")
        return 1


if __name__ == "__main__":
    sys.exit(main())
