#!/usr/bin/env python3
"""Painting with the real program: in Paint mode a colour the demo skin does not use is chosen
in the palette, a click on the 3D model and a click on the flat skin paint one texel each, and
Skins > Save writes exactly those two texels, in that colour, and nothing else. A stroke over
the flat skin paints the texels under its moves and ends over the palette without choosing a
colour; the right button then picks the paint colour up from the skin view and the model.

Usage: painting_e2e.py VARP VARP_TOOL
"""
import os
import sys

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from varp_demo import DemoRun, palette_image, run, unused_colour  # noqa: E402
from varp_files import Pcx, changed_texels  # noqa: E402


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")

        # Paint mode: the toolbar shows another button down.
        mix_band = demo.x.screenshot().region(*layout.band)
        demo.key("3")
        demo.wait_screen("the toolbar to show Paint mode",
                         lambda s: s.region(*layout.band) != mix_band)

        colour = unused_colour(original)
        rgb = original.rgb(colour)
        demo.click(layout.cell(colour))
        demo.wait_palette(original, paint=colour)

        # On the model: the pixel under the click shows the painted texel, whichever it is.
        centre = layout.iso_centre()
        demo.click(centre)
        demo.wait_pixel(centre, rgb, "the painted texel on the model")
        saved = demo.save_skin(demo.skin_path)
        changed = changed_texels(original, saved)
        assert len(changed) == 1, f"a click on the model changed {changed}"
        (model_texel, value), = changed.items()
        assert value == colour, (model_texel, value, colour)

        # On the flat skin: the texel under the click is the one the view's transform gives.
        candidates = [st for st in layout.visible_texels(original, 7) if st != model_texel]
        texel = candidates[len(candidates) // 3]
        point = layout.texel_point(*texel)
        demo.click(point)
        demo.wait_pixel(point, rgb, f"texel {texel} painted in the skin view")
        saved = demo.save_skin(demo.skin_path)
        assert changed_texels(original, saved) == {model_texel: colour, texel: colour}, (
            changed_texels(original, saved), model_texel, texel, colour)

        # A stroke: each move with the button down paints the texel under the pointer, only
        # that one; the skin view keeps the mouse when the pointer leaves it, so a release over
        # the palette chooses no colour.
        painted = {model_texel: colour, texel: colour}
        visible = set(layout.visible_texels(original))

        def free_block(s, t):
            block = {(s + ds, t + dt) for ds in range(5) for dt in range(3)}
            return block <= visible and not block & set(painted)
        s, t = next(st for st in candidates[len(candidates) // 2:] if free_block(*st))
        stroke = [(s, t), (s + 2, t), (s + 4, t + 2)]
        demo.x.xdotool("mousemove", *map(str, layout.texel_point(*stroke[0])), "mousedown", "1")
        try:
            for i, st in enumerate(stroke):
                if i:
                    demo.x.xdotool("mousemove", *map(str, layout.texel_point(*st)))
                demo.wait_pixel(layout.texel_point(*st), rgb, f"texel {st} painted by the stroke")
            demo.x.xdotool("mousemove", *map(str, layout.cell(5)))
        finally:
            demo.x.xdotool("mouseup", "1")
        after = (s + 4, t)
        demo.click(layout.texel_point(*after))
        shot = demo.wait_pixel(layout.texel_point(*after), rgb, f"texel {after} painted")
        assert shot.region(*layout.palette_region()) == palette_image(original, paint=colour), \
            "the palette took part in the stroke"
        painted.update({st: colour for st in stroke + [after]})
        saved = demo.save_skin(demo.skin_path)
        assert changed_texels(original, saved) == painted, (changed_texels(original, saved),
                                                            painted)

        # Both views show the painted texels, the rest of the skin as it was.
        demo.wait_skin_view(saved, "the painted skin in the skin view")

        # The right button picks the paint colour up from either view.
        picked = next(st for st in candidates[len(candidates) // 2:] if st not in painted)
        demo.click(layout.texel_point(*picked), button=3)
        demo.wait_palette(original, paint=original.texel(*picked))
        demo.click(centre, button=3)
        demo.wait_palette(original, paint=colour)
        demo.quit()


if __name__ == "__main__":
    run(main)
