#!/usr/bin/env python3
"""Camera drags with the real program: in Mix mode a Ctrl + left drag on the 3D view turns the
model (the 3D view's picture changes) and puts the pointer back on the press point after every
move, while the skin view stays as it was and the skin saved afterwards is byte for byte the
one on disk before: the drag painted nothing.

Usage: camera_e2e.py VARP VARP_TOOL
"""
import os
import sys

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from varp_demo import WAIT, DemoRun, file_state, run  # noqa: E402
from varp_files import Pcx  # noqa: E402
from xsession import wait_for  # noqa: E402

STEPS = 8
STEP = 12  # pixels to the right per move: 0.2 degrees each, about 19 degrees in all


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        with open(demo.skin_path, "rb") as f:
            original_bytes = f.read()
        original = Pcx(original_bytes)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")
        before = demo.x.screenshot()
        iso_before = before.region(*layout.iso)
        skin_before = before.region(*layout.skin)

        press = layout.iso_centre()
        x = demo.x
        x.xdotool("mousemove", str(press[0]), str(press[1]))
        wait_for("the pointer on the 3D view", lambda: demo.pointer() == press, WAIT)
        x.xdotool("keydown", "ctrl", "mousedown", "1")
        try:
            for step in range(1, STEPS + 1):
                target = (press[0] + STEP, press[1])
                x.xdotool("mousemove", str(target[0]), str(target[1]))
                # The view takes the offset and puts the pointer back where the drag began.
                wait_for(f"the pointer back on the press point after move {step}",
                         lambda: demo.pointer() == press, WAIT, 0.05)
        finally:
            x.xdotool("mouseup", "1", "keyup", "ctrl")

        shot = demo.wait_screen("the 3D view to show the model turned",
                                lambda s: s.region(*layout.iso) != iso_before)
        assert shot.region(*layout.skin) == skin_before, "the skin view changed"
        assert demo.pointer() == press, "the pointer left the press point"

        # A save proves the skin in memory is still the one on disk.
        state = file_state(demo.skin_path)
        demo.key("shift+s")
        demo.wait_rewritten(demo.skin_path, state, "Skins > Save to write the skin")
        with open(demo.skin_path, "rb") as f:
            assert f.read() == original_bytes, "the skin changed"
        demo.quit()


if __name__ == "__main__":
    run(main)
