#!/usr/bin/env python3
"""Prints "width height" of what is drawn in a screen grab: the bounding box of
the pixels that differ from the background, the colour of the pixel at
(bx, by) of the grab, by more than a small tolerance.

    extent.py GRAB.ppm BX BY
"""
import sys

TOLERANCE = 24  # per channel: anti-aliased edges count, noise does not


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, at = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    if fields[0] != b"P6":
        raise SystemExit("not a binary PPM: " + path)
    width, height, maximum = int(fields[1]), int(fields[2]), int(fields[3])
    body = data[at + 1:]
    if maximum > 255:  # two bytes a channel, most significant first
        body = bytes(body[i] for i in range(0, len(body), 2))
    return width, height, body


def main():
    width, height, pixels = read_ppm(sys.argv[1])
    bx, by = int(sys.argv[2]) % width, int(sys.argv[3]) % height
    background = pixels[3 * (by * width + bx):3 * (by * width + bx) + 3]
    left, top, right, bottom = width, height, -1, -1
    for y in range(height):
        row = pixels[3 * y * width:3 * (y + 1) * width]
        for x in range(width):
            p = row[3 * x:3 * x + 3]
            if any(abs(p[i] - background[i]) > TOLERANCE for i in range(3)):
                left, top = min(left, x), min(top, y)
                right, bottom = max(right, x), max(bottom, y)
    print(f"{max(0, right - left + 1)} {max(0, bottom - top + 1)}")


main()
