#!/usr/bin/env python3
"""Builds the organisation chart's stored "Items" block from its node list.

The node list below is the organisation screen's chart; each entry is
(level, text, image index, width). Texts are encoded in GBK.

  tools/orgchart/items_block.py            prints the block as a .form binary value
  tools/orgchart/items_block.py --check F  checks that the chart in form file F
                                           holds exactly this block
"""
import re
import struct
import sys

COLOR_NONE = 0x1FFFFFFF
CA_CENTER, SH_RECTANGLE, IA_LC = 1, 0, 2

NODES = [
    (0, "塔维克建筑有限公司", 0, 0),
    (1, "董事会", 1, 0),
    (2, "总经理办公室", 1, 100),
    (3, "0.总经理", 2, 0),
    (3, "1.党委工作部", 1, 0),
    (3, "2.市场营销部", 1, 0),
    (3, "3.工程管理部", 1, 0),
    (3, "4.商务合约部", 1, 0),
    (3, "6.财务部", 1, 0),
    (3, "7.全资子公司", 1, 0),
    (4, "0.土木公司", 0, 0),
    (5, "0.总经理", 2, 0),
    (5, "1.副总经理", 2, 0),
    (5, "2.总工程师", 2, 0),
    (5, "3.总会计师", 2, 0),
    (5, "4.技术部", 1, 0),
    (5, "5.经营部", 1, 0),
    (5, "6.物资部", 1, 0),
    (5, "7.财务部", 1, 0),
    (5, "8.北京项目部", 1, 0),
    (6, "项目经理", 2, 0),
    (5, "9.天津项目部", 1, 0),
    (4, "1.安装公司", 0, 0),
    (3, "8.参控股公司", 1, 0),
    (4, "0.设计院", 0, 0),
    (4, "1.物业公司", 0, 0),
]


def children_of(index):
    """Indexes of the direct children of NODES[index] (-1: the top level)."""
    level = NODES[index][0] if index >= 0 else -1
    result = []
    for i in range(index + 1, len(NODES)):
        if NODES[i][0] <= level:
            break
        if NODES[i][0] == level + 1:
            result.append(i)
    return result


def text_bytes(text):
    data = text.encode("gbk")
    if len(data) > 0xFFFF:
        raise ValueError("text too long for the block: %r" % text)
    return struct.pack("<H", len(data)) + data


def build():
    out = bytearray(text_bytes(""))

    def children(index):
        kids = children_of(index)
        block = bytearray(struct.pack("<H", len(kids)))
        for k in kids:
            _, text, image, width = NODES[k]
            block += struct.pack("<HHiBBhB", width, 0, COLOR_NONE, CA_CENTER, SH_RECTANGLE, image, IA_LC)
            block += text_bytes(text) + children(k)
        return block

    out += children(-1)
    return bytes(out)


def form_value(data, indent="      "):
    hexed = data.hex().upper()
    lines = [hexed[i:i + 64] for i in range(0, len(hexed), 64)]
    return "Items = {\n" + "\n".join(indent + line for line in lines) + "}"


def read_form_block(path):
    text = open(path, encoding="utf-8").read()
    match = re.search(r"object org: TOrgChart.*?\bItems = \{([0-9A-Fa-f\s]*)\}", text, re.S)
    if not match:
        raise SystemExit("%s: no Items block on the chart 'org'" % path)
    return bytes.fromhex("".join(match.group(1).split()))


def main(argv):
    data = build()
    if len(argv) == 3 and argv[1] == "--check":
        stored = read_form_block(argv[2])
        if stored != data:
            print("the stored block differs from the node list (%d bytes stored, %d built)" % (len(stored), len(data)))
            return 1
        print("Items block matches: %d bytes, %d nodes" % (len(data), len(NODES)))
        return 0
    if len(argv) != 1:
        print(__doc__)
        return 2
    print(form_value(data))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
