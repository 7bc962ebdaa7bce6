#!/usr/bin/env python3
"""The skin list with the real program. Skins > New makes a checkerboard skin, one texel is
painted on it, Skins > Link saves it under the base folder through the save form of the file
dialog, File > Save writes the model naming it; a fresh start on the model opens without a
message, and choosing the new skin in the skin selector shows it with the painted texel.
(Importing pictures is exact in ImageCommandsTest, through the program's own codec in ToolTest;
the file dialog's forms in PlatformTest; undo in HistoryTest.)"""
import os

from varp_e2e import DemoRun, Pcx, file_state, md2_skin_names, run, unused_colour, wait_for

LINKED = "models/demo/linked.pcx"
# The program spells the skin names it holds with backslashes, and writes them so.
SAVED_SKINS = ["models/demo/skin.pcx", "models/demo/skin2.pcx", "models/demo/linked.pcx"]


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        with open(demo.skin_path, "rb") as f:
            skin_bytes = f.read()
        original = Pcx.read(demo.skin_path)
        linked_path = os.path.join(demo.base, *LINKED.split("/"))
        background = demo.windows()
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")

        # Skins > New: a skin in the current skin's palette, 4 x 4 squares of 63 and 191 with
        # 63 in the top-left corner, becomes current.
        w, h = original.width, original.height
        pixels = bytearray(191 if (s // 4 + t // 4) % 2 else 63 for t in range(h) for s in range(w))
        demo.key("shift+n")
        demo.wait_skin_view(Pcx(w, h, pixels, original.palette), "the new checkerboard")

        colour = unused_colour(original, also_used=(63, 191))
        demo.click(layout.cell(colour))
        texels = layout.visible_texels(original, 11)
        texel = texels[len(texels) // 2 + 3]
        demo.click(layout.texel_point(*texel))
        demo.wait_pixel(layout.texel_point(*texel), original.rgb(colour), f"texel {texel} painted")
        pixels[texel[1] * w + texel[0]] = colour
        painted = Pcx(w, h, pixels, original.palette)

        # Skins > Link: the save form of the file dialog, a path under the base folder.
        windows = demo.windows()
        demo.key("shift+l")
        dialog = demo.wait_new_window(windows, "the file dialog of Skins > Link")
        demo.xdotool("windowfocus", "--sync", dialog, "key", "ctrl+a")
        demo.xdotool("type", "--delay", 10, linked_path)
        demo.xdotool("key", "Return")
        wait_for(f"Skins > Link to write {linked_path}", lambda: os.path.exists(linked_path))
        linked = Pcx.read(linked_path)
        assert (linked.width, linked.height, linked.palette) == (w, h, original.palette)
        assert linked.pixels == painted.pixels, "the linked skin's texels are not the painted ones"

        # File > Save writes the model with the linked skin after the model's own, and shows
        # nothing: the dialog is gone and no message comes.
        state = file_state(demo.model)
        demo.key("ctrl+s")
        wait_for("File > Save to write the model", lambda: file_state(demo.model) != state)
        assert md2_skin_names(demo.model) == SAVED_SKINS, md2_skin_names(demo.model)
        assert demo.windows() - background == {layout.window}, "another window is open"
        demo.quit()

        # A fresh start on the saved model: no message, the demo skin first, the linked skin
        # third in the skin selector's list.
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view after the restart")
        windows = demo.windows()
        assert windows - background == {layout.window}, "a message at start"
        demo.click(layout.skin_selector)
        demo.wait_new_window(windows, "the skin selector's list")
        demo.xdotool("key", "Down", "Down", "Return")
        demo.wait_skin_view(painted, "the linked skin with its painted texel")
        assert demo.windows() == windows, "the list is still open"
        demo.quit()
        with open(demo.skin_path, "rb") as f:
            assert f.read() == skin_bytes, "the demo skin changed"


if __name__ == "__main__":
    run(main)
