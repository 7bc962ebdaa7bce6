#!/usr/bin/env python3
"""A long paint drag at the speed of a fast mouse. In a 1600 x 1000 window, Paint mode, a colour
the skin lacks: one stroke of 2,000 moves sent at 1,000 a second (X test events) runs along
texel rows and columns of the skin view. Every texel on its path is painted, no other (the
saved skin read back), the skin view shows the painted skin, and the program's CPU time per
move is printed (user and system time from /proc before and after the drag)."""
import ctypes
import ctypes.util
import math
import os
import time

from varp_e2e import DemoRun, Pcx, changed_texels, run, unused_colour

MOVES = 2000
RATE = 1000  # moves a second
CUT = 8  # texels from a corner where the stroke may take the short way


def cpu_seconds(pid):
    """User plus system time of a process so far."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def path_of(corners, moves):
    """`moves` points along the polyline through `corners` (axis-parallel segments), evenly
    spaced on each segment and ending on each corner."""
    lengths = [abs(x1 - x0) + abs(y1 - y0) for (x0, y0), (x1, y1) in zip(corners, corners[1:])]
    ends = [round(moves * sum(lengths[:i + 1]) / sum(lengths)) for i in range(len(lengths))]
    points, done = [], 0
    for (x0, y0), (x1, y1), end in zip(corners, corners[1:], ends):
        count = end - done
        points += [(round(x0 + (x1 - x0) * k / count), round(y0 + (y1 - y0) * k / count))
                   for k in range(1, count + 1)]
        done = end
    return points


def fitted(layout, skin):
    """Where texel (s, t) shows once Home has fitted the skin into the skin view: the largest
    whole zoom, the skin's centre at the view's (buffer column width / 2, row height / 2 from
    the bottom) moved so that texel edges fall in the middle of pixels: the first pixel of the
    texel's square, give or take the filler's rounding, which the journey measures."""
    width, height = layout.skin[2], layout.skin[3]
    zoom = min(width // skin.width, height // skin.height)
    column = math.floor((width + 3) // 4 * 2 - skin.width / 2 * zoom)
    row = math.floor(height // 2 + skin.height / 2 * zoom)
    return lambda s, t: (layout.skin[0] + column + 1 + zoom * s,
                         layout.skin[1] + height - row + zoom * t)


def main(varp, tool):
    with DemoRun(varp, tool, screen="1680x1080", window=(1600, 1000)) as demo:
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        assert layout.skin[2] > 1200, f"the skin view is {layout.skin[2]} pixels wide"
        demo.key("3")  # Paint mode
        demo.key("Home")  # the skin fitted, every texel the same number of pixels square
        near = fitted(layout, original)
        grid = [(s, t) for t in range(0, original.height, 4) for s in range(0, original.width, 4)]

        def shift(shot):
            """The pixel step from `near` at which every texel of the grid shows, if any."""
            return next(((dx, dy) for dy in range(-2, 3) for dx in range(-2, 3) if all(
                shot.pixel(near(s, t)[0] + dx, near(s, t)[1] + dy) == original.rgb(
                    original.texel(s, t)) for s, t in grid)), None)
        dx, dy = shift(demo.wait_screen("the fitted skin", shift))

        def point(s, t):
            x, y = near(s, t)
            return x + dx, y + dy
        colour = unused_colour(original)
        demo.click(layout.cell(colour))

        # A serpentine over the skin: rows 24 texels apart, joined at the ends, all on the grid.
        left, right = 4, original.width - 4
        rows = range(8, original.height - 8, 24)
        texels, corners, texel_of = set(), [], {}
        for i, t in enumerate(rows):
            ends = (left, right) if i % 2 == 0 else (right, left)
            corners += [point(ends[0], t), point(ends[1], t)]
            texel_of.update({point(ends[0], t): (ends[0], t), point(ends[1], t): (ends[1], t)})
            texels |= {(s, t) for s in range(left, right + 1)}
            if i + 1 < len(rows):
                texels |= {(ends[1], u) for u in range(t, rows[i + 1] + 1)}
        points = path_of(corners, MOVES)

        x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        xtst = ctypes.CDLL(ctypes.util.find_library("Xtst"))
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                              ctypes.c_int, ctypes.c_ulong]
        xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                              ctypes.c_ulong]
        display = x11.XOpenDisplay(demo.display.encode())
        assert display, f"cannot open {demo.display}"
        try:
            xtst.XTestFakeMotionEvent(display, -1, *corners[0], 0)
            x11.XFlush(display)
            time.sleep(0.2)
            cpu = cpu_seconds(demo.program.pid)
            started = time.monotonic()
            xtst.XTestFakeButtonEvent(display, 1, 1, 0)
            for i, (x, y) in enumerate(points):
                xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
                x11.XFlush(display)
                pause = started + (i + 1) / RATE - time.monotonic()
                if pause > 0:
                    time.sleep(pause)
            sent = time.monotonic() - started
            xtst.XTestFakeButtonEvent(display, 1, 0, 0)
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)
        demo.wait_pixel(points[-1], original.rgb(colour), "the end of the drag painted")
        cpu = cpu_seconds(demo.program.pid) - cpu
        print(f"{MOVES} moves sent in {sent:.2f}s; the program's CPU time "
              f"{cpu * 1e3:.0f} ms, {cpu / MOVES * 1e6:.0f} us a move")

        # Where the program falls behind, the window system joins moves, and a corner is cut by
        # the line between the texels on either side. So: every texel of the path farther than
        # CUT texels from a corner is painted, nothing off the path is but next to a corner,
        # and the painted texels join up from the first to the last (no hole).
        saved = demo.save_skin()
        painted = changed_texels(original, saved)
        assert set(painted.values()) == {colour}, set(painted.values())
        bends = [texel_of[c] for c in corners[1:-1]]
        by_bend = {(s + i, t + j) for s, t in bends for i in range(-CUT, CUT + 1)
                for j in range(-CUT, CUT + 1)}
        holes = sorted(texels - set(painted) - by_bend)
        assert not holes, f"{len(holes)} texels on the path not painted, first {holes[:8]}"
        stray = sorted(set(painted) - texels - by_bend)
        assert not stray, f"{len(stray)} texels off the path painted, first {stray[:8]}"
        first, last = texel_of[corners[0]], texel_of[corners[-1]]
        reached, todo = {first}, [first]
        while todo:
            s, t = todo.pop()
            for step in ((s + i, t + j) for i in (-1, 0, 1) for j in (-1, 0, 1)):
                if step in painted and step not in reached:
                    reached.add(step)
                    todo.append(step)
        assert last in reached and reached == set(painted), "the stroke has a gap"
        print(f"{sum(b not in painted for b in bends)} of {len(bends)} corners cut")

        # What the window shows: the painted texels, and the rest of the skin as it was.
        shown = [(s, t) for s, t in grid if (s, t) not in painted] + sorted(painted)
        demo.wait_screen("the painted skin in the skin view", lambda shot: all(
            shot.pixel(*point(s, t)) == saved.rgb(saved.texel(s, t)) for s, t in shown))
        demo.quit()


if __name__ == "__main__":
    run(main)
