#!/usr/bin/env python3
"""Painting with the real program. First, in Mix mode, a Ctrl + left drag on the 3D view turns
the model and leaves the skin view as it was; the pointer is put back on the press point after
every move. Then in Paint mode (key 3) a colour the skin lacks is chosen in the palette; a click
on the model and a stroke on the flat skin paint the texels under the pointer (the stroke also
those between its samples), and Skins > Save writes exactly those: the drag painted nothing.
The stroke ends over the palette without choosing a colour. (Picking colours and protecting
them are exact in the views' and the palette's tests; the skin view's pan by the pointer's
offset, the warp's echo ignored and the blank cursor of a drag in the views' tests and
PaneWidgetTest, with the buttons and keys reaching the panes.)"""
from varp_e2e import DemoRun, Pcx, changed_texels, run, unused_colour, wait_for

# Eight moves of 12 pixels to the right, 0.2 degrees a pixel: about 19 degrees.
ORBIT_MOVES = [(12, 0)] * 8


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        before = demo.wait_skin_view(original, "the demo skin in the skin view")

        press = layout.iso_centre
        demo.xdotool("mousemove", *press)
        wait_for("the pointer on the press point", lambda: demo.pointer() == press)
        demo.xdotool("keydown", "ctrl", "mousedown", 1)
        try:
            for step, (dx, dy) in enumerate(ORBIT_MOVES, 1):
                demo.xdotool("mousemove", press[0] + dx, press[1] + dy)
                wait_for(f"the pointer back on the press point after move {step}",
                         lambda: demo.pointer() == press, interval=0.05)
        finally:
            demo.xdotool("mouseup", 1, "keyup", "ctrl")
        shot = demo.wait_screen("the 3D view to show the model turned",
                                lambda s: s.region(*layout.iso) != before.region(*layout.iso))
        assert shot.region(*layout.skin) == before.region(*layout.skin), "the skin view changed"

        demo.key("3")

        colour = unused_colour(original)
        rgb = original.rgb(colour)
        demo.click(layout.cell(colour))

        # On the model: the pixel under the click shows the painted texel, whichever it is.
        centre = layout.iso_centre
        demo.click(centre)
        demo.wait_pixel(centre, rgb, "the painted texel on the model")
        painted = changed_texels(original, demo.save_skin())
        assert list(painted.values()) == [colour], painted

        # On the flat skin: the texel under the click is the one the view's transform gives.
        texels = [st for st in layout.visible_texels(original, 7) if st not in painted]
        texel = texels[len(texels) // 3]
        demo.click(layout.texel_point(*texel))
        demo.wait_pixel(layout.texel_point(*texel), rgb, f"texel {texel} painted")
        painted[texel] = colour

        # A stroke paints the texels under its moves and every texel on the line between them,
        # only those; the skin view keeps the mouse when the pointer leaves it, so the release
        # over the palette chooses no colour.
        visible = set(layout.visible_texels(original))
        s, t = next(st for st in texels[len(texels) // 2:]
                    if {(st[0] + ds, st[1] + dt) for ds in range(5) for dt in range(3)}
                    <= visible - set(painted))
        stroke = [(s, t), (s + 2, t), (s + 4, t + 2)]
        demo.xdotool("mousemove", *layout.texel_point(s, t), "mousedown", 1)
        try:
            for st in stroke:
                demo.xdotool("mousemove", *layout.texel_point(*st))
                demo.wait_pixel(layout.texel_point(*st), rgb, f"texel {st} painted by the stroke")
            demo.xdotool("mousemove", *layout.cell(5))
        finally:
            demo.xdotool("mouseup", 1)
        painted.update({st: colour for st in stroke + [(s + 1, t), (s + 3, t + 1)]})
        after = (s + 4, t)
        demo.click(layout.texel_point(*after))
        demo.wait_pixel(layout.texel_point(*after), rgb, f"texel {after} painted after the stroke")
        painted[after] = colour

        saved = demo.save_skin()
        assert changed_texels(original, saved) == painted, (changed_texels(original, saved),
                                                            painted)
        demo.wait_skin_view(saved, "the painted skin in the skin view")
        demo.quit()


if __name__ == "__main__":
    run(main)
