#!/usr/bin/env python3
"""The real program under valgrind's memory checker on the demo model: a texel painted, the
model turned, File > Exit with Yes. Nothing allocated by our own code may be lost, and no read
or write of our code may touch memory it does not own. The libraries' own leaks (X, GL, GLib,
fontconfig) are theirs and pass."""
import os
import re

from varp_e2e import DemoRun, run


ALLOCATORS = re.compile(r"\b(malloc|calloc|realloc|memalign|posix_memalign|operator new)\b")


def our_code(record):
    """Whether the first frame below the allocator and the standard library is ours: a
    function of the varp namespace or main. Our frames further down, under a library's own
    allocation, do not make the library's memory ours."""
    for line in record.splitlines():
        frame = re.search(r"(?:at|by) 0x[0-9A-F]+: (.*)$", line)
        if not frame:
            continue
        text = frame.group(1)
        if "vgpreload" in text or ALLOCATORS.search(text) or text.startswith(("std::", "__gnu_cxx::")):
            continue
        return text.startswith(("varp::", "main ("))
    return False


def main(varp, tool):
    with DemoRun(varp, tool) as demo:
        log = os.path.join(demo.work, "valgrind.log")
        layout = demo.start(wrapper=("valgrind", "--leak-check=full", "--num-callers=40",
                                     "--log-file=" + log))
        demo.key("3")  # Paint mode: a click paints a texel of the model
        demo.click(layout.iso_centre)
        demo.key("2")  # Mix mode: Ctrl and the left button turn the model
        demo.click(layout.iso_centre, modifiers=("ctrl",))
        demo.quit()
        text = open(log, errors="replace").read()
        assert "LEAK SUMMARY" in text or "All heap blocks were freed" in text, text[-2000:]
        # valgrind's records are paragraphs separated by a bare "==pid==" line.
        records = re.split(r"\n==\d+== \n", text)
        lost = [r for r in records if re.search(r"are (definitely|possibly) lost", r) and our_code(r)]
        bad = [r for r in records
               if re.search(r"Invalid (read|write|free)|Mismatched free|uninitialised", r)
               and our_code(r)]
        assert not lost, "memory of our own code lost at exit:\n" + "\n\n".join(lost)
        assert not bad, "memory errors in our own code:\n" + "\n\n".join(bad)


if __name__ == "__main__":
    run(main)
