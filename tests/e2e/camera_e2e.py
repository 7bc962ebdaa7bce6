#!/usr/bin/env python3
"""View drags with the real program, in Mix mode: a Ctrl + left drag on the 3D view turns the
model (the 3D view's picture changes), a Ctrl + left drag on the skin view pans the skin by
exactly the pointer's offset. During each drag the cursor is hidden and put back on the press
point after every move; afterwards it shows again. The skin saved at the end is byte for byte
the one on disk before: the drags painted nothing.

Usage: camera_e2e.py VARP VARP_TOOL
"""
import os
import sys

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from varp_demo import WAIT, ZOOM, DemoRun, file_state, run  # noqa: E402
from varp_files import Pcx  # noqa: E402
from xsession import wait_for  # noqa: E402

# 3D view: eight moves of 12 pixels to the right, 0.2 degrees a pixel: about 19 degrees.
ORBIT_MOVES = [(12, 0)] * 8
# Skin view: the skin follows the pointer, 3 pixels a texel at the start's zoom.
PAN_MOVES = [(9, 0), (0, 6), (-3, 3)]


def drag(demo, press, moves):
    """Ctrl + left drag from `press`, each move relative to the press point: the pane puts
    the pointer back there after every move, and the cursor stays hidden."""
    x = demo.x
    x.xdotool("mousemove", str(press[0]), str(press[1]))
    wait_for("the pointer on the press point", lambda: demo.pointer() == press, WAIT)
    if x.cursor_visible() is not None:
        wait_for("a visible cursor before the drag", x.cursor_visible, WAIT)
    x.xdotool("keydown", "ctrl", "mousedown", "1")
    try:
        for step, (dx, dy) in enumerate(moves, 1):
            x.xdotool("mousemove", str(press[0] + dx), str(press[1] + dy))
            wait_for(f"the pointer back on the press point after move {step}",
                     lambda: demo.pointer() == press, WAIT, 0.05)
            assert x.cursor_visible() in (False, None), f"the cursor shows after move {step}"
    finally:
        x.xdotool("mouseup", "1", "keyup", "ctrl")
    if x.cursor_visible() is not None:
        wait_for("the cursor to show again after the drag", x.cursor_visible, WAIT)
    assert demo.pointer() == press, "the pointer left the press point"


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        with open(demo.skin_path, "rb") as f:
            original_bytes = f.read()
        original = Pcx(original_bytes)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")
        if demo.x.cursor_visible() is None:
            print("the X Fixes library is missing: the cursor is not checked")
        before = demo.x.screenshot()

        drag(demo, layout.iso_centre(), ORBIT_MOVES)
        shot = demo.wait_screen("the 3D view to show the model turned",
                                lambda s: s.region(*layout.iso) != before.region(*layout.iso))
        assert shot.region(*layout.skin) == before.region(*layout.skin), "the skin view changed"

        iso_turned = shot.region(*layout.iso)
        drag(demo, layout.texel_point(60, 60), PAN_MOVES)
        layout.pan_s -= sum(dx for dx, _ in PAN_MOVES) // ZOOM
        layout.pan_t -= sum(dy for _, dy in PAN_MOVES) // ZOOM
        shot = demo.wait_skin_view(original, "the skin panned by the pointer's offset")
        assert shot.region(*layout.iso) == iso_turned, "the 3D view changed"

        # A save proves the skin in memory is still the one on disk.
        state = file_state(demo.skin_path)
        demo.key("shift+s")
        demo.wait_rewritten(demo.skin_path, state, "Skins > Save to write the skin")
        with open(demo.skin_path, "rb") as f:
            assert f.read() == original_bytes, "the skin changed"
        demo.quit()


if __name__ == "__main__":
    run(main)
