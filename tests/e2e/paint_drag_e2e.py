#!/usr/bin/env python3
"""A long paint drag at the speed of a fast mouse: in a 1600 x 1000 window, one stroke of 2,000
X test moves sent at 1,000 a second runs to and fro along texel rows of the skin view, in a
colour the skin lacks. The saved skin shows every row painted without a hole and nothing in
another colour; the program's CPU time per move (user and system, from /proc) is printed."""
import ctypes
import ctypes.util
import os
import time

from varp_e2e import DemoRun, Pcx, changed_texels, run, unused_colour

MOVES = 2000
RATE = 1000  # moves a second


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def drag(display_name, points):
    """Left button down at the first point, a motion event to each point at RATE a second, up."""
    x11, xtst = (ctypes.CDLL(ctypes.util.find_library(n)) for n in ("X11", "Xtst"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(x11.XOpenDisplay(display_name.encode()))
    assert display.value, f"cannot open {display_name}"
    now = ctypes.c_ulong(0)  # CurrentTime: no delay
    try:
        xtst.XTestFakeMotionEvent(display, -1, *points[0], now)
        xtst.XTestFakeButtonEvent(display, 1, 1, now)
        started = time.monotonic()
        for i, point in enumerate(points):
            xtst.XTestFakeMotionEvent(display, -1, *point, now)
            x11.XFlush(display)
            time.sleep(max(0.0, started + (i + 1) / RATE - time.monotonic()))
        xtst.XTestFakeButtonEvent(display, 1, 0, now)
        x11.XFlush(display)
        return time.monotonic() - started
    finally:
        x11.XCloseDisplay(display)


def main(varp, tool):
    with DemoRun(varp, tool, screen="1680x1080", window=(1600, 1000)) as demo:
        skin = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.key("3")  # Paint mode
        colour = unused_colour(skin)
        demo.click(layout.cell(colour))

        # Rows four texels apart across what the skin view shows, joined at alternate ends.
        shown = layout.visible_texels(skin)
        left, right = min(s for s, _ in shown) + 1, max(s for s, _ in shown) - 1
        rows = range(min(t for _, t in shown) + 1, max(t for _, t in shown), 4)
        ends = [e for i, t in enumerate(rows) for e in [(left, t), (right, t)][::1 - 2 * (i % 2)]]
        corners = [layout.texel_point(*e) for e in ends]
        per_leg = MOVES // (len(corners) - 1)
        points = [(round(x0 + (x1 - x0) * k / per_leg), round(y0 + (y1 - y0) * k / per_leg))
                  for (x0, y0), (x1, y1) in zip(corners, corners[1:]) for k in range(per_leg)]
        points = (points + corners[-1:] * MOVES)[:MOVES]

        pid = demo.program.pid
        cpu = cpu_seconds(pid)
        sent = drag(demo.display, points)
        demo.wait_pixel(points[-1], skin.rgb(colour), "the end of the drag painted")
        cpu = cpu_seconds(pid) - cpu
        print(f"{MOVES} moves sent in {sent:.2f}s; the program's CPU time "
              f"{cpu * 1e3:.0f} ms, {cpu / MOVES * 1e6:.0f} us a move")

        # Where the program falls behind, the window system joins moves and a corner may be cut,
        # but each row is painted from where the stroke entered it to where it left, no hole
        # between. (Rows are told by length: the screen may put them a texel off the layout's.)
        painted = changed_texels(skin, demo.save_skin())
        assert set(painted.values()) == {colour}, "painted in another colour"
        by_row = {t: sorted(s for s, u in painted if u == t) for _, t in painted}
        long = [row for row in by_row.values() if len(row) > (right - left) // 2]
        assert len(long) == len(rows), f"{len(long)} rows painted of {len(rows)}"
        holes = [row for row in long if row != list(range(row[0], row[-1] + 1))]
        assert not holes, f"holes in rows: {holes[:2]}"
        demo.quit()


if __name__ == "__main__":
    run(main)
