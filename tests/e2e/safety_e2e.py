#!/usr/bin/env python3
"""Nothing the user made is lost. Two clicks of paint, Ctrl+Z, Skins > Save: only the first
texel is written; Ctrl+Shift+Z and a save write both. A mapping drag taken back leaves File >
Save writing the model byte for byte as before. Skins > Close/Delete of a painted skin asks,
and Cancel keeps it. Killed 40 seconds after a stroke, the program started again offers what
was unsaved, and Yes brings the stroke back."""
import os
import signal
import time

from varp_e2e import CAPTION, DemoRun, Pcx, changed_texels, file_state, md2_coords, run, \
    unused_colour, wait_for


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")
        before = file_state(demo.model)
        demo.key("ctrl+s")
        demo.wait_rewritten(demo.model, before, "File > Save to write the model")
        with open(demo.model, "rb") as f:
            model_bytes = f.read()

        demo.key("3")
        colour = unused_colour(original)
        rgb = original.rgb(colour)
        demo.click(layout.cell(colour))
        texels = layout.visible_texels(original, 9)
        first, second, third = texels[len(texels) // 4], texels[len(texels) // 2], texels[-5]
        for texel in (first, second):
            demo.click(layout.texel_point(*texel))
            demo.wait_pixel(layout.texel_point(*texel), rgb, f"texel {texel} painted")
        demo.key("ctrl+z")
        demo.wait_pixel(layout.texel_point(*second), original.rgb(original.texel(*second)),
                        "the second click taken back")
        assert changed_texels(original, demo.save_skin()) == {first: colour}
        demo.key("ctrl+shift+z")
        demo.wait_pixel(layout.texel_point(*second), rgb, "the second click made again")
        assert changed_texels(original, demo.save_skin()) == {first: colour, second: colour}

        # A mapping point dragged six texels right and four down, then taken back.
        painted = demo.screenshot().region(*layout.skin)
        demo.key("4")
        visible = set(layout.visible_texels(original))
        s, t = next((s, t) for s, t in md2_coords(demo.model)
                    if (s, t) in visible and (s + 6, t + 4) in visible)
        outlines = demo.wait_screen("the mapping outlines", lambda shot: shot.region(
            *layout.skin) != painted).region(*layout.skin)
        demo.xdotool("mousemove", *layout.texel_point(s, t), "mousedown", 1)
        demo.xdotool("mousemove", *layout.texel_point(s + 3, t + 2))
        demo.xdotool("mousemove", *layout.texel_point(s + 6, t + 4), "mouseup", 1)
        demo.wait_screen("the point moved", lambda shot: shot.region(*layout.skin) != outlines)
        demo.key("ctrl+z")
        demo.wait_screen("the drag taken back", lambda shot: shot.region(*layout.skin) == outlines)
        before = file_state(demo.model)
        demo.key("ctrl+s")
        demo.wait_rewritten(demo.model, before, "File > Save after the undo")
        with open(demo.model, "rb") as f:
            assert f.read() == model_bytes, "the model differs after the drag was taken back"

        # Closing a painted skin asks first; Cancel keeps it.
        demo.key("3")
        demo.click(layout.texel_point(*third))
        demo.wait_pixel(layout.texel_point(*third), rgb, f"texel {third} painted")
        stroke_time = time.monotonic()
        demo.key("shift+d")
        box, = wait_for("the question before closing", lambda: demo.windows(CAPTION))
        demo.xdotool("windowfocus", "--sync", box, "key", "Escape")
        wait_for("the question to close", lambda: not demo.windows(CAPTION))
        demo.wait_pixel(layout.texel_point(*third), rgb, "the painted skin still in view")

        # Killed after the recovery files were written, started again: Yes brings it back.
        time.sleep(max(0.0, stroke_time + 40 - time.monotonic()))
        os.kill(demo.program.pid, signal.SIGKILL)
        demo.program.wait()
        demo.program = None
        layout = demo.start(answer="Return")
        demo.wait_pixel(layout.texel_point(*third), rgb, "the stroke brought back")
        demo.quit()
        assert changed_texels(original, Pcx.read(demo.skin_path)) == \
            {first: colour, second: colour, third: colour}


if __name__ == "__main__":
    run(main)
