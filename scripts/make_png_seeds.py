#!/usr/bin/env python3
"""Writes the picture fuzzer's seed corpus: one small PNG of every colour type and bit
depth, interlaced and not, with tRNS transparency and a gamma chunk on some.

Usage: scripts/make_png_seeds.py [DIR]   (default fuzz/corpus/png)
"""
import os
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
# Adam7 passes: first column, first row, column step, row step.
PASSES = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
          (0, 1, 1, 2)]


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def sample(x, y, c, depth):
    top = (1 << depth) - 1
    return (x * 37 + y * 91 + c * 53) % (top + 1)


def row_bytes(xs, y, color_type, depth):
    bits = []
    for x in xs:
        for c in range(CHANNELS[color_type]):
            bits.append(sample(x, y, c, depth))
    out = bytearray()
    if depth == 16:
        for v in bits:
            out += struct.pack(">H", v)
    elif depth == 8:
        out += bytes(bits)
    else:
        per_byte = 8 // depth
        for i in range(0, len(bits), per_byte):
            group = bits[i:i + per_byte] + [0] * (per_byte - len(bits[i:i + per_byte]))
            value = 0
            for v in group:
                value = (value << depth) | v
            out.append(value)
    return bytes(out)


def image_data(width, height, color_type, depth, interlaced):
    raw = bytearray()
    passes = PASSES if interlaced else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        xs = list(range(x0, width, dx))
        if not xs:
            continue
        for n, y in enumerate(range(y0, height, dy)):
            raw.append(n % 5)  # every filter type; any filtered bytes are valid data
            raw += row_bytes(xs, y, color_type, depth)
    return zlib.compress(bytes(raw), 9)


def png(width, height, color_type, depth, interlaced=False, trns=False, gamma=False):
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0,
                                      1 if interlaced else 0))
    if gamma:
        out += chunk(b"gAMA", struct.pack(">I", 100000))
    if color_type == 3:
        entries = 1 << depth
        out += chunk(b"PLTE", bytes((i * 67 + k * 29) % 256 for i in range(entries)
                                    for k in range(3)))
        if trns:
            out += chunk(b"tRNS", bytes((i * 97) % 256 for i in range(min(entries, 5))))
    elif trns and color_type == 0:
        out += chunk(b"tRNS", struct.pack(">H", sample(1, 1, 0, depth)))
    elif trns and color_type == 2:
        out += chunk(b"tRNS", struct.pack(">HHH", *(sample(1, 1, c, depth) for c in range(3))))
    out += chunk(b"IDAT", image_data(width, height, color_type, depth, interlaced))
    out += chunk(b"IEND", b"")
    return out


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join("fuzz", "corpus", "png")
    os.makedirs(folder, exist_ok=True)
    depths = {0: [1, 2, 4, 8, 16], 2: [8, 16], 3: [1, 2, 4, 8], 4: [8, 16], 6: [8, 16]}
    names = {0: "grey", 2: "rgb", 3: "palette", 4: "grey-alpha", 6: "rgba"}
    for color_type, list_of_depths in depths.items():
        for depth in list_of_depths:
            for interlaced in (False, True):
                name = f"{names[color_type]}{depth}{'-adam7' if interlaced else ''}"
                trns = color_type in (0, 2, 3) and interlaced
                gamma = depth == 8 and not interlaced
                suffix = ("-trns" if trns else "") + ("-gama" if gamma else "")
                with open(os.path.join(folder, name + suffix + ".png"), "wb") as f:
                    f.write(png(9, 7, color_type, depth, interlaced, trns, gamma))


if __name__ == "__main__":
    main()
