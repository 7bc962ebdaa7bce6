"""The program on a fresh demo base folder under a private X server, and what a test needs to
drive it: where the panes are on screen, the texel under a point of the skin view, the palette
as it must look, clicks, keys, saves and the quit question.

Standard library only, with xdotool and ImageMagick through xsession.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from varp_files import Pcx
from xsession import Timeout, XSession, wait_for

TITLE = "^Varpkit v0.60$"
CAPTION = "^Zozuz05$"  # every message box and question
CELL = 12  # palette grid cells are 12 x 12 pixels, 16 to a row
COLUMN = 192  # the right-hand column: frame selector, palette, 3D view
EDGE = 2  # the sunken edge around the skin view and the 3D view
# The skin view at start: texel coordinates shown at the pane's centre, pixels per texel.
PAN_S = PAN_T = 50
ZOOM = 3
WAIT = 120  # seconds; generous, the machine may be busy


def find_palette(shot, left, top, right, bottom, palette):
    """Top-left of the 16 x 16 grid in the right-hand column: every cell's centre shows its
    colour. None while the grid is not on screen yet. Only for a palette without crosses."""
    x0 = right - COLUMN
    # Colour 5's cell carries no marker at start: its column finds the grid's top row.
    column = x0 + 5 * CELL + CELL // 2
    for y0 in range(top, min(bottom - COLUMN, top + 200)):
        if any(shot.pixel(column, y0 + dy) != palette[5] for dy in range(CELL)):
            continue
        if all(shot.pixel(x0 + (i % 16) * CELL + CELL // 2, y0 + (i // 16) * CELL + CELL // 2)
               == palette[i] for i in range(256)):
            return x0, y0
    return None


def palette_indices(paint, background, locks):
    """The palette pane as it must look, colour indices by screen row: the grid, the paint
    colour's outline, the background colour's inner outline, a cross on every protected
    colour."""
    rows = [[x // CELL + 16 * (y // CELL) for x in range(COLUMN)] for y in range(COLUMN)]

    def put(row_from_bottom, x, value):
        rows[COLUMN - 1 - row_from_bottom][x] = value

    def marker_colour(c):
        return (256 - (30 - c // 16 - c % 16) // 2) % 256

    cc, r = paint % 16, 15 - paint // 16
    m = marker_colour(paint)
    for i in range(12):
        put(12 * r, 12 * cc + i, m)
        put(12 * r + 11, 12 * cc + i, m)
        put(12 * r + i, 12 * cc + 11, m)
        put(12 * r + i, 12 * cc, m)
    bc, r = background % 16, 15 - background // 16
    m = marker_colour(background)
    for i in range(6):
        put(12 * r + 3, 12 * bc + 3 + i, m)
        put(12 * r + 8, 12 * bc + 3 + i, m)
        put(12 * r + 3 + i, 12 * bc + 8, m)
        put(12 * r + 3 + i, 12 * bc + 3, m)
    for k in sorted(locks):
        x0, y0 = 12 * (k % 16), 180 - 12 * (k // 16)
        for i in range(12):
            put(y0 + i, x0 + i, 2)
        for i in range(12):
            put(y0 + i, x0 + 11 - i, 12)
    return rows


def palette_image(skin, paint=0, background=0, locks=()):
    """palette_indices as RGB bytes in the skin's colours, to compare with a screenshot."""
    return b"".join(bytes(c for i in row for c in skin.rgb(i))
                    for row in palette_indices(paint, background, locks))


def file_state(path):
    try:
        st = os.stat(path)
    except FileNotFoundError:
        return None
    return st.st_ino, st.st_mtime_ns, st.st_size


class Layout:
    """Where the main window's parts are on the screen."""

    def __init__(self, window, left, top, width, height, palette_x, palette_y):
        self.window = window
        self.left, self.top = left, top
        self.right, self.bottom = left + width, top + height
        self.palette_x, self.palette_y = palette_x, palette_y
        # The skin view fills the area under the skin selector, left of the right-hand column;
        # the 3D view the column under the palette. Both inside a sunken edge.
        self.skin = (left + EDGE, palette_y + EDGE, palette_x - left - 2 * EDGE,
                     self.bottom - palette_y - 2 * EDGE)
        self.iso = (palette_x + EDGE, palette_y + COLUMN + EDGE, COLUMN - 2 * EDGE,
                    self.bottom - palette_y - COLUMN - 2 * EDGE)
        # The skin view's picture: rows raised to a multiple of 4, centred on (PanS, PanT).
        buffer_width = (self.skin[2] + 3) // 4 * 4
        self.half_w, self.half_h = buffer_width // 2, self.skin[3] // 2
        self.pan_s, self.pan_t = PAN_S, PAN_T  # whole texels only
        # The toolbar band above the selectors shows which mode button is down.
        self.band = (left, top, min(width, 240), palette_y - top - 28)

    def cell(self, colour):
        """Screen point at the centre of a colour's palette cell."""
        return (self.palette_x + (colour % 16) * CELL + CELL // 2,
                self.palette_y + (colour // 16) * CELL + CELL // 2)

    def palette_region(self):
        return self.palette_x, self.palette_y, COLUMN, COLUMN

    def texel_point(self, s, t):
        """Screen point in the middle of the 3 x 3 pixels that show texel (s, t)."""
        return (self.skin[0] + self.half_w + (s - self.pan_s) * ZOOM + 1,
                self.skin[1] + self.half_h + (t - self.pan_t) * ZOOM + 1)

    def visible_texels(self, skin, step=1):
        """Texels whose whole 3 x 3 block lies inside the skin view."""
        s_range = [s for s in range(0, skin.width, step)
                   if 0 <= self.half_w + (s - self.pan_s) * ZOOM and
                   self.half_w + (s - self.pan_s) * ZOOM + ZOOM <= self.skin[2]]
        t_range = [t for t in range(0, skin.height, step)
                   if 0 <= self.half_h + (t - self.pan_t) * ZOOM and
                   self.half_h + (t - self.pan_t) * ZOOM + ZOOM <= self.skin[3]]
        return [(s, t) for t in t_range for s in s_range]

    def iso_centre(self):
        x, y, w, h = self.iso
        return x + w // 2, y + h // 2


class DemoRun:
    """A fresh demo base folder with its own settings, a private X server, and the program
    started on the demo model as often as a test asks."""

    def __init__(self, varp, tool):
        self.varp, self.tool = os.path.abspath(varp), os.path.abspath(tool)
        self.work = tempfile.mkdtemp(prefix="varp-e2e-")
        self.x = None
        self.program = None
        self.log_path = os.path.join(self.work, "varp.log")
        self.layout = None
        try:
            self.base = os.path.join(self.work, "base")
            subprocess.run([self.tool, "make-sample", self.base], check=True, capture_output=True,
                           timeout=WAIT)
            self.model = os.path.join(self.base, "models", "demo", "tris.md2")
            self.skin_path = os.path.join(self.base, "models", "demo", "skin.pcx")
            # Its own settings, with the base folder set, so start-up asks nothing.
            self.config = os.path.join(self.work, "config")
            os.makedirs(os.path.join(self.config, "Ombrick"))
            with open(os.path.join(self.config, "Ombrick", "Zozuz05.conf"), "w") as f:
                f.write('[Project]\nBaseDir="%s"\n'
                        % self.base.replace("\\", "\\\\").replace('"', '\\"'))
            self.x = XSession()
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None and self.x is not None:
            self.keep_screenshot()
        self.close()
        return False

    def keep_screenshot(self):
        """The screen at a failure, in the test's working folder (the build tree)."""
        name = os.path.splitext(os.path.basename(sys.argv[0]))[0] + "-failure.png"
        try:
            self.x.run("import", "-window", "root", os.path.abspath(name), timeout=60)
            sys.stderr.write(f"screen at the failure: {os.path.abspath(name)}\n")
        except Exception as error:  # the report of the failure itself matters more
            sys.stderr.write(f"no screenshot: {error}\n")

    def close(self):
        if self.program is not None:
            self.program.kill()
            self.program.wait()
            self.program = None
            if os.path.exists(self.log_path):
                sys.stderr.write(open(self.log_path, errors="replace").read())
        if self.x is not None:
            self.x.close()
            self.x = None
        shutil.rmtree(self.work, ignore_errors=True)

    # The program.

    def visible_windows(self):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ""],
                                env=self.x.env, capture_output=True, timeout=60)
        return set(result.stdout.decode().split())

    def wait_new_window(self, known, what):
        """The one visible window that is not among `known`, once there is one."""
        def new():
            fresh = self.visible_windows() - set(known)
            assert len(fresh) <= 1, f"{len(fresh)} new windows while waiting for {what}"
            return fresh.pop() if fresh else None
        return wait_for(what, new, WAIT)

    def start(self, wrapper=()):
        """Starts the program on the demo model (behind `wrapper`, a command such as a memory
        checker, when given) and waits until its palette is on screen."""
        env = dict(self.x.env, XDG_CONFIG_HOME=self.config)
        log = open(self.log_path, "ab")
        self.program = subprocess.Popen([*wrapper, self.varp, "-md2", self.model], env=env,
                                        cwd=self.work, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        window = self.x.find_window(TITLE, timeout=WAIT)
        left, top, width, height = self.x.geometry(window)
        # The pointer away from every button, so that no hover highlight changes pixels.
        screen = self.x.screenshot()
        self.x.xdotool("mousemove", str(screen.width - 1), str(screen.height - 1))
        palette = [Pcx.read(self.skin_path).rgb(i) for i in range(256)]

        def palette_shown():
            shot = self.x.screenshot()
            return find_palette(shot, left, top, left + width, top + height, palette)
        px, py = wait_for("the palette grid in the skin's colours", palette_shown, WAIT, 0.5)
        assert px == left + width - COLUMN, (px, left, width)
        self.layout = Layout(window, left, top, width, height, px, py)
        return self.layout

    def quit(self):
        """File > Exit, Yes to the question; the program must end with 0."""
        self.key("alt+f")
        self.x.xdotool("key", "x")
        box = self.x.find_window(CAPTION, timeout=WAIT)
        self.x.xdotool("windowfocus", "--sync", box)
        self.x.xdotool("key", "Return")
        try:
            code = self.program.wait(WAIT)
        except subprocess.TimeoutExpired:
            raise Timeout("the program did not end after Yes")
        self.program = None
        assert code == 0, f"the program ended with {code}"

    # Input.

    def key(self, *keys):
        """Keys to the main window."""
        self.x.xdotool("windowfocus", "--sync", self.layout.window)
        self.x.xdotool("key", *keys)

    def click(self, point, button=1, modifiers=()):
        args = []
        for m in modifiers:
            args += ["keydown", m]
        args += ["mousemove", str(point[0]), str(point[1]), "click", str(button)]
        for m in reversed(modifiers):
            args += ["keyup", m]
        self.x.xdotool(*args)

    def pointer(self):
        values = {}
        for line in self.x.xdotool("getmouselocation", "--shell").splitlines():
            key, _, value = line.partition("=")
            values[key] = value
        return int(values["X"]), int(values["Y"])

    # What the screen shows.

    def wait_screen(self, what, predicate, timeout=WAIT):
        """Polls screenshots until predicate(shot) holds; returns that screenshot."""
        def check():
            shot = self.x.screenshot()
            return shot if predicate(shot) else None
        return wait_for(what, check, timeout, 0.3)

    def wait_palette(self, skin, paint=0, background=0, locks=()):
        expected = palette_image(skin, paint, background, locks)
        region = self.layout.palette_region()
        try:
            return self.wait_screen(
                f"the palette with paint colour {paint}, background {background}, "
                f"protected {sorted(locks)}", lambda s: s.region(*region) == expected)
        except Timeout:
            shot = self.x.screenshot()
            x0, y0 = self.layout.palette_x, self.layout.palette_y
            wrong = [(x, y) for y in range(COLUMN) for x in range(COLUMN)
                     if shot.pixel(x0 + x, y0 + y) !=
                     tuple(expected[3 * (y * COLUMN + x):3 * (y * COLUMN + x) + 3])]
            raise AssertionError(f"{len(wrong)} palette pixels differ, first {wrong[:12]}")

    def wait_pixel(self, point, rgb, what):
        return self.wait_screen(what, lambda s: s.pixel(*point) == rgb)

    def skin_view_mismatches(self, shot, skin, step=5):
        """Texels on a grid whose middle pixel in the skin view is not their colour."""
        return [(s, t) for s, t in self.layout.visible_texels(skin, step)
                if shot.pixel(*self.layout.texel_point(s, t)) != skin.rgb(skin.texel(s, t))]

    def wait_skin_view(self, skin, what):
        """Waits until the skin view shows `skin` at the layout's pan, zoom 3."""
        try:
            return self.wait_screen(what, lambda s: not self.skin_view_mismatches(s, skin))
        except Timeout:
            wrong = self.skin_view_mismatches(self.x.screenshot(), skin)
            raise AssertionError(f"{what}: {len(wrong)} texels differ, first {wrong[:8]}")

    # Files.

    def wait_rewritten(self, path, before, what):
        """Waits until the file at `path` is no longer the one described by `before`."""
        wait_for(what, lambda: file_state(path) not in (None, before), WAIT)
        # Written to a temporary file and renamed, or written in place: read it once it
        # stays the same for a moment.
        def settled():
            state = file_state(path)
            time.sleep(0.3)
            return state == file_state(path)
        wait_for(f"{path} to stay unchanged", settled, WAIT)

    def save_skin(self, path):
        """Skins > Save (Shift+S) of a skin that is on disk; returns the file read back."""
        before = file_state(path)
        self.key("shift+s")
        self.wait_rewritten(path, before, f"Skins > Save to write {path}")
        return Pcx.read(path)


def unused_colour(skin, also_used=()):
    """A colour index that neither the skin nor `also_used` holds and whose colour none of
    those shows on screen."""
    used = skin.used() | set(also_used)
    used_rgb = {skin.rgb(i) for i in used}
    for c in range(1, 256):
        if c not in used and skin.rgb(c) not in used_rgb:
            return c
    raise AssertionError("the skin uses every colour")


def run(main):
    """Runs a test's main(varp, tool) with the programs named on the command line."""
    if len(sys.argv) != 3:
        sys.exit(f"usage: {sys.argv[0]} VARP VARP_TOOL")
    started = time.monotonic()
    main(sys.argv[1], sys.argv[2])
    print(f"ok ({time.monotonic() - started:.1f}s)")
