"""An X server of its own for a test: Xvfb on the first free display."""

import os
import subprocess


def start_xvfb():
    """Starts Xvfb and returns (process, ":N"); raises RuntimeError if it does not start."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 1)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    if not number.strip():
        server.kill()
        server.wait()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number.decode().strip()
