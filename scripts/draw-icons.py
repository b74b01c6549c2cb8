#!/usr/bin/env python3
"""Draws the programs' icons and the move-column cursor from simple shapes and
writes them, 16 x 16 and 32 x 32 each, as resources/zorvel.ico,
resources/vizo.ico and resources/move_column.cur.

    python3 scripts/draw-icons.py [OUTPUT_FOLDER]
"""
import os
import struct
import sys

TRANSPARENT = (0, 0, 0, 0)


def rgb(value, alpha=255):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, alpha)


class Image:
    def __init__(self, size):
        self.size = size
        self.pixels = [[TRANSPARENT] * size for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills left <= x < right, top <= y < bottom."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def rounded(self, left, top, right, bottom, radius, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                dx = max(left + radius - x - 0.5, x + 0.5 - (right - radius), 0)
                dy = max(top + radius - y - 0.5, y + 0.5 - (bottom - radius), 0)
                if dx * dx + dy * dy <= radius * radius:
                    self.put(x, y, colour)


def monitor_icon(size):
    """A board-blue tile holding a small grid: a header row and port rows with
    green and amber cells, as the monitor shows its ports."""
    s = size / 32
    image = Image(size)
    image.rounded(0, 0, size, size, round(5 * s), rgb(0x1F4E8C))
    inner_left, inner_top = round(4 * s), round(5 * s)
    inner_right, inner_bottom = size - round(4 * s), size - round(4 * s)
    image.fill(inner_left, inner_top, inner_right, inner_bottom, rgb(0xF4F6F8))
    header = round(5 * s)
    image.fill(inner_left, inner_top, inner_right, inner_top + header, rgb(0xB8C7DA))
    rows = 4
    row_height = (inner_bottom - inner_top - header) // rows
    column_width = (inner_right - inner_left) // 3
    cells = [rgb(0x2E9E4F), rgb(0xE3A21A)]
    for r in range(rows):
        top = inner_top + header + r * row_height
        for c in range(1, 3):
            left = inner_left + c * column_width
            colour = cells[(r + c) % 2] if (r + c) % 3 else rgb(0xF4F6F8)
            image.fill(left + 1, top + 1, left + column_width, top + row_height, colour)
        image.fill(inner_left + 1, top + row_height // 2, inner_left + column_width - 1,
                   top + row_height // 2 + max(1, round(s)), rgb(0x1F4E8C))
    line = rgb(0x1F4E8C)
    for c in range(1, 3):
        x = inner_left + c * column_width
        image.fill(x, inner_top, x + 1, inner_bottom, line)
    return image


def tracer_icon(size):
    """A dark screen with lines of green trace text and a cursor block."""
    s = size / 32
    image = Image(size)
    image.rounded(0, round(2 * s), size, size - round(2 * s), round(4 * s), rgb(0x5A6470))
    image.fill(round(3 * s), round(5 * s), size - round(3 * s), size - round(5 * s), rgb(0x101418))
    lengths = [0.8, 0.55, 0.7, 0.35]
    text = rgb(0x3FD46B)
    height = max(1, round(2 * s))
    left = round(5 * s)
    width = size - 2 * left
    for i, fraction in enumerate(lengths):
        top = round((8 + 5 * i) * s)
        image.fill(left, top, left + round(width * fraction), top + height, text)
    last_top = round((8 + 5 * 3) * s)
    block = left + round(width * lengths[-1]) + round(2 * s)
    image.fill(block, last_top - height, block + max(2, round(3 * s)), last_top + height, rgb(0xE8F0E8))
    return image


def move_cursor(size):
    """A column bar between a left and a right arrow, black on a white rim;
    the hot spot is the bar's middle."""
    s = size / 32
    black, white = rgb(0x000000), rgb(0xFFFFFF)
    mid = size // 2
    shapes = []
    bar_half = max(1, round(1.5 * s))
    shapes.append(("rect", mid - bar_half, round(6 * s), mid + bar_half, size - round(6 * s)))
    shaft_half = max(1, round(1 * s))
    shapes.append(("rect", round(7 * s), mid - shaft_half, size - round(7 * s), mid + shaft_half))
    head = round(6 * s)
    image = Image(size)

    def draw(colour, grow):
        for kind, left, top, right, bottom in shapes:
            image.fill(left - grow, top - grow, right + grow, bottom + grow, colour)
        for direction in (-1, 1):
            tip = round(2 * s) if direction < 0 else size - 1 - round(2 * s)
            for step in range(head + grow + 1):
                x = tip - direction * (step - grow)
                half = step
                for y in range(mid - half - 1, mid + half + 1):
                    image.put(x, y, colour)

    draw(white, 1)
    draw(black, 0)
    return image, (mid, mid)


def dib(image):
    """The image as an icon directory entry's DIB: a 32-bit BGRA bitmap, bottom
    row first, height doubled for the AND mask that follows it."""
    size = image.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(image.pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image.pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def icon_file(images, resource_type, hot_spots=None):
    """An .ico (type 1) or .cur (type 2) file holding the images."""
    out = struct.pack("<HHH", 0, resource_type, len(images))
    offset = 6 + 16 * len(images)
    bodies = []
    for index, image in enumerate(images):
        body = dib(image)
        size = image.size % 256
        if resource_type == 2:
            first, second = hot_spots[index]
        else:
            first, second = 1, 32
        out += struct.pack("<BBBBHHII", size, size, 0, 0, first, second, len(body), offset)
        offset += len(body)
        bodies.append(body)
    return out + b"".join(bodies)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    sizes = (16, 32)
    with open(os.path.join(folder, "zorvel.ico"), "wb") as f:
        f.write(icon_file([monitor_icon(n) for n in sizes], 1))
    with open(os.path.join(folder, "vizo.ico"), "wb") as f:
        f.write(icon_file([tracer_icon(n) for n in sizes], 1))
    cursors = [move_cursor(n) for n in sizes]
    with open(os.path.join(folder, "move_column.cur"), "wb") as f:
        f.write(icon_file([c[0] for c in cursors], 2, [c[1] for c in cursors]))


if __name__ == "__main__":
    main()
