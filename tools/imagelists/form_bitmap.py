#!/usr/bin/env python3
"""Prints the stored Bitmap property of an image list for a screen definition
(.form), from a PNG strip of 16 x 16 pictures.

  python3 tools/imagelists/form_bitmap.py resources/images/imlFuncs.png --count 15 --indent 4

--count N   keep only the first N pictures (the screens other than the
            organisation screen use the first 15 of imlFuncs)
--indent N  spaces before "Bitmap" (4 for an image list directly on the form)

Paste the output into the image list's object in place of any Bitmap line:

  object imlFuncs: TImageList
    Bitmap = {
      89504E47...}
  end
"""

import argparse
import struct
import sys
import zlib

HEX_PER_LINE = 64  # as the program writes binary blocks
PICTURE = 16


def read_png(data):
    """Decodes an 8-bit RGBA or RGB PNG (any row filter) to (width, height, rows of RGBA bytes)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("only 8-bit RGB or RGBA PNG strips without interlacing are supported")
    bpp = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        prev = line
        if bpp == 3:
            line = bytearray(b"".join(bytes(line[i:i + 3]) + b"\xff" for i in range(0, stride, 3)))
        rows.append(bytes(line))
    return width, height, rows


def write_png(width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("strip")
    ap.add_argument("--count", type=int, default=0)
    ap.add_argument("--indent", type=int, default=4)
    args = ap.parse_args()

    with open(args.strip, "rb") as f:
        width, height, rows = read_png(f.read())
    if height != PICTURE or width % PICTURE:
        sys.exit(f"{args.strip}: {width} x {height} is not a strip of {PICTURE} x {PICTURE} pictures")
    count = width // PICTURE
    if args.count:
        if not 0 < args.count <= count:
            sys.exit(f"{args.strip} holds {count} pictures, not {args.count}")
        count = args.count
    keep = count * PICTURE * 4
    png = write_png(count * PICTURE, height, [r[:keep] for r in rows])

    digits = png.hex().upper()
    pad = " " * args.indent
    lines = [digits[i:i + HEX_PER_LINE] for i in range(0, len(digits), HEX_PER_LINE)]
    print(f"{pad}Bitmap = {{")
    for i, line in enumerate(lines):
        print(f"{pad}  {line}" + ("}" if i == len(lines) - 1 else ""))


if __name__ == "__main__":
    main()
