#!/usr/bin/env python3
"""Pictures with the real program: the second demo skin, exported by varp-tool as a 32-bit PNG,
is brought into the demo skin with Skins > Import Image; the skin view shows it; Ctrl+Z takes
it back, and Skins > Save then writes the demo skin texel for texel as it was."""
import os

from varp_e2e import DemoRun, Pcx, run


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        original = Pcx.read(demo.skin_path)
        other_path = os.path.join(os.path.dirname(demo.skin_path), "skin2.pcx")
        other = Pcx.read(other_path)
        picture = os.path.join(demo.work, "painted.png")
        demo.run(demo.tool, "export", other_path, picture)
        layout = demo.start()
        demo.wait_skin_view(original, "the demo skin in the skin view")

        # Skins > Import Image: the open form of the file dialog; a picture of the skin's size
        # in the palette's own colours asks nothing more.
        windows = demo.windows()
        demo.key("alt+s", "i")
        dialog = demo.wait_new_window(windows, "the file dialog of Skins > Import Image")
        demo.xdotool("windowfocus", "--sync", dialog, "key", "ctrl+a")
        demo.xdotool("type", "--delay", 10, picture)
        demo.xdotool("key", "Return")
        demo.wait_skin_view(other, "the imported picture in the skin view")
        assert demo.windows() == windows, "a dialog or message is still open"

        demo.key("ctrl+z")
        demo.wait_skin_view(original, "the demo skin again after Ctrl+Z")
        assert demo.save_skin().pixels == original.pixels, "the undone skin is not the demo skin"
        assert layout.window in demo.windows()


if __name__ == "__main__":
    run(main)
