#!/usr/bin/env python3
"""The real program under a real X server: it opens on the demo model, shows the skin and its
palette, switches modes with the keys 1 to 4, and quits through File > Exit answering Yes.

Usage: main_window_e2e.py VARP VARP_TOOL
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from varp_demo import COLUMN, find_palette  # noqa: E402
from varp_files import Pcx  # noqa: E402
from xsession import Timeout, XSession, wait_for  # noqa: E402


def main():
    varp, tool = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    work = tempfile.mkdtemp(prefix="varp-e2e-")
    x = None
    program = None
    try:
        base = os.path.join(work, "base")
        subprocess.run([tool, "make-sample", base], check=True, capture_output=True, timeout=120)
        model = os.path.join(base, "models", "demo", "tris.md2")
        skin = Pcx.read(os.path.join(base, "models", "demo", "skin.pcx"))
        palette = [skin.rgb(i) for i in range(256)]

        # Its own settings, with the base folder set, so start-up asks nothing.
        config = os.path.join(work, "config")
        os.makedirs(os.path.join(config, "Ombrick"))
        with open(os.path.join(config, "Ombrick", "Zozuz05.conf"), "w") as f:
            f.write('[Project]\nBaseDir="%s"\n' % base.replace("\\", "\\\\").replace('"', '\\"'))

        x = XSession()
        env = dict(x.env, XDG_CONFIG_HOME=config)
        log = open(os.path.join(work, "varp.log"), "wb")
        program = subprocess.Popen([varp, "-md2", model], env=env, cwd=work, stdout=log,
                                   stderr=subprocess.STDOUT)

        window = x.find_window("^Varpkit v0.60$", timeout=120)
        left, top, width, height = x.geometry(window)
        right, bottom = left + width, top + height
        # The pointer away from every button, so that no hover highlight changes pixels.
        screen = x.screenshot()
        x.xdotool("mousemove", "--sync", str(screen.width - 1), str(screen.height - 1))

        # The palette appears once the first refresh has run.
        shot = None

        def palette_shown():
            nonlocal shot
            shot = x.screenshot()
            return find_palette(shot, left, top, right, bottom, palette)
        px, py = wait_for("the palette grid in the skin's colours", palette_shown, 120, 0.5)
        assert px == right - COLUMN, (px, right)

        # The large pane at the left shows the skin: many colours, all of them the skin's.
        skin_area = (left + 2, py + 2, px - left - 4, bottom - py - 4)
        colours = shot.colours(*skin_area)
        assert len(colours) >= 32, f"the skin pane shows only {len(colours)} colours"
        assert colours <= set(palette), "the skin pane shows colours outside the palette"

        # Modes: keys 1 to 4. The toolbar band (above the selectors) shows which button is
        # down; the skin pane shows the mapping outlines in Mapping mode only.
        band = (left, top, min(width, 240), py - top - 28)
        assert band[3] > 10, f"no room for a toolbar above the selectors ({band})"
        x.xdotool("windowfocus", "--sync", window)

        def band_after(key, previous):
            x.xdotool("key", key)
            return wait_for(f"the toolbar to change after key {key}",
                            lambda: (lambda s: s if s.region(*band) != previous else None)(
                                x.screenshot()), 60, 0.3)

        mix_shot = x.screenshot()
        mix_band = mix_shot.region(*band)
        bands = {"2": mix_band}
        previous = mix_band
        for key in ("1", "3", "4"):
            shot = band_after(key, previous)
            previous = bands[key] = shot.region(*band)
        assert len(set(bands.values())) == 4, "the four modes do not show four toolbar states"
        mapping_skin = shot.region(*skin_area)

        shot = band_after("2", bands["4"])
        back = wait_for("Mix mode's toolbar and skin pane again",
                        lambda: (lambda s: s if s.region(*band) == mix_band and
                                 s.region(*skin_area) == mix_shot.region(*skin_area) else None)(
                            x.screenshot()), 60, 0.3)
        assert back.region(*skin_area) != mapping_skin, "Mapping mode drew no outlines"

        # File > Exit, then Yes in the question box.
        x.xdotool("key", "alt+f")
        x.xdotool("key", "x")
        box = x.find_window("^Zozuz05$", timeout=60)
        x.xdotool("windowfocus", "--sync", box)
        x.xdotool("key", "Return")
        try:
            code = program.wait(60)
        except subprocess.TimeoutExpired:
            raise Timeout("the program did not end after Yes")
        assert code == 0, f"the program ended with {code}"
        program = None
        print("ok")
    finally:
        if program is not None:
            program.kill()
            program.wait()
            log_path = os.path.join(work, "varp.log")
            if os.path.exists(log_path):
                sys.stderr.write(open(log_path, errors="replace").read())
        if x is not None:
            x.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
