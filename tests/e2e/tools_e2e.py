#!/usr/bin/env python3
"""The paint tools with real X input on the flat skin at zoom 3: a 90-pixel jump, a 3 x 3
brush, a flood fill of one 4-connected region, and the wheel zooming about the pointer."""
from varp_e2e import DemoRun, Pcx, changed_texels, run, unused_colour


def region(skin, s, t):
    """The 4-connected texels of texel (s, t)'s colour."""
    seen, todo = set(), [(s, t)]
    while todo:
        x, y = p = todo.pop()
        if p not in seen and 0 <= x < skin.width and 0 <= y < skin.height \
                and skin.texel(x, y) == skin.texel(s, t):
            seen.add(p)
            todo += [(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)]
    return seen


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")
        demo.key("3")
        colour = unused_colour(original)
        rgb = original.rgb(colour)
        demo.click(layout.cell(colour))
        visible = set(layout.visible_texels(original))

        # One jump of 90 pixels: every texel between is painted.
        s, t = next(st for st in sorted(visible, key=lambda st: (st[1], st[0])) if min(st) > 0
                    if (st[0] + 45, st[1]) in visible and (st[0], st[1] + 4) in visible)
        start, end = layout.texel_point(s, t), layout.texel_point(s + 30, t)
        demo.xdotool("mousemove", *start, "mousedown", 1)
        demo.xdotool("mousemove", *end)
        demo.xdotool("mouseup", 1)
        demo.wait_pixel(end, rgb, "the end of the jump painted")
        painted = {(s + i, t): colour for i in range(31)}
        assert changed_texels(original, demo.save_skin()) == painted

        # Brush size 3, square: one click paints the nine texels around the one under it.
        demo.key("bracketright", "bracketright")
        centre = (s + 5, t + 3)
        demo.click(layout.texel_point(*centre))
        demo.wait_pixel(layout.texel_point(s + 6, t + 4), rgb, "the brush's corner painted")
        painted.update({(centre[0] + ds, centre[1] + dt): colour
                        for ds in (-1, 0, 1) for dt in (-1, 0, 1)})
        base = demo.save_skin()
        assert changed_texels(original, base) == painted

        # Flood fill: exactly the 4-connected region of the texel clicked.
        fill = unused_colour(original, [colour])
        seed = next(st for st in sorted(visible) if st not in painted
                    and 2 <= len(region(base, *st)) <= 400)
        demo.key("bracketleft", "bracketleft", "f")
        demo.click(layout.cell(fill))
        demo.click(layout.texel_point(*seed))
        demo.wait_pixel(layout.texel_point(*seed), original.rgb(fill), "the region filled")
        filled = changed_texels(base, demo.save_skin())
        assert filled == {st: fill for st in region(base, *seed)}, (seed, len(filled))

        # The wheel: one notch in over the first painted texel; it stays under the pointer, and
        # is drawn 4 pixels wide now.
        x, y = start
        before = demo.screenshot()
        demo.click((x, y), button=4)
        shot = demo.wait_screen("the zoom to change", lambda s: s.region(*layout.skin)
                                != before.region(*layout.skin))
        row = [shot.pixel(x + i, y) == rgb for i in range(-8, 200)]
        assert row[8] and row[:8].count(True) < 4, "the texel under the pointer moved"
        assert row.index(False, 8) - 8 + row[:8].count(True) == 31 * 4, row
        demo.quit()


if __name__ == "__main__":
    run(main)
