#!/usr/bin/env python3
"""Draws the program's icon: a small organisation chart (one box over three,
joined by connectors) on a blue tile, the right-hand box carrying a gold key
for the rights the program looks after. Writes

  desktop/icons/org.orgrights.OrgRights.svg
  desktop/icons/<N>/org.orgrights.OrgRights.png   for N in 16 22 24 32 48 64 128 256

The SVG is written by this script alone; the PNGs come from rsvg-convert
(Debian librsvg2-bin), which only this script needs: the PNGs are committed so
that building and packaging need no rasteriser. Run from the repository root:

  python3 tools/icon/draw_icon.py            # writes the files
  python3 tools/icon/draw_icon.py --check    # fails when the SVG differs
"""

import os
import shutil
import subprocess
import sys

APP_ID = "org.orgrights.OrgRights"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
OUT = os.path.join("desktop", "icons")


def box(x, y, w, h, fill, stroke):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="3" '
            f'fill="{fill}" stroke="{stroke}" stroke-width="3"/>')


def svg():
    # A 128-unit canvas; strokes are thick enough to survive 16 px.
    parts = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">',
        '<defs><linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#3b7dd8"/><stop offset="1" stop-color="#1d4f9c"/>'
        '</linearGradient></defs>',
        '<rect x="4" y="4" width="120" height="120" rx="22" fill="url(#tile)"/>',
        # Connectors: the top box's stem, the bus and the three drops.
        '<path d="M64 44 V62 M24 62 H104 M24 62 V76 M64 62 V76 M104 62 V76" '
        'stroke="#ffffff" stroke-width="6" fill="none" stroke-linecap="square"/>',
        box(40, 16, 48, 30, "#ffffff", "#ffffff"),
        box(8, 76, 32, 28, "#ffffff", "#ffffff"),
        box(48, 76, 32, 28, "#ffffff", "#ffffff"),
        box(88, 76, 32, 28, "#f4c430", "#f4c430"),
        # The key on the right-hand box: a ring and a bit.
        '<circle cx="97" cy="90" r="6" fill="none" stroke="#1d4f9c" stroke-width="4"/>',
        '<path d="M103 90 H115 M111 90 V96" stroke="#1d4f9c" stroke-width="4" fill="none"/>',
        # Text lines on the top box.
        '<path d="M50 26 H78 M50 36 H70" stroke="#1d4f9c" stroke-width="4" fill="none"/>',
        '</svg>',
    ]
    return "\n".join(parts) + "\n"


def main():
    svg_path = os.path.join(OUT, APP_ID + ".svg")
    text = svg()
    if "--check" in sys.argv[1:]:
        with open(svg_path, encoding="utf-8") as f:
            if f.read() != text:
                sys.exit(f"{svg_path} differs from what {sys.argv[0]} draws")
        return
    os.makedirs(OUT, exist_ok=True)
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(text)
    rsvg = shutil.which("rsvg-convert")
    if not rsvg:
        sys.exit("rsvg-convert is missing (Debian librsvg2-bin); the SVG was written, the PNGs were not")
    for n in SIZES:
        folder = os.path.join(OUT, str(n))
        os.makedirs(folder, exist_ok=True)
        subprocess.run([rsvg, "-w", str(n), "-h", str(n), "-o", os.path.join(folder, APP_ID + ".png"), svg_path],
                       check=True)


if __name__ == "__main__":
    main()
