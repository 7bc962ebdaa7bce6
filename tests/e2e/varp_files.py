"""Readers for what the program writes, independent of its own code: 8-bit PCX images and the
skin list of an MD2 header. Standard library only."""
import struct


class Pcx:
    """A decoded 256-colour PCX file: header bytes, size, texels row by row, palette."""

    def __init__(self, data):
        if len(data) < 128 + 769 or data[0] != 0x0A or data[3] != 8 or data[65] != 1:
            raise ValueError("not an 8-bit single-plane PCX file")
        if data[-769] != 12:
            raise ValueError("no 256-colour palette at the end")
        self.header = bytes(data[:128])
        xmin, ymin, xmax, ymax = struct.unpack_from("<4H", data, 4)
        self.width = xmax - xmin + 1
        self.height = ymax - ymin + 1
        bytes_per_line = struct.unpack_from("<H", data, 66)[0]
        if bytes_per_line < self.width:
            raise ValueError("a scan line shorter than the image")
        end = len(data) - 769
        pos = 128
        pixels = bytearray()
        for _ in range(self.height):
            line = bytearray()
            while len(line) < bytes_per_line:
                if pos >= end:
                    raise ValueError("the run-length data ends early")
                byte = data[pos]
                pos += 1
                if byte >= 0xC0:
                    if pos >= end:
                        raise ValueError("a run without its value")
                    line += bytes([data[pos]]) * (byte & 0x3F)
                    pos += 1
                else:
                    line.append(byte)
            if len(line) != bytes_per_line:
                raise ValueError("a run crosses the end of a scan line")
            pixels += line[:self.width]
        self.pixels = bytes(pixels)
        self.palette = bytes(data[-768:])

    @classmethod
    def image(cls, width, height, pixels, palette):
        """An image as the program should hold it, to compare with what it shows."""
        self = cls.__new__(cls)
        self.header = None
        self.width, self.height = width, height
        self.pixels, self.palette = bytes(pixels), bytes(palette)
        return self

    @classmethod
    def read(cls, path):
        with open(path, "rb") as f:
            return cls(f.read())

    def rgb(self, index):
        return tuple(self.palette[3 * index:3 * index + 3])

    def texel(self, s, t):
        return self.pixels[t * self.width + s]

    def used(self):
        return set(self.pixels)


def changed_texels(before, after):
    """{(s, t): new colour} for every texel that differs; the images must agree in all else."""
    assert (after.width, after.height) == (before.width, before.height), "the size changed"
    assert after.palette == before.palette, "the palette changed"
    assert after.header == before.header, "the header changed"
    return {(i % before.width, i // before.width): b
            for i, (a, b) in enumerate(zip(before.pixels, after.pixels)) if a != b}


def md2_skin_names(path):
    """The skin names an MD2 file lists, in order."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"IDP2" or struct.unpack_from("<i", data, 4)[0] != 8:
        raise ValueError("not a version 8 MD2 file")
    count = struct.unpack_from("<i", data, 20)[0]
    offset = struct.unpack_from("<i", data, 44)[0]
    if count < 0 or offset < 68 or offset + 64 * count > len(data):
        raise ValueError("the skin list lies outside the file")
    names = []
    for i in range(count):
        field = data[offset + 64 * i:offset + 64 * (i + 1)]
        if b"\0" not in field:
            raise ValueError(f"skin name {i} is not terminated")
        names.append(field.split(b"\0", 1)[0].decode("latin-1"))
    return names
