"""A private X server for end-to-end runs, and what a test does on it: screenshots, keys, windows,
the cursor.

Standard library only (ctypes for the X libraries). The server picks a free display number
itself (-displayfd), so runs never collide with one another or with a desktop.
"""
import ctypes
import ctypes.util
import os
import shutil
import subprocess
import tempfile
import time


class Timeout(Exception):
    pass


def wait_for(what, predicate, timeout, interval=0.2):
    """Polls `predicate` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


class Screenshot:
    """An RGB image of the whole screen."""

    def __init__(self, ppm):
        # P6 header: magic, width, height, maximum value, each followed by white space.
        fields = []
        pos = 0
        while len(fields) < 4:
            while ppm[pos:pos + 1].isspace():
                pos += 1
            if ppm[pos:pos + 1] == b"#":
                pos = ppm.index(b"\n", pos) + 1
                continue
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError("not an 8-bit P6 image")
        self.width = int(fields[1])
        self.height = int(fields[2])
        self.data = ppm[pos + 1:]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def region(self, left, top, width, height):
        """The rows of a rectangle as bytes, for comparing two screenshots."""
        rows = []
        for y in range(top, top + height):
            i = 3 * (y * self.width + left)
            rows.append(self.data[i:i + 3 * width])
        return b"".join(rows)

    def colours(self, left, top, width, height):
        return {self.pixel(x, y) for y in range(top, top + height)
                for x in range(left, left + width)}


class _CursorImage(ctypes.Structure):
    # The leading fields of XFixesCursorImage.
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]


class XSession:
    def __init__(self, width=1280, height=1024):
        self.tmp = tempfile.mkdtemp(prefix="varp-x-")
        read_fd, write_fd = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.kill()
            self.server.wait()
            shutil.rmtree(self.tmp, ignore_errors=True)
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode()
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=self.tmp)
        self.env.pop("WAYLAND_DISPLAY", None)
        self._xlib = None
        self._connection = None

    def close(self):
        if self._connection is not None:
            self._xlib[0].XCloseDisplay(self._connection)
            self._connection = None
        self.server.terminate()
        try:
            self.server.wait(10)
        except subprocess.TimeoutExpired:
            self.server.kill()
            self.server.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def run(self, *args, timeout=60):
        return subprocess.run(list(args), env=self.env, capture_output=True, timeout=timeout,
                              check=True).stdout

    def xdotool(self, *args, timeout=60):
        return self.run("xdotool", *args, timeout=timeout).decode()

    def find_window(self, name, timeout):
        """The id of the first visible window whose name matches, once it exists."""
        def search():
            result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                                    env=self.env, capture_output=True, timeout=30)
            ids = result.stdout.decode().split()
            return ids[0] if ids else None
        return wait_for(f"a window named {name!r}", search, timeout)

    def geometry(self, window):
        values = {}
        for line in self.xdotool("getwindowgeometry", "--shell", window).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value) if value.lstrip("-").isdigit() else value
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def cursor_visible(self):
        """Whether the pointer's cursor shows any pixel (X Fixes reads the cursor image), or
        None where the X libraries cannot be loaded."""
        if self._xlib is None:
            x11_name = ctypes.util.find_library("X11")
            fixes_name = ctypes.util.find_library("Xfixes")
            if x11_name is None or fixes_name is None:
                self._xlib = ()
            else:
                x11, fixes = ctypes.CDLL(x11_name), ctypes.CDLL(fixes_name)
                x11.XOpenDisplay.restype = ctypes.c_void_p
                x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
                x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
                x11.XFree.argtypes = [ctypes.c_void_p]
                fixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
                fixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
                self._xlib = (x11, fixes)
                self._connection = x11.XOpenDisplay(self.display.encode())
                if not self._connection:
                    raise RuntimeError(f"cannot open {self.display}")
        if not self._xlib:
            return None
        x11, fixes = self._xlib
        image = fixes.XFixesGetCursorImage(self._connection)
        if not image:
            raise RuntimeError("no cursor image")
        c = image.contents
        # 32-bit ARGB values in unsigned longs; a hidden cursor is transparent throughout.
        shown = any(c.pixels[i] >> 24 for i in range(c.width * c.height))
        x11.XFree(image)
        return shown

    def screenshot(self):
        return Screenshot(self.run("import", "-window", "root", "-depth", "8", "ppm:-",
                                   timeout=60))
