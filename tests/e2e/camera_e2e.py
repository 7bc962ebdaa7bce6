#!/usr/bin/env python3
"""View drags with the real program, in Mix mode: a Ctrl + left drag on the 3D view turns the
model, one on the skin view pans the skin by exactly the pointer's offset, and neither touches
the other view. During each drag the cursor is hidden (read through X Fixes) and put back on
the press point after every move; afterwards it shows again. Skins > Save then writes the skin
byte for byte as it was: the drags painted nothing."""
from varp_e2e import ZOOM, DemoRun, Pcx, run, wait_for

# 3D view: eight moves of 12 pixels to the right, 0.2 degrees a pixel: about 19 degrees.
ORBIT_MOVES = [(12, 0)] * 8
# Skin view: the skin follows the pointer, ZOOM pixels a texel.
PAN_MOVES = [(9, 0), (0, 6), (-3, 3)]


def drag(demo, press, moves):
    """Ctrl + left drag from `press`, each move relative to the press point."""
    demo.xdotool("mousemove", *press)
    wait_for("the pointer on the press point", lambda: demo.pointer() == press)
    wait_for("a visible cursor before the drag", demo.cursor_visible)
    demo.xdotool("keydown", "ctrl", "mousedown", 1)
    try:
        for step, (dx, dy) in enumerate(moves, 1):
            demo.xdotool("mousemove", press[0] + dx, press[1] + dy)
            wait_for(f"the pointer back on the press point after move {step}",
                     lambda: demo.pointer() == press, interval=0.05)
            assert not demo.cursor_visible(), f"the cursor shows after move {step}"
    finally:
        demo.xdotool("mouseup", 1, "keyup", "ctrl")
    wait_for("the cursor to show again after the drag", demo.cursor_visible)


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        with open(demo.skin_path, "rb") as f:
            original_bytes = f.read()
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        before = demo.wait_skin_view(original, "the demo skin in the skin view")

        drag(demo, layout.iso_centre, ORBIT_MOVES)
        shot = demo.wait_screen("the 3D view to show the model turned",
                                lambda s: s.region(*layout.iso) != before.region(*layout.iso))
        assert shot.region(*layout.skin) == before.region(*layout.skin), "the skin view changed"

        turned = shot.region(*layout.iso)
        drag(demo, layout.texel_point(60, 60), PAN_MOVES)
        layout.pan_s -= sum(dx for dx, _ in PAN_MOVES) // ZOOM
        layout.pan_t -= sum(dy for _, dy in PAN_MOVES) // ZOOM
        shot = demo.wait_skin_view(original, "the skin panned by the pointer's offset")
        assert shot.region(*layout.iso) == turned, "the 3D view changed"

        demo.save_skin()
        with open(demo.skin_path, "rb") as f:
            assert f.read() == original_bytes, "the skin changed"
        demo.quit()


if __name__ == "__main__":
    run(main)
