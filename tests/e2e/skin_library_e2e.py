#!/usr/bin/env python3
"""The skin list with the real program: Skins > New makes a checkerboard skin, one texel is
painted on it, Skins > Link saves it under the base folder through the file dialog, File > Save
writes the model naming it; a fresh start on the model opens without a message, and choosing
the new skin in the skin selector shows it with the painted texel.

Usage: skin_library_e2e.py VARP VARP_TOOL
"""
import json
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from varp_demo import WAIT, DemoRun, file_state, run, unused_colour  # noqa: E402
from varp_files import Pcx, md2_skin_names  # noqa: E402

DEMO_SKINS = ["models/demo/skin.pcx", "models/demo/skin2.pcx"]
LINKED = "models/demo/linked.pcx"
# The program spells the skin names it holds with backslashes, and writes them so.
SAVED_SKINS = [name.replace("/", "\\") for name in DEMO_SKINS + [LINKED]]


def checkerboard(width, height):
    """A new skin's texels: 4 x 4 squares of 63 and 191, 63 in the top-left corner."""
    return bytearray(191 if (s // 4 + t // 4) % 2 else 63
                     for t in range(height) for s in range(width))


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        with open(demo.skin_path, "rb") as f:
            skin_bytes = f.read()
        original = Pcx(skin_bytes)
        with open(demo.model, "rb") as f:
            model_bytes = f.read()
        linked_path = os.path.join(demo.base, *LINKED.split("/"))
        background_windows = demo.visible_windows()
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")

        # Skins > New: an unlinked skin in the current skin's palette becomes current.
        demo.key("shift+n")
        pixels = checkerboard(original.width, original.height)
        demo.wait_skin_view(Pcx.image(original.width, original.height, pixels,
                                      original.palette), "the new skin's checkerboard")

        colour = unused_colour(original, also_used=(63, 191))
        demo.click(layout.cell(colour))
        demo.wait_palette(original, paint=colour)
        texels = layout.visible_texels(original, 11)
        texel = texels[len(texels) // 2 + 3]
        point = layout.texel_point(*texel)
        demo.click(point)
        demo.wait_pixel(point, original.rgb(colour), f"texel {texel} painted on the new skin")
        pixels[texel[1] * original.width + texel[0]] = colour
        painted = Pcx.image(original.width, original.height, pixels, original.palette)

        # Skins > Link: the save form of the file dialog, a path under the base folder.
        assert not os.path.exists(linked_path)
        windows = demo.visible_windows()
        demo.key("shift+l")
        dialog = demo.wait_new_window(windows, "the file dialog of Skins > Link")
        demo.x.xdotool("windowfocus", "--sync", dialog)
        demo.x.xdotool("key", "ctrl+a")
        demo.x.xdotool("type", "--delay", "10", linked_path)
        demo.x.xdotool("key", "Return")
        demo.wait_rewritten(linked_path, None, f"Skins > Link to write {linked_path}")
        linked = Pcx.read(linked_path)
        assert (linked.width, linked.height) == (original.width, original.height)
        assert linked.palette == original.palette, "the new skin's palette is not the skin's"
        assert linked.pixels == painted.pixels, [
            (i % linked.width, i // linked.width, a, b)
            for i, (a, b) in enumerate(zip(painted.pixels, linked.pixels)) if a != b][:8]
        assert demo.visible_windows() - background_windows == {layout.window}, \
            "a window is still open after the link"

        # File > Save writes the model with the linked skin after the model's own.
        state = file_state(demo.model)
        demo.key("ctrl+s")
        demo.wait_rewritten(demo.model, state, "File > Save to write the model")
        assert md2_skin_names(demo.model) == SAVED_SKINS, md2_skin_names(demo.model)
        with open(demo.model, "rb") as f:
            assert f.read() != model_bytes
        info = json.loads(subprocess.run(
            [demo.tool, "info", "--json", "--base", demo.base, demo.model], check=True,
            capture_output=True, timeout=WAIT).stdout)
        assert [(s["Name"], s["OnDisk"], s["Unlinked"]) for s in info["Skins"]] == [
            (name, 1, 0) for name in SAVED_SKINS], info["Skins"]
        assert info["Messages"] == [], info["Messages"]
        assert demo.visible_windows() - background_windows == {layout.window}, \
            "a message after File > Save"
        demo.quit()

        # A fresh start on the saved model: no message, the demo skin first.
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view after the restart")
        assert demo.visible_windows() - background_windows == {layout.window}, \
            "a message at start"

        # The skin selector's list: its third entry is the linked skin.
        windows = demo.visible_windows()
        selector = ((layout.left + layout.palette_x) // 2, layout.palette_y - 8)
        demo.click(selector)
        demo.wait_new_window(windows, "the skin selector's list")
        demo.x.xdotool("key", "Down", "Down", "Return")
        demo.wait_skin_view(painted, "the linked skin with its painted texel")
        assert demo.visible_windows() == windows, "the list is still open"
        demo.quit()
        with open(demo.skin_path, "rb") as f:
            assert f.read() == skin_bytes, "the demo skin changed"


if __name__ == "__main__":
    run(main)
