#!/usr/bin/env python3
"""Nothing the user made is lost. Skins > Close/Delete of a painted skin asks, and Cancel keeps
it. Killed 40 seconds after a stroke, the program started again offers what was unsaved, and
Yes brings the stroke back. (Undo and redo of every kind of change are exact in HistoryTest.)"""
import os
import signal
import time

from varp_e2e import DemoRun, Pcx, changed_texels, run, unused_colour


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")
        demo.key("3")
        colour = unused_colour(original)
        rgb = original.rgb(colour)
        demo.click(layout.cell(colour))
        texels = layout.visible_texels(original, 9)
        texel = texels[len(texels) // 2]

        # Closing a painted skin asks first; Cancel keeps it.
        demo.click(layout.texel_point(*texel))
        demo.wait_pixel(layout.texel_point(*texel), rgb, f"texel {texel} painted")
        stroke_time = time.monotonic()
        demo.key("shift+d")
        demo.answer("the question before closing", "Escape")
        demo.wait_pixel(layout.texel_point(*texel), rgb, "the painted skin still in view")

        # Killed after the recovery files were written, started again: Yes brings it back.
        time.sleep(max(0.0, stroke_time + 40 - time.monotonic()))
        os.kill(demo.program.pid, signal.SIGKILL)
        demo.program.wait()
        demo.program = None
        layout = demo.start(answer="Return")
        demo.wait_pixel(layout.texel_point(*texel), rgb, "the stroke brought back")
        demo.quit()
        assert changed_texels(original, Pcx.read(demo.skin_path)) == {texel: colour}


if __name__ == "__main__":
    run(main)
