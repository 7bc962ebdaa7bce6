#!/usr/bin/env python3
"""A long paint drag at the speed of a fast mouse. In a 1600 x 1000 window, Paint mode, a colour
the skin lacks: one stroke of 2,000 moves sent at 1,000 a second (X test events) runs along
texel rows and columns of the skin view. The stroke has no hole: every texel on its path is
painted, no other (the saved skin read back), but where moves joined by the window system cut a
corner short; the skin view shows the painted skin; the program's CPU time per move is printed
(user and system time from /proc before and after the drag)."""
import ctypes
import ctypes.util
import math
import os
import time
from itertools import product

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


def main(varp, tool):
    with DemoRun(varp, tool, screen="1680x1080", window=(1600, 1000)) as demo:
        skin = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.key("3", "Home")  # Paint mode, the skin fitted: every texel zoom pixels square
        x0, y0, width, height = layout.skin
        zoom = min(width // skin.width, height // skin.height)
        x0 += math.floor((width + 3) // 4 * 2 - skin.width / 2 * zoom)
        y0 += height - math.floor(height // 2 + skin.height / 2 * zoom)
        # Where the filler's rounding puts each texel's square, near (x0, y0): measured.
        grid = [(s, t) for t in range(0, skin.height, 4) for s in range(0, skin.width, 4)]
        shows = lambda shot, d, pcx, texels: all(shot.pixel(
            x0 + d[0] + zoom * s, y0 + d[1] + zoom * t) == pcx.rgb(pcx.texel(s, t))
            for s, t in texels)
        find = lambda shot: next(
            (d for d in product(range(5), range(-2, 3)) if shows(shot, d, skin, grid)), None)
        dx, dy = find(demo.wait_screen("the fitted skin", find))
        point = lambda s, t: (x0 + dx + zoom * s, y0 + dy + zoom * t)
        colour = unused_colour(skin)
        demo.click(layout.cell(colour))

        # A serpentine over the skin: rows 24 texels apart, joined at the ends, all on the grid.
        rows = range(8, skin.height - 8, 24)
        texels, ends = set(), []
        for i, t in enumerate(rows):
            ends += [(4, t), (skin.width - 4, t)][::1 - 2 * (i % 2)]
            texels |= {(s, t) for s in range(4, skin.width - 3)}
            if i + 1 < len(rows):
                texels |= {(ends[-1][0], u) for u in range(t, rows[i + 1])}
        corners = [point(*e) for e in ends]
        points = path_of(corners, MOVES)

        x11, xtst = (ctypes.CDLL(ctypes.util.find_library(n)) for n in ("X11", "Xtst"))
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p] + [ctypes.c_int] * 3 + [
            ctypes.c_ulong]
        xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                              ctypes.c_ulong]
        display = x11.XOpenDisplay(demo.display.encode())
        assert display, f"cannot open {demo.display}"
        try:
            xtst.XTestFakeMotionEvent(display, -1, *corners[0], 0)
            x11.XFlush(display)
            time.sleep(0.2)
            cpu, started = cpu_seconds(demo.program.pid), time.monotonic()
            xtst.XTestFakeButtonEvent(display, 1, 1, 0)
            for i, (x, y) in enumerate(points):
                xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
                x11.XFlush(display)
                time.sleep(max(0.0, started + (i + 1) / RATE - time.monotonic()))
            sent = time.monotonic() - started
            xtst.XTestFakeButtonEvent(display, 1, 0, 0)
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)
        demo.wait_pixel(points[-1], skin.rgb(colour), "the end of the drag painted")
        cpu = cpu_seconds(demo.program.pid) - cpu
        print(f"{MOVES} moves sent in {sent:.2f}s; the program's CPU time "
              f"{cpu * 1e3:.0f} ms, {cpu / MOVES * 1e6:.0f} us a move")

        # Where the program falls behind, the window system joins moves, and a corner is cut by
        # the line between the texels on either side: within CUT texels of a corner the path may
        # take the short way. Everywhere else every texel of the path is painted, and no other.
        saved = demo.save_skin()
        painted = changed_texels(skin, saved)
        by_bend = {(s + i, t + j) for s, t in ends[1:-1] for i in range(-CUT, CUT + 1)
                   for j in range(-CUT, CUT + 1)}
        holes = sorted(texels - set(painted) - by_bend)
        assert not holes, f"{len(holes)} texels on the path not painted, first {holes[:8]}"
        stray = sorted(set(painted) - texels - by_bend)
        assert not stray and set(painted.values()) == {colour}, f"painted off the path: {stray}"
        print(f"{sum(e not in painted for e in ends[1:-1])} of {len(ends) - 2} corners cut")
        # The window shows the painted texels, and the rest of the skin as it was.
        demo.wait_screen("the painted skin in the skin view", lambda shot: shows(
            shot, (dx, dy), saved, sorted(painted) + grid))
        demo.quit()


if __name__ == "__main__":
    run(main)
