#!/usr/bin/env python3
"""The command line's exports, read back as a spreadsheet would: a grid's CSV
through Python's csv module against the texts `--dump` gives for the grid;
the chart's PNG at both scales, its PDF through pdftotext and its SVG as XML,
each holding every visible node's text.

  export_test.py PROGRAM
"""

import csv
import atexit
import io
import json
import os
import pty
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree

PROGRAM = None
# The exports read the default store unless --sample is given: keep it out of
# the user's own folders.
HOME = tempfile.mkdtemp(prefix="orgrights-export-test-")
atexit.register(shutil.rmtree, HOME, ignore_errors=True)
ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=HOME, XDG_DATA_HOME=os.path.join(HOME, "data"))


def orgrights(*args):
    return subprocess.run([PROGRAM, *args], capture_output=True, text=True, env=ENV)


def dumped_grid(screen, name):
    done = orgrights("--dump", screen)
    assert done.returncode == 0, done.stderr
    pending = [json.loads(done.stdout)]
    while pending:
        control = pending.pop()
        if control.get("name") == name and "cells" in control:
            return control
        pending.extend(control["children"])
    raise AssertionError(f"{screen} has no grid {name}")


def read_csv(path):
    with open(path, "rb") as f:
        raw = f.read()
    assert raw.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
    return list(csv.reader(io.StringIO(raw[3:].decode("utf-8"), newline="")))


def expected_rows(grid):
    """The grid's texts as the export writes them: hidden columns left out,
    check values as 是/否, the tree column indented by level."""
    shown = [c for c, w in enumerate(grid["colWidths"]) if w > 0]
    tree_col = grid["fixedCols"] if grid["isTree"] else None
    rows = []
    for r, cells in enumerate(grid["cells"]):
        row = []
        for c in shown:
            text = cells[c]
            if tree_col == c and r >= grid["fixedRows"] and grid["levelCol"] >= 0:
                text = "  " * int(cells[grid["levelCol"]] or 0) + text
            row.append(text)
        rows.append(row)
    return rows


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    return struct.unpack(">II", head[16:24])


class ExportGrid(unittest.TestCase):
    def check_grid(self, screen, name):
        grid = dumped_grid(screen, name)
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "grid.csv")
            done = orgrights("--export-grid", f"{screen}.{name}", path, "--sample")
            self.assertEqual(done.returncode, 0, done.stderr)
            got = read_csv(path)
        want = expected_rows(grid)
        self.assertEqual(len(got), len(want))
        checks = 0
        for r, (got_row, want_row) in enumerate(zip(got, want)):
            self.assertEqual(len(got_row), len(want_row), f"row {r}")
            for c, (g, w) in enumerate(zip(got_row, want_row)):
                # Check cells hold T…/F… and read 是/否; every other text is as shown.
                if g in ("是", "否") and w.strip() != g:
                    checks += 1
                    self.assertEqual(w.strip()[:1].upper(), "T" if g == "是" else "F", f"row {r} column {c}")
                else:
                    self.assertEqual(g, w, f"row {r} column {c}")
        return got, checks

    def test_user_grid_reads_back_as_its_texts(self):
        rows, checks = self.check_grid("TUserForm", "TavikPTGrid1")
        self.assertEqual(rows[0][1:3], ["登录账号", "用户名称"])
        self.assertGreater(checks, 0)
        self.assertEqual({row[5] for row in rows[1:]}, {"是", "否"})

    def test_tree_grid_indents_rows_and_leaves_the_level_column_out(self):
        rows, checks = self.check_grid("TRightSetForm", "TavikPTGrid7")
        names = [row[1] for row in rows[1:]]
        self.assertEqual(names[:3], ["材料管理", "  材料计划", "    材料采购计划"])
        self.assertGreater(checks, 0)

    def test_wrong_targets_fail_and_leave_the_file_alone(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "old.csv")
            with open(path, "w") as f:
                f.write("old")
            cases = [
                (("TUserForm.NoSuchGrid", path), "TUserForm has no grid named NoSuchGrid"),
                (("TNoForm.TavikPTGrid1", path), "unknown screen class TNoForm"),
                (("TUserForm.Panel1", path), "TUserForm has no grid named Panel1"),
                (("TUserForm.TavikPTGrid1", os.path.join(tmp, "none", "x.csv")), "cannot write"),
            ]
            for args, message in cases:
                with self.subTest(args=args):
                    done = orgrights("--export-grid", *args, "--sample")
                    self.assertEqual(done.returncode, 1)
                    self.assertIn(message, done.stderr)
            with open(path) as f:
                self.assertEqual(f.read(), "old")
            self.assertEqual(os.listdir(tmp), ["old.csv"])


class ExportChart(unittest.TestCase):
    def test_png_at_both_scales(self):
        with tempfile.TemporaryDirectory() as tmp:
            sizes = {}
            for scale in (1, 2):
                path = os.path.join(tmp, f"chart{scale}.png")
                done = orgrights("--export-chart", path, "--scale", str(scale), "--sample")
                self.assertEqual(done.returncode, 0, done.stderr)
                sizes[scale] = png_size(path)
            w, h = sizes[1]
            self.assertEqual(sizes[2], (2 * w, 2 * h))
            # The whole chart: wider than the screen's window on it.
            chart = dumped_chart()
            self.assertGreater(w, chart["width"])
            right = max(n["box"][0] + n["box"][2] for n in chart["nodes"] if n["box"])
            self.assertGreaterEqual(w, right)

    def visible_texts(self):
        texts = [squeezed(n["text"]) for n in dumped_chart()["nodes"] if n["visible"]]
        self.assertGreater(len(texts), 10)
        return texts

    def test_pdf_and_svg_hold_every_visible_node_as_text(self):
        texts = self.visible_texts()
        with tempfile.TemporaryDirectory() as tmp:
            pdf, svg = os.path.join(tmp, "chart.pdf"), os.path.join(tmp, "chart.svg")
            for path in (pdf, svg):
                done = orgrights("--export-chart", path, "--sample")
                self.assertEqual(done.returncode, 0, done.stderr)
            # Drawing order keeps each node's lines together.
            pdf_text = squeezed(subprocess.run(["pdftotext", "-raw", pdf, "-"], check=True, capture_output=True,
                                               text=True).stdout)
            root = ElementTree.parse(svg).getroot()
            self.assertTrue(root.tag.endswith("svg"))
            svg_text = squeezed("".join(root.itertext()))
            for text in texts:
                with self.subTest(node=text):
                    self.assertIn(text, pdf_text)
                    self.assertIn(text, svg_text)
            # Vector drawing, not an embedded picture of the chart: the boxes are shapes.
            shapes = [e for e in root.iter() if e.tag.split("}")[-1] in ("rect", "path", "polyline", "polygon")]
            self.assertGreater(len(shapes), len(texts))


class LongChartExport(unittest.TestCase):
    """A chart of 20,000 nodes drawn as PDF or SVG shows its progress on a
    terminal, and Ctrl+C there stops it part way: exit code 130, no file."""

    def test_ctrl_c_stops_a_drawing_part_way_and_leaves_no_file(self):
        with tempfile.TemporaryDirectory() as tmp:
            store = os.path.join(tmp, "big.db")
            plain, big = os.path.join(tmp, "plain.json"), os.path.join(tmp, "big.json")
            done = orgrights("--store", store, "--export", plain)
            self.assertEqual(done.returncode, 0, done.stderr)
            with open(plain, encoding="utf-8") as f:
                content = json.load(f)
            units = content["tables"]["org_unit"]
            top = units[0]
            last_id = max(u["id"] for u in units)
            first = max(u["position"] for u in units if u["parent_id"] == top["id"]) + 1
            units.extend(dict(top, id=last_id + 1 + i, kind=1, name=f"部门{i}", parent_id=top["id"], position=first + i)
                         for i in range(20000))
            with open(big, "w", encoding="utf-8") as f:
                json.dump(content, f, ensure_ascii=False)
            done = orgrights("--store", store, "--import", big)
            self.assertEqual(done.returncode, 0, done.stderr)
            for suffix in ("pdf", "svg"):
                with self.subTest(kind=suffix):
                    target = os.path.join(tmp, f"chart.{suffix}")
                    code, seen = interrupted_on_terminal([PROGRAM, "--export-chart", target, "--store", store])
                    self.assertIn("(Ctrl+C cancels)", seen)
                    self.assertEqual(code, 130, seen)
                    self.assertIn("cancelled", seen)
                    self.assertEqual(sorted(n for n in os.listdir(tmp) if not n.startswith("big") and
                                            not n.startswith("plain")), [])


def interrupted_on_terminal(command):
    """Runs command with a terminal for standard error; once it shows a
    percentage, sends Ctrl+C's SIGINT. Returns the exit code and what it wrote."""
    master, slave = pty.openpty()
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=slave, env=ENV)
    os.close(slave)
    seen, sent = b"", False
    deadline = time.monotonic() + 90
    while time.monotonic() < deadline:
        ready, _, _ = select.select([master], [], [], 0.2)
        if ready:
            try:
                chunk = os.read(master, 4096)
            except OSError:
                break
            if not chunk:
                break
            seen += chunk
        if not sent and b"%" in seen:
            process.send_signal(signal.SIGINT)
            sent = True
        if process.poll() is not None and not ready:
            break
    if process.poll() is None:
        process.kill()
    code = process.wait()
    os.close(master)
    return code, seen.decode("utf-8", "replace")


class StoreContent(unittest.TestCase):
    """What a store holds reaches the dumps and pictures when --store names it,
    and the exports unless --sample is given."""

    def test_a_changed_store_shows_in_dumps_pictures_and_exports(self):
        with tempfile.TemporaryDirectory() as tmp:
            store, plain = os.path.join(tmp, "a.db"), os.path.join(tmp, "a.json")
            done = orgrights("--store", store, "--export", plain)
            self.assertEqual(done.returncode, 0, done.stderr)
            with open(plain, encoding="utf-8") as f:
                content = json.load(f)
            for post in content["tables"]["post"]:
                if post["name"] == "副总经理":
                    post["name"] = "常务副总经理"
            for unit in content["tables"]["org_unit"]:
                if unit["name"] == "0.土木公司":
                    unit["name"] = "0.土木工程公司"
            changed, store2 = os.path.join(tmp, "b.json"), os.path.join(tmp, "b.db")
            with open(changed, "w", encoding="utf-8") as f:
                json.dump(content, f, ensure_ascii=False)
            done = orgrights("--store", store2, "--import", changed)
            self.assertEqual(done.returncode, 0, done.stderr)

            live = orgrights("--dump", "TPostForm", "--store", store2)
            self.assertEqual(live.returncode, 0, live.stderr)
            self.assertIn("常务副总经理", live.stdout)
            self.assertNotIn("常务副总经理", orgrights("--dump", "TPostForm").stdout)

            csv_path, svg_path = os.path.join(tmp, "posts.csv"), os.path.join(tmp, "chart.svg")
            for args in (("--export-grid", "TPostForm.TavikPTGrid2", csv_path), ("--export-chart", svg_path),
                         ("--render", "all", "--out", os.path.join(tmp, "pictures"))):
                with self.subTest(args=args):
                    done = orgrights(*args, "--store", store2)
                    self.assertEqual(done.returncode, 0, done.stderr)
            self.assertIn(["常务副总经理"], [row[2:3] for row in read_csv(csv_path)])
            svg_text = squeezed("".join(ElementTree.parse(svg_path).getroot().itertext()))
            self.assertIn("0.土木工程公司", svg_text)
            self.assertTrue(os.path.exists(os.path.join(tmp, "pictures", "TRightSetForm.png")))

    def test_without_sample_the_exports_use_the_default_store(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "posts.csv")
            done = orgrights("--export-grid", "TPostForm.TavikPTGrid2", path)
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertTrue(any(name.endswith(".db") or name.endswith(".sqlite")
                                for _, _, names in os.walk(os.path.join(HOME, "data")) for name in names))


def squeezed(text):
    return "".join(text.split())


def dumped_chart():
    done = orgrights("--dump", "TOrgForm")
    pending = [json.loads(done.stdout)]
    while pending:
        control = pending.pop()
        if control["class"] == "TOrgChart":
            return control
        pending.extend(control["children"])
    raise AssertionError("no chart on TOrgForm")


if __name__ == "__main__":
    PROGRAM = sys.argv[1]
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=2)
