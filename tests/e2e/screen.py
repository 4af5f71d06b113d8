# SPDX-License-Identifier: GPL-3.0-or-later
"""Screenshots of the virtual display (ImageMagick's import of the root
window, read as a binary PPM) and what the cases ask of their pixels: the
colour at a point, and whether a colour occurs near a point.
"""

import struct
import zlib

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
KEY_GREY = (150, 150, 150)


def near(colour, wanted, tolerance=60):
    """Colours compare by their largest component difference, so that
    anti-aliased edges of a line still count as its colour."""
    return max(abs(a - b) for a, b in zip(colour, wanted)) <= tolerance


class Shot:
    def __init__(self, width, height, pixels, origin=(0, 0)):
        self.width = width
        self.height = height
        self.pixels = pixels  # RGB bytes, row by row
        self.origin = origin  # the window's client area on the screen

    @classmethod
    def take(cls, session, origin=(0, 0)):
        data = session.run(["import", "-window", "root", "-depth", "8", "ppm:-"], timeout=20)
        return cls.from_ppm(data, origin)

    @classmethod
    def from_ppm(cls, data, origin=(0, 0)):
        # Header: P6, width, height, maximum, each separated by white space.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise ValueError("not an 8-bit binary PPM")
        width, height = int(fields[1]), int(fields[2])
        pixels = data[pos + 1: pos + 1 + 3 * width * height]
        return cls(width, height, pixels, origin)

    def at(self, x, y):
        """The colour of client pixel (x, y)."""
        sx, sy = x + self.origin[0], y + self.origin[1]
        if not self.on_screen(x, y):
            raise IndexError(f"pixel {x},{y} is off the screen")
        i = 3 * (sy * self.width + sx)
        return tuple(self.pixels[i:i + 3])

    def has_near(self, x, y, colour, radius=2, tolerance=60):
        """Whether some pixel within `radius` of client pixel (x, y) has `colour`."""
        return any(near(self.at(x + dx, y + dy), colour, tolerance)
                   for dx in range(-radius, radius + 1) for dy in range(-radius, radius + 1)
                   if self.on_screen(x + dx, y + dy))

    def on_screen(self, x, y):
        return 0 <= x + self.origin[0] < self.width and 0 <= y + self.origin[1] < self.height

    def count(self, left, top, width, height, colour, tolerance=60):
        return sum(1 for y in range(top, top + height) for x in range(left, left + width)
                   if near(self.at(x, y), colour, tolerance))

    def save_png(self, path):
        rows = b"".join(b"\0" + self.pixels[3 * self.width * y: 3 * self.width * (y + 1)]
                        for y in range(self.height))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body
                    + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(rows, 6)))
            f.write(chunk(b"IEND", b""))
