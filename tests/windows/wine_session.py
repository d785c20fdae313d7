"""Programs under Wine in an X server of their own, for the Windows tests:
starting them, finding their windows, reading screen pixels, writing PNGs."""

import os
import struct
import subprocess
import time
import zlib


def png(width, height, pixel):
    """A PNG of the given size; pixel(x, y) gives 0xRRGGBB."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += pixel(x, y).to_bytes(3, "big")

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))


class Failure(Exception):
    pass


class Session:
    def __init__(self, prefix, screen="1280x1024x24"):
        self.screen_size = screen
        self.env = dict(os.environ, WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        self.env.pop("WINEQT_QPA_PLATFORM", None)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.server = None
        self.program = None

    def start_server(self):
        for number in range(130, 170):
            if not os.path.exists("/tmp/.X11-unix/X%d" % number) and \
               not os.path.exists("/tmp/.X%d-lock" % number):
                break
        self.server = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", self.screen_size,
                                        "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        self.env["DISPLAY"] = ":%d" % number
        for _ in range(100):
            if os.path.exists("/tmp/.X11-unix/X%d" % number):
                return
            time.sleep(0.05)
        raise Failure("Xvfb did not start")

    def run(self, *args, check=True):
        result = subprocess.run(list(args), env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, timeout=120)
        if check and result.returncode != 0:
            raise Failure("%s: status %d: %s" % (" ".join(args), result.returncode,
                                                   result.stderr.decode(errors="replace")))
        return result.stdout.decode(errors="replace")

    def stop(self):
        if self.program and self.program.poll() is None:
            self.program.kill()
        if self.server:
            self.server.kill()

    def start(self, program, *args):
        self.program = subprocess.Popen(["wine", program] + list(args), env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.program

    def windows_path(self, unix_path):
        return self.run("winepath", "-w", unix_path).strip()

    def unix_path(self, windows_path):
        return self.run("winepath", "-u", windows_path).strip()

    def folder(self, variable):
        """A folder of the Windows user (APPDATA, LOCALAPPDATA, USERPROFILE) on this machine."""
        return self.unix_path(self.run("wine", "cmd", "/c", "echo", "%" + variable + "%").strip())

    def geometry(self, window):
        fields = dict(line.split("=") for line in
                      self.run("xdotool", "getwindowgeometry", "--shell", window).split())
        return int(fields["X"]), int(fields["Y"]), int(fields["WIDTH"]), int(fields["HEIGHT"])

    def close_program(self, image="velmar.exe", seconds=30):
        """Closes the program's windows as the system does (WM_CLOSE); its status."""
        self.run("wine", "taskkill", "/im", image)
        try:
            return self.program.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            raise Failure("%s did not end after its window was closed" % image)

    def find_window(self, caption, seconds=60):
        deadline = time.time() + seconds
        while time.time() < deadline:
            found = self.run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % caption,
                             check=False).split()
            if found:
                return found[0]
            if self.program.poll() is not None:
                raise Failure("velmar.exe ended with status %d before its window showed"
                              % self.program.returncode)
            time.sleep(0.2)
        raise Failure("no window named %s" % caption)

    def screen(self):
        data = subprocess.run(["xwd", "-root", "-silent"], env=self.env, stdout=subprocess.PIPE,
                              check=True).stdout
        fields = struct.unpack(">25I", data[:100])
        header, width, height = fields[0], fields[4], fields[5]
        bits, line, colours = fields[11], fields[12], fields[19]
        if bits not in (24, 32):
            raise Failure("xwd gave %d bits a pixel" % bits)
        return Screen(data[header + 12 * colours:], width, height, line, bits // 8)


class Screen:
    def __init__(self, pixels, width, height, line, step):
        self.pixels, self.width, self.height, self.line, self.step = pixels, width, height, line, step

    def at(self, x, y):
        at = y * self.line + x * self.step
        b, g, r = self.pixels[at], self.pixels[at + 1], self.pixels[at + 2]
        return r << 16 | g << 8 | b

    def png(self, left, top, width, height):
        return png(width, height, lambda x, y: self.at(left + x, top + y))


