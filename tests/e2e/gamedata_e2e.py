#!/usr/bin/env python3
"""The game's own data with the real program. The demo model and skins live only in pak0.pak;
the program opens the model from it, and the skin is saved as a loose file at its name while the
pak stays byte for byte as it was (GameDataTest saves painted skins and the model so, exactly).
Space plays the current frame's group at 10 frames a second (the 3D view and the frame selector
move) and pauses it. (The menu icon is exact in GameFramesTest.)"""
import os
import shutil
import struct
import time

from varp_e2e import COLUMN, DemoRun, Pcx, changed_texels, run


def write_pak(path, files):
    """A pak of (name, bytes): the files after the 12-byte header, then the directory."""
    data, entries = b"", b""
    for name, content in files:
        entries += name.encode().ljust(56, b"\0") + struct.pack("<ii", 12 + len(data), len(content))
        data += content
    with open(path, "wb") as f:
        f.write(b"PACK" + struct.pack("<ii", 12 + len(data), len(entries)) + data + entries)


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        folder = os.path.join(demo.base, "models", "demo")
        files = [(f"models/demo/{name}", open(os.path.join(folder, name), "rb").read())
                 for name in ("tris.md2", "skin.pcx", "skin2.pcx")]
        pak = os.path.join(demo.base, "pak0.pak")
        write_pak(pak, files)
        pak_bytes = open(pak, "rb").read()
        # The start-up reads the palette from a copy outside the base folder.
        demo.skin_path = shutil.copy(os.path.join(folder, "skin.pcx"), demo.work)
        shutil.rmtree(folder)
        original = Pcx.read(demo.skin_path)
        layout = demo.start()
        demo.wait_skin_view(original, "the skin read from the pak in the skin view")

        demo.key("shift+s")
        demo.answer("the message that the skin is now a loose file", "Return")
        saved = Pcx.read(os.path.join(folder, "skin.pcx"))
        assert changed_texels(original, saved) == {}
        assert open(pak, "rb").read() == pak_bytes, "the pak was written"

        # Space plays the group of the first frame: the 3D view and the frame selector move.
        selector = (layout.palette_x, layout.palette_y - 24, COLUMN, 20)
        demo.key("space")
        first = demo.screenshot()
        time.sleep(0.3)
        second = demo.screenshot()
        assert first.region(*layout.iso) != second.region(*layout.iso), "the 3D view stood still"
        assert first.region(*selector) != second.region(*selector), "the frame selector stood"
        demo.key("space")
        time.sleep(0.3)
        paused = demo.screenshot()
        time.sleep(0.3)
        assert demo.screenshot().region(*layout.iso) == paused.region(*layout.iso), "still plays"

        demo.quit()


if __name__ == "__main__":
    run(main)
