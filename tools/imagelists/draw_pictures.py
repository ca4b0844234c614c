#!/usr/bin/env python3
"""Draws the 16 x 16 pictures of the screens' two image lists and writes them
as PNG strips:

  resources/images/imlFuncs.png    22 command pictures (352 x 16)
  resources/images/ImageList1.png   4 tree and chart pictures (64 x 16)

Only the standard library is used. Run from the repository root:

  python3 tools/imagelists/draw_pictures.py
"""

import os
import struct
import sys
import zlib

SIZE = 16

# Palette (R, G, B); every picture has a dark outline and a light inner edge.
INK = (40, 40, 40)
WHITE = (255, 255, 255)
PAPER = (250, 250, 246)
PAPER_EDGE = (120, 120, 128)
GREY = (150, 150, 150)
LIGHT_GREY = (210, 210, 210)
GREEN = (46, 160, 60)
GREEN_DARK = (20, 100, 30)
RED = (214, 48, 40)
RED_DARK = (140, 20, 16)
BLUE = (52, 110, 200)
BLUE_DARK = (24, 60, 130)
BLUE_LIGHT = (150, 190, 240)
YELLOW = (250, 200, 60)
YELLOW_DARK = (170, 120, 10)
ORANGE = (240, 140, 40)
BROWN = (150, 96, 50)
BROWN_DARK = (96, 56, 24)
SKIN = (246, 204, 160)
SKIN_DARK = (176, 120, 80)
TEAL = (40, 150, 160)
TEAL_DARK = (16, 90, 100)
PURPLE = (130, 80, 180)
PURPLE_DARK = (80, 40, 120)


class Picture:
    def __init__(self):
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Inclusive rectangle."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def box(self, x0, y0, x1, y1, fill, edge):
        self.fill(x0, y0, x1, y1, fill)
        self.frame(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c):
        x0, y0, x1, y1 = (int(round(v)) for v in (x0, y0, x1, y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, fill, edge=None):
        """Disc centred between pixels when cx, cy end in .5."""
        for y in range(SIZE):
            for x in range(SIZE):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if d <= r + 0.2:
                    self.set(x, y, fill)
                    if edge is not None and d > r - 0.8:
                        self.set(x, y, edge)

    def ring(self, cx, cy, r, width, c, skip=lambda x, y: False):
        for y in range(SIZE):
            for x in range(SIZE):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if r - width + 0.3 <= d <= r + 0.3 and not skip(x, y):
                    self.set(x, y, c)

    def polygon(self, points, fill, edge=None):
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(points, x + 0.5, y + 0.5):
                    self.set(x, y, fill)
        if edge is not None:
            for i in range(len(points)):
                (ax, ay), (bx, by) = points[i], points[(i + 1) % len(points)]
                self.line(ax, ay, bx, by, edge)

    def paste(self, other, dx, dy):
        for y in range(SIZE):
            for x in range(SIZE):
                if other.px[y][x] is not None:
                    self.set(x + dx, y + dy, other.px[y][x])


def inside(points, x, y):
    result = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


# ---- Shared parts ---------------------------------------------------------------

def plus_badge(p, x, y, fill=GREEN, edge=GREEN_DARK):
    """A 7 x 7 plus sign with its top-left at x, y."""
    p.fill(x + 2, y, x + 4, y + 6, edge)
    p.fill(x, y + 2, x + 6, y + 4, edge)
    p.fill(x + 3, y + 1, x + 3, y + 5, fill)
    p.fill(x + 1, y + 3, x + 5, y + 3, fill)
    p.set(x + 3, y + 3, WHITE)


def sheet(p, x0, y0, x1, y1, fold=3):
    """A page with a folded top-right corner."""
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    p.polygon(pts, PAPER, PAPER_EDGE)
    p.line(x1 - fold, y0, x1 - fold, y0 + fold, PAPER_EDGE)
    p.line(x1 - fold, y0 + fold, x1, y0 + fold, PAPER_EDGE)


def text_lines(p, x0, x1, ys, c=GREY):
    for y in ys:
        p.line(x0, y, x1, y, c)


def person(p, x, y, shirt=BLUE, shirt_dark=BLUE_DARK):
    """A head and shoulders 9 wide and 12 high with its top-left at x, y."""
    p.disc(x + 4, y + 2.5, 2.6, SKIN, SKIN_DARK)
    p.polygon([(x, y + 12), (x, y + 8), (x + 2, y + 6), (x + 7, y + 6), (x + 9, y + 8), (x + 9, y + 12)],
              shirt, shirt_dark)


def building(p, x0, y0, x1, y1, wall, edge, window=BLUE_LIGHT):
    p.box(x0, y0, x1, y1, wall, edge)
    for wy in range(y0 + 2, y1 - 2, 3):
        for wx in range(x0 + 2, x1 - 1, 3):
            p.fill(wx, wy, wx + 1, wy + 1, window)
    door = (x0 + x1) // 2
    p.fill(door - 1, y1 - 3, door, y1 - 1, edge)


def folder(p, x0, y0, x1, y1, fill=YELLOW, edge=YELLOW_DARK):
    p.polygon([(x0, y0 + 1), (x0 + 5, y0 + 1), (x0 + 6, y0 + 2), (x1, y0 + 2), (x1, y1), (x0, y1)], fill, edge)
    p.line(x0 + 1, y0 + 3, x1 - 1, y0 + 3, WHITE)


def key(p, x, y, fill=YELLOW, edge=YELLOW_DARK):
    """A small key, bow left, 9 wide and 5 high, top-left at x, y."""
    p.disc(x + 2, y + 2, 2.1, fill, edge)
    p.set(x + 2, y + 2, edge)
    p.fill(x + 4, y + 2, x + 8, y + 2, edge)
    p.set(x + 7, y + 3, edge)
    p.set(x + 8, y + 4, edge)


def arrow_right(p, x, y, c, dark):
    """A fat arrow 8 wide and 7 high pointing right, top-left at x, y."""
    p.polygon([(x, y + 2), (x + 4, y + 2), (x + 4, y), (x + 7, y + 3), (x + 4, y + 6), (x + 4, y + 4), (x, y + 4)],
              c, dark)


# ---- imlFuncs -------------------------------------------------------------------

def add():  # 0 新增
    p = Picture()
    sheet(p, 2, 1, 11, 14)
    text_lines(p, 4, 8, [5, 7, 9])
    plus_badge(p, 8, 8)
    return p


def delete():  # 1 删除
    p = Picture()
    for i in range(11):
        for w in (-1, 0, 1):
            p.set(2 + i + w, 2 + i, RED)
            p.set(13 - i + w, 2 + i, RED)
    for i in range(11):
        p.set(1 + i, 2 + i, RED_DARK)
        p.set(14 - i, 2 + i, RED_DARK)
        p.set(3 + i + 1, 2 + i, RED_DARK) if i < 10 else None
    p.line(2, 13, 7, 8, RED_DARK)
    p.line(13, 13, 8, 8, RED_DARK)
    return p


def save():  # 2 保存
    p = Picture()
    p.polygon([(1, 1), (13, 1), (14, 2), (14, 14), (1, 14)], BLUE, BLUE_DARK)
    p.box(4, 2, 11, 6, WHITE, BLUE_DARK)
    p.fill(9, 3, 10, 5, GREY)
    p.box(3, 9, 12, 14, LIGHT_GREY, BLUE_DARK)
    text_lines(p, 5, 10, [11, 12], GREY)
    return p


def cancel():  # 3 取消: an arrow turning back
    p = Picture()
    p.ring(8.5, 9, 5.5, 2.4, ORANGE, skip=lambda x, y: y > 9 and x < 8)
    p.ring(8.5, 9, 5.5, 0.9, YELLOW_DARK, skip=lambda x, y: y > 9 and x < 8)
    p.polygon([(0, 8), (7, 8), (3.5, 12)], ORANGE, YELLOW_DARK)
    return p


def exit_():  # 4 退出: a door and an arrow leaving it
    p = Picture()
    p.box(1, 1, 9, 14, BROWN, BROWN_DARK)
    p.polygon([(2, 2), (7, 3), (7, 14), (2, 14)], (190, 130, 70), BROWN_DARK)
    p.set(6, 8, YELLOW)
    arrow_right(p, 8, 5, GREEN, GREEN_DARK)
    return p


def edit():  # 5 (spare) a pencil
    p = Picture()
    for i in range(9):
        p.fill(4 + i, 10 - i, 5 + i, 11 - i, YELLOW)
        p.set(3 + i, 10 - i, YELLOW_DARK)
        p.set(6 + i, 11 - i, YELLOW_DARK)
    p.polygon([(2, 14), (3, 11), (5, 13)], SKIN, SKIN_DARK)
    p.set(2, 14, INK)
    p.fill(12, 2, 13, 3, RED)
    p.line(14, 3, 12, 5, RED_DARK)
    return p


def refresh():  # 6 刷新: two arrows chasing each other
    p = Picture()
    p.ring(7.5, 7.5, 6, 2.2, GREEN, skip=lambda x, y: (x > 8 and y < 6) or (x < 7 and y > 9))
    p.ring(7.5, 7.5, 6, 0.8, GREEN_DARK, skip=lambda x, y: (x > 8 and y < 6) or (x < 7 and y > 9))
    p.polygon([(9, 0), (15, 3), (9, 6)], GREEN, GREEN_DARK)
    p.polygon([(6, 9), (0, 12), (6, 15)], GREEN, GREEN_DARK)
    return p


def find():  # 7 (spare) a magnifier
    p = Picture()
    p.disc(6, 6, 4.6, BLUE_LIGHT, BLUE_DARK)
    p.set(4, 4, WHITE)
    p.set(5, 3, WHITE)
    for i in range(5):
        p.fill(9 + i, 9 + i, 10 + i, 10 + i, BROWN_DARK)
    return p


def print_():  # 8 (spare) a printer
    p = Picture()
    p.box(4, 1, 11, 6, PAPER, PAPER_EDGE)
    p.box(1, 6, 14, 11, LIGHT_GREY, INK)
    p.set(12, 8, GREEN)
    p.box(4, 10, 11, 14, PAPER, PAPER_EDGE)
    text_lines(p, 6, 9, [12])
    return p


def move_up():  # 9 (spare)
    p = Picture()
    p.polygon([(8, 1), (14, 8), (10, 8), (10, 14), (5, 14), (5, 8), (1, 8)], BLUE, BLUE_DARK)
    return p


def move_down():  # 10 (spare): the up arrow upside down
    up = move_up()
    p = Picture()
    p.px = [row[:] for row in reversed(up.px)]
    return p


def lock():  # 11 (spare) a padlock
    p = Picture()
    p.ring(7.5, 6, 4, 1.6, GREY, skip=lambda x, y: y > 6)
    p.box(2, 7, 13, 14, YELLOW, YELLOW_DARK)
    p.fill(7, 9, 8, 12, YELLOW_DARK)
    return p


def help_():  # 12 (spare) a question mark in a circle
    p = Picture()
    p.disc(7.5, 7.5, 7, BLUE, BLUE_DARK)
    q = ["..###..", ".#...#.", ".....#.", "....#..", "...#...", ".......", "...#..."]
    for y, row in enumerate(q):
        for x, ch in enumerate(row):
            if ch == "#":
                p.fill(4 + x, 3 + y, 4 + x, 3 + y, WHITE)
    p.line(6, 3, 8, 3, WHITE)
    return p


def paste_rights():  # 13 粘贴权限: a clipboard with a key
    p = Picture()
    p.box(1, 2, 12, 14, BROWN, BROWN_DARK)
    p.box(4, 1, 9, 3, LIGHT_GREY, INK)
    p.box(3, 4, 10, 13, PAPER, PAPER_EDGE)
    text_lines(p, 5, 8, [6, 8])
    key(p, 6, 10)
    return p


def copy_rights():  # 14 复制权限: two pages, the front one with a key
    p = Picture()
    sheet(p, 1, 1, 9, 11)
    text_lines(p, 3, 6, [4, 6, 8])
    sheet(p, 5, 4, 14, 15)
    key(p, 6, 9)
    return p


def add_user():  # 15 关联人员: a person and a link
    p = Picture()
    person(p, 1, 2)
    # Two chain links beside the head.
    p.frame(10, 1, 13, 4, GREY)
    p.frame(12, 3, 15, 6, INK)
    plus_badge(p, 9, 9)
    return p


def add_role():  # 16 关联岗位: a badge on a lanyard
    p = Picture()
    p.line(3, 0, 6, 4, BLUE_DARK)
    p.line(11, 0, 8, 4, BLUE_DARK)
    p.box(2, 4, 12, 13, WHITE, BLUE_DARK)
    p.fill(3, 5, 11, 6, BLUE)
    p.disc(5, 9, 1.6, SKIN, SKIN_DARK)
    text_lines(p, 8, 10, [8, 10], GREY)
    plus_badge(p, 9, 9)
    return p


def rename():  # 17 重命名: a text field with a caret
    p = Picture()
    p.box(0, 4, 15, 12, WHITE, BLUE_DARK)
    a = [".##.", "#..#", "####", "#..#"]
    b = ["###.", "#..#", "###.", "#..#", "###."]
    for y, row in enumerate(a):
        for x, ch in enumerate(row):
            if ch == "#":
                p.set(2 + x, 7 + y, INK)
    for y, row in enumerate(b):
        for x, ch in enumerate(row[:3] + row[3]):
            if ch == "#":
                p.set(7 + x, 6 + y, INK)
    p.line(12, 2, 12, 14, INK)
    p.line(11, 2, 13, 2, INK)
    p.line(11, 14, 13, 14, INK)
    return p


def properties():  # 18 属性: a list sheet with a hand pointer-free check
    p = Picture()
    sheet(p, 1, 0, 12, 15)
    for y in (4, 7, 10):
        p.fill(3, y, 4, y + 1, BLUE)
        p.line(6, y, 10, y, GREY)
        p.line(6, y + 1, 9, y + 1, LIGHT_GREY)
    p.disc(12, 12, 3.1, TEAL, TEAL_DARK)
    p.fill(12, 11, 12, 14, WHITE)
    p.set(12, 10, WHITE)
    return p


def add_department():  # 19 新增部门: three people, one in front
    p = Picture()
    person(p, 4, 0, TEAL, TEAL_DARK)
    person(p, -1, 3, BLUE, BLUE_DARK)
    plus_badge(p, 9, 9)
    return p


def add_org():  # 20 新增机构: an office building
    p = Picture()
    building(p, 1, 1, 10, 14, LIGHT_GREY, INK)
    p.box(10, 6, 14, 14, GREY, INK)
    plus_badge(p, 9, 9)
    return p


def add_child_department():  # 21 新增子部门: a small hierarchy
    p = Picture()
    p.box(4, 0, 9, 4, TEAL, TEAL_DARK)
    p.line(6, 5, 6, 7, INK)
    p.line(2, 7, 11, 7, INK)
    p.line(2, 7, 2, 9, INK)
    p.line(11, 7, 11, 8, INK)
    p.box(0, 10, 5, 14, BLUE, BLUE_DARK)
    plus_badge(p, 9, 9)
    return p


FUNCS = [add, delete, save, cancel, exit_, edit, refresh, find, print_, move_up, move_down, lock, help_,
         paste_rights, copy_rights, add_user, add_role, rename, properties, add_department, add_org,
         add_child_department]


# ---- ImageList1 -----------------------------------------------------------------

def company():  # 0 an organisation
    p = Picture()
    building(p, 3, 0, 12, 15, (225, 215, 190), BROWN_DARK, BLUE_LIGHT)
    p.fill(0, 15, 15, 15, GREEN_DARK)
    p.box(0, 8, 3, 15, (200, 190, 165), BROWN_DARK)
    p.box(12, 6, 15, 15, (200, 190, 165), BROWN_DARK)
    return p


def department():  # 1 a department: a group of people
    p = Picture()
    person(p, 6, 1, TEAL, TEAL_DARK)
    person(p, 0, 1, PURPLE, PURPLE_DARK)
    person(p, 3, 3, BLUE, BLUE_DARK)
    return p


def post():  # 2 a post: a person wearing a tie, with a name badge
    p = Picture()
    p.disc(7.5, 3.5, 3.1, SKIN, SKIN_DARK)
    p.polygon([(1, 15), (1, 11), (4, 8), (11, 8), (14, 11), (14, 15)], (70, 70, 90), INK)
    p.polygon([(7, 8), (8, 8), (9, 12), (7.5, 14), (6, 12)], RED, RED_DARK)
    p.box(10, 11, 13, 13, WHITE, INK)
    return p


def user():  # 3 a person (user account)
    p = Picture()
    p.disc(7.5, 4, 3.4, SKIN, SKIN_DARK)
    p.polygon([(2, 15), (2, 12), (5, 9), (10, 9), (13, 12), (13, 15)], GREEN, GREEN_DARK)
    return p


LIST1 = [company, department, post, user]


# ---- PNG writing ------------------------------------------------------------------

def strip(pictures):
    rows = []
    for y in range(SIZE):
        row = bytearray([0])  # filter: none
        for p in pictures:
            for x in range(SIZE):
                c = p.px[y][x]
                row += bytes(c + (255,)) if c is not None else bytes(4)
        rows.append(bytes(row))
    return len(pictures) * SIZE, b"".join(rows)


def png(width, height, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    out = os.path.join(root, "resources", "images")
    os.makedirs(out, exist_ok=True)
    for name, makers in (("imlFuncs.png", FUNCS), ("ImageList1.png", LIST1)):
        width, raw = strip([m() for m in makers])
        with open(os.path.join(out, name), "wb") as f:
            f.write(png(width, SIZE, raw))
        print(os.path.join(out, name), f"{width} x {SIZE}")


if __name__ == "__main__":
    main()
