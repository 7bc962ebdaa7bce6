#!/usr/bin/env python3
"""Protected colours with the real program: Shift + left click on a palette cell crosses it out
and painting in the skin view then leaves texels of that colour alone, while a texel of another
colour takes the paint; Shift + right click removes the cross and the colour can be painted
over again. Checked on screen and in the skin saved by Skins > Save.

Usage: protection_e2e.py VARP VARP_TOOL
"""
import os
import sys

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from varp_demo import DemoRun, run, unused_colour  # noqa: E402
from varp_files import Pcx, changed_texels  # noqa: E402


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")

        # A texel whose colour is not 0 (the cell that carries both markers at start) and
        # another of a different colour, both in view.
        texels = layout.visible_texels(original, 9)
        kept = next(st for st in texels[len(texels) // 2:] if original.texel(*st) != 0)
        protected = original.texel(*kept)
        other = next(st for st in texels[len(texels) // 2:]
                     if original.texel(*st) != protected)
        paint = unused_colour(original)
        paint_rgb = original.rgb(paint)

        # Mix mode, as at start: Shift + left on the palette protects, left chooses.
        demo.click(layout.cell(protected), modifiers=("shift",))
        demo.wait_palette(original, locks={protected})
        demo.click(layout.cell(paint))
        demo.wait_palette(original, paint=paint, locks={protected})

        demo.click(layout.texel_point(*kept))
        demo.click(layout.texel_point(*other))
        shot = demo.wait_pixel(layout.texel_point(*other), paint_rgb,
                               f"texel {other} painted in the skin view")
        # The clicks are handled in order: the protected texel's is done too.
        assert shot.pixel(*layout.texel_point(*kept)) == original.rgb(protected)
        saved = demo.save_skin(demo.skin_path)
        assert changed_texels(original, saved) == {other: paint}, (
            changed_texels(original, saved), kept, protected, other, paint)

        # Shift + right releases the colour: the same click now paints.
        demo.click(layout.cell(protected), button=3, modifiers=("shift",))
        demo.wait_palette(original, paint=paint)
        demo.click(layout.texel_point(*kept))
        demo.wait_pixel(layout.texel_point(*kept), paint_rgb,
                        f"texel {kept} painted once its colour is free")
        saved = demo.save_skin(demo.skin_path)
        assert changed_texels(original, saved) == {other: paint, kept: paint}, (
            changed_texels(original, saved), kept, other, paint)
        demo.quit()


if __name__ == "__main__":
    run(main)
