"""What every journey needs: the real program on a fresh demo base folder under a private X
server (Xvfb), driven with xdotool and seen in ImageMagick screenshots; where its parts are on
screen; readers for what it writes that share nothing with its code. Standard library only.
A journey is run(main), where main(varp, tool) works `with DemoRun(varp, tool) as demo:`."""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

TITLE = "Varpkit v0.60$"  # after the model's name, marked with * while unsaved
CAPTION = "^Zozuz05$"  # every message box and question
CELL = 12  # palette cells are 12 x 12 pixels, 16 to a row
COLUMN = 192  # the right-hand column: frame selector, palette, 3D view
EDGE = 2  # the sunken edge around the skin view and the 3D view
PAN = 50  # the texel shown at the skin view's centre at start, in s and t
ZOOM = 3  # the skin view's pixels per texel at start
WAIT = 120  # seconds; generous, the machine may be busy


def wait_for(what, predicate, timeout=WAIT, interval=0.2):
    """Polls `predicate` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)
    return value


# Files.

class Pcx:
    """An 8-bit image: size, texels row by row, palette, and the header it was read with."""

    def __init__(self, width, height, pixels, palette, header=None):
        self.width, self.height, self.pixels = width, height, bytes(pixels)
        self.palette, self.header = bytes(palette), header

    @classmethod
    def read(cls, path):
        """Decodes a single-plane 8-bit PCX file with its 256-colour palette at the end."""
        with open(path, "rb") as f:
            data = f.read()
        assert (data[0], data[3], data[65], data[-769]) == (10, 8, 1, 12), f"{path}: not 8-bit"
        xmin, ymin, xmax, ymax = struct.unpack_from("<4H", data, 4)
        width, height, line_bytes = xmax - xmin + 1, ymax - ymin + 1, data[66] | data[67] << 8
        pos, lines = 128, []
        for _ in range(height):
            line = bytearray()
            while len(line) < line_bytes:
                byte, count, pos = data[pos], 1, pos + 1
                if byte >= 0xC0:  # a run: its length, then the value
                    byte, count, pos = data[pos], byte & 0x3F, pos + 1
                line += bytes([byte]) * count
            assert len(line) == line_bytes and pos <= len(data) - 769, f"{path}: bad runs"
            lines.append(line[:width])
        return cls(width, height, b"".join(lines), data[-768:], data[:128])

    def rgb(self, index):
        return tuple(self.palette[3 * index:3 * index + 3])

    def texel(self, s, t):
        return self.pixels[t * self.width + s]


def changed_texels(before, after):
    """{(s, t): new colour} for every texel that differs; the images must agree in all else."""
    assert (after.width, after.height, after.palette, after.header) == (
        before.width, before.height, before.palette, before.header), "more than texels changed"
    return {(i % before.width, i // before.width): b
            for i, (a, b) in enumerate(zip(before.pixels, after.pixels)) if a != b}


def unused_colour(skin, also_used=()):
    """A colour that neither the skin nor `also_used` holds, nor shows on screen."""
    used = set(skin.pixels) | set(also_used)
    used_rgb = {skin.rgb(i) for i in used}
    return next(c for c in range(1, 256) if c not in used and skin.rgb(c) not in used_rgb)


def md2_skin_names(path):
    """The skin names a version 8 MD2 file lists, in order."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:4] == b"IDP2" and struct.unpack_from("<i", data, 4)[0] == 8, "not an MD2 file"
    count, offset = struct.unpack_from("<i", data, 20)[0], struct.unpack_from("<i", data, 44)[0]
    fields = [data[offset + 64 * i:offset + 64 * (i + 1)] for i in range(count)]
    assert all(len(f) == 64 and b"\0" in f for f in fields), "a skin name is cut short"
    return [f.split(b"\0", 1)[0].decode("latin-1") for f in fields]


def file_state(path):
    try:
        st = os.stat(path)
    except FileNotFoundError:
        return None
    return st.st_ino, st.st_mtime_ns, st.st_size


# The screen.

class Screenshot:
    """An RGB image of the whole screen, from ImageMagick's P6 output."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        self.width, self.data = int(header.group(1)), ppm[header.end():]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def region(self, left, top, width, height):
        """The rows of a rectangle as bytes, for comparing two screenshots."""
        return b"".join(self.data[3 * (y * self.width + left):3 * (y * self.width + left + width)]
                        for y in range(top, top + height))


def find_palette(shot, right, top, palette):
    """Top-left of the 16 x 16 grid at the top of the right-hand column once every cell's
    centre shows its colour; None before. Colour 5's cell, without a marker at start, finds
    the grid's top row."""
    x0, mid = right - COLUMN, CELL // 2
    for y0 in range(top, top + 200):
        if (all(shot.pixel(x0 + 5 * CELL + mid, y0 + dy) == palette[5] for dy in range(CELL))
                and all(shot.pixel(x0 + i % 16 * CELL + mid, y0 + i // 16 * CELL + mid)
                        == palette[i] for i in range(256))):
            return x0, y0
    return None


class Layout:
    """Where the main window's parts are on the screen."""

    def __init__(self, window, left, top, width, height, palette_x, palette_y):
        self.window, self.palette_x, self.palette_y = window, palette_x, palette_y
        bottom = top + height
        # The skin view fills the area under the skin selector, left of the right-hand column;
        # the 3D view the column under the palette. Both inside a sunken edge.
        self.skin = (left + EDGE, palette_y + EDGE, palette_x - left - 2 * EDGE,
                     bottom - palette_y - 2 * EDGE)
        self.iso = (palette_x + EDGE, palette_y + COLUMN + EDGE, COLUMN - 2 * EDGE,
                    bottom - palette_y - COLUMN - 2 * EDGE)
        # The skin view's picture: rows raised to a multiple of 4, texel (PAN, PAN) at the centre.
        self.half_w, self.half_h = (self.skin[2] + 3) // 4 * 2, self.skin[3] // 2
        self.skin_selector = ((left + palette_x) // 2, palette_y - 8)
        self.iso_centre = (self.iso[0] + self.iso[2] // 2, self.iso[1] + self.iso[3] // 2)

    def cell(self, colour):
        """The centre of a colour's palette cell."""
        return (self.palette_x + colour % 16 * CELL + CELL // 2,
                self.palette_y + colour // 16 * CELL + CELL // 2)

    def texel_point(self, s, t):
        """The middle of the pixels that show texel (s, t)."""
        return (self.skin[0] + self.half_w + (s - PAN) * ZOOM + ZOOM // 2,
                self.skin[1] + self.half_h + (t - PAN) * ZOOM + ZOOM // 2)

    def visible_texels(self, skin, step=1):
        """Texels whose whole block of pixels lies inside the skin view, row by row."""
        def shown(texel, half, size):
            return 0 <= half + (texel - PAN) * ZOOM <= size - ZOOM
        return [(s, t) for t in range(0, skin.height, step) if shown(t, self.half_h, self.skin[3])
                for s in range(0, skin.width, step) if shown(s, self.half_w, self.skin[2])]


class DemoRun:
    """A fresh demo base folder with its own settings, a private X server, and the program
    started on the demo model as often as a journey asks. At a failure the screen is kept in
    the working folder (the build tree) and the program's output goes to stderr."""

    def __init__(self, varp, tool, screen="1280x1024", window=None):
        """`screen`: the X server's size; `window`: the main window's (width, height) at start,
        else the program's own."""
        self.varp, self.tool = os.path.abspath(varp), os.path.abspath(tool)
        self.corner = tuple(int(n) - 1 for n in screen.split("x"))
        self.work = tempfile.mkdtemp(prefix="varp-e2e-")
        self.server = self.program = self.layout = None
        self.log_path = os.path.join(self.work, "varp.log")
        try:
            self.base = os.path.join(self.work, "base")
            subprocess.run([self.tool, "make-sample", self.base], check=True, capture_output=True,
                           timeout=WAIT)
            self.model, self.skin_path = (os.path.join(self.base, "models", "demo", name)
                                          for name in ("tris.md2", "skin.pcx"))
            # Its own settings, with the base folder set, so start-up asks nothing.
            config = os.path.join(self.work, "config")
            os.makedirs(os.path.join(config, "Ombrick"))
            with open(os.path.join(config, "Ombrick", "Zozuz05.conf"), "w") as f:
                f.write('[Project]\nBaseDir="%s"\n'
                        % self.base.replace("\\", "\\\\").replace('"', '\\"'))
                if window is not None:
                    f.write("[Layout]\nWindowWidth=%d\nWindowHeight=%d\n" % window)
            read_fd, write_fd = os.pipe()
            self.server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen + "x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_fd)
            with os.fdopen(read_fd, "rb") as pipe:
                self.display = ":" + pipe.readline().strip().decode()
            assert self.display != ":", "Xvfb did not start"
            self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                            XDG_RUNTIME_DIR=self.work, XDG_CONFIG_HOME=config,
                            XDG_DATA_HOME=os.path.join(self.work, "data"))
            self.env.pop("WAYLAND_DISPLAY", None)
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None and self.server is not None:
            name = os.path.abspath(os.path.basename(sys.argv[0])[:-3] + "-failure.png")
            subprocess.run(["import", "-window", "root", name], env=self.env, timeout=WAIT)
            sys.stderr.write(f"screen at the failure: {name}\n")
        self.close()

    def close(self):
        if self.program is not None:
            self.program.kill()
            self.program.wait()
            self.program = None
            with open(self.log_path, errors="replace") as log:
                sys.stderr.write(log.read())
        if self.server is not None:
            self.server.terminate()
            self.server.wait()
            self.server = None
        shutil.rmtree(self.work, ignore_errors=True)

    def run(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=WAIT,
                              check=True).stdout

    def xdotool(self, *args):
        return self.run("xdotool", *map(str, args)).decode()

    # The program.

    def windows(self, name=""):
        """The ids of the visible windows whose name matches."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                                env=self.env, capture_output=True, timeout=WAIT)
        return set(result.stdout.decode().split())

    def wait_new_window(self, known, what):
        """The one visible window that is not among `known`, once there is one."""
        def new():
            fresh = self.windows() - set(known)
            assert len(fresh) <= 1, f"{len(fresh)} new windows while waiting for {what}"
            return fresh.pop() if fresh else None
        return wait_for(what, new)

    def start(self, wrapper=(), answer=None):
        """Starts the program on the demo model (behind `wrapper`, a command such as a memory
        checker, when given) and waits until its palette is on screen; returns the layout.
        With `answer` (keys), a question is expected at start-up and answered so."""
        with open(self.log_path, "ab") as log:
            self.program = subprocess.Popen([*wrapper, self.varp, "-md2", self.model],
                                            env=self.env, cwd=self.work, stdout=log,
                                            stderr=subprocess.STDOUT)
        if answer is not None:
            self.answer("the question at start-up", answer)
        window, = wait_for("the main window", lambda: self.windows(TITLE))
        geometry = dict(line.split("=") for line in
                        self.xdotool("getwindowgeometry", "--shell", window).split())
        left, top, width, height = (int(geometry[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        # The pointer away from every button, so that no hover highlight changes pixels.
        self.xdotool("mousemove", *self.corner)
        skin = Pcx.read(self.skin_path)
        palette = [skin.rgb(i) for i in range(256)]
        px, py = wait_for("the palette grid in the skin's colours", lambda: find_palette(
            self.screenshot(), left + width, top, palette), interval=0.5)
        # The panes end above the status bar: the skin view's lowest row of background (colour
        # 0, left of the skin at start) lies just inside its sunken edge.
        shot = self.screenshot()
        bottom = next(y for y in range(top + height - 1, py, -1)
                      if shot.pixel(left + EDGE + 1, y) == palette[0]) + 1 + EDGE
        self.layout = Layout(window, left, top, width, bottom - top, px, py)
        return self.layout

    def quit(self):
        """File > Exit; asked about unsaved work, Save (the default button). The program must
        end with 0."""
        self.key("alt+f")
        self.xdotool("key", "x")
        ended = lambda: self.program.poll() is not None
        wait_for("the program to end or ask", lambda: ended() or self.windows(CAPTION))
        if not ended():
            self.answer("the question before ending", "Return")
        code = self.program.wait(WAIT)
        self.program = None
        assert code == 0, f"the program ended with {code}"

    # Input.

    def answer(self, what, keys):
        """Answers with `keys` the one question or message the program shows now."""
        box, = wait_for(what, lambda: self.windows(CAPTION))
        self.xdotool("windowfocus", "--sync", box, "key", keys)
        wait_for(f"{what} to close", lambda: not self.windows(CAPTION))

    def key(self, *keys):
        """Keys to the main window."""
        self.xdotool("windowfocus", "--sync", self.layout.window, "key", *keys)

    def click(self, point, button=1, modifiers=()):
        self.xdotool(*[a for m in modifiers for a in ("keydown", m)], "mousemove", *point,
                     "click", button, *[a for m in reversed(modifiers) for a in ("keyup", m)])

    def pointer(self):
        values = dict(v.split(":") for v in self.xdotool("getmouselocation").split()[:2])
        return int(values["x"]), int(values["y"])

    # What the screen shows, and the files.

    def screenshot(self):
        return Screenshot(self.run("import", "-window", "root", "-depth", "8", "ppm:-"))

    def wait_screen(self, what, predicate):
        """Polls screenshots until predicate(shot) holds; returns that screenshot."""
        def check():
            shot = self.screenshot()
            return shot if predicate(shot) else None
        return wait_for(what, check, interval=0.3)

    def wait_pixel(self, point, rgb, what):
        return self.wait_screen(what, lambda s: s.pixel(*point) == rgb)

    def skin_view_mismatches(self, shot, skin, step=5):
        """Texels on a grid whose middle pixel in the skin view is not their colour."""
        return [(s, t) for s, t in self.layout.visible_texels(skin, step)
                if shot.pixel(*self.layout.texel_point(s, t)) != skin.rgb(skin.texel(s, t))]

    def wait_skin_view(self, skin, what):
        """Waits until the skin view shows `skin` at the layout's pan and zoom."""
        try:
            return self.wait_screen(what, lambda s: not self.skin_view_mismatches(s, skin))
        except TimeoutError:
            wrong = self.skin_view_mismatches(self.screenshot(), skin)
            raise AssertionError(f"{what}: {len(wrong)} texels differ, first {wrong[:8]}")

    def save_skin(self):
        """Skins > Save (Shift+S) of the demo skin; returns the file read back."""
        before = file_state(self.skin_path)
        self.key("shift+s")
        # The program writes a file whole: to a temporary name, then renamed.
        wait_for("Skins > Save to write the skin",
                 lambda: file_state(self.skin_path) not in (None, before))
        return Pcx.read(self.skin_path)


def run(main):
    """Runs a journey's main(varp, tool) with the programs named on the command line."""
    if len(sys.argv) != 3:
        sys.exit(f"usage: {sys.argv[0]} VARP VARP_TOOL")
    started = time.monotonic()
    main(sys.argv[1], sys.argv[2])
    print(f"ok ({time.monotonic() - started:.1f}s)")
