#!/usr/bin/env python3
"""The installed tree and the Debian package: `cmake --install` into a scratch
prefix, the validators' verdicts on the menu entry and the metainfo, and
`cpack -G DEB` of the already built tree unpacked with `dpkg -x`, whose program
must draw every screen as the build tree's program does.

  install_test.py BUILD_DIR PROGRAM
"""

import configparser
import os
import struct
import subprocess
import sys
import tempfile
import unittest

APP_ID = "org.orgrights.OrgRights"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
BUILD_DIR = PROGRAM = None


def run(args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise AssertionError(f"{path} is not a PNG")
    return struct.unpack(">II", head[16:24])


def render_all(program, out):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    run([program, "--render", "all", "--out", out], env=env)
    pictures = {}
    for name in sorted(os.listdir(out)):
        with open(os.path.join(out, name), "rb") as f:
            pictures[name] = f.read()
    return pictures


class InstalledTree(unittest.TestCase):
    # Files every installed tree holds, relative to the prefix (usr/ in the package).
    def expected_files(self):
        files = ["bin/orgrights", f"share/applications/{APP_ID}.desktop", f"share/metainfo/{APP_ID}.metainfo.xml",
                 f"share/icons/hicolor/scalable/apps/{APP_ID}.svg"]
        files += [f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES]
        return files

    def check_tree(self, prefix):
        for rel in self.expected_files():
            with self.subTest(file=rel):
                self.assertTrue(os.path.isfile(os.path.join(prefix, rel)), rel)
        self.assertTrue(os.access(os.path.join(prefix, "bin/orgrights"), os.X_OK))
        for n in ICON_SIZES:
            with self.subTest(icon=n):
                self.assertEqual(png_size(os.path.join(prefix, f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png")),
                                 (n, n))

    def test_install_validates(self):
        with tempfile.TemporaryDirectory() as tmp:
            run(["cmake", "--install", BUILD_DIR, "--prefix", tmp])
            self.check_tree(tmp)
            desktop = os.path.join(tmp, f"share/applications/{APP_ID}.desktop")
            verdict = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
            self.assertEqual((verdict.returncode, verdict.stdout.strip()), (0, ""), verdict.stdout + verdict.stderr)
            metainfo = os.path.join(tmp, f"share/metainfo/{APP_ID}.metainfo.xml")
            verdict = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo], capture_output=True,
                                     text=True)
            self.assertEqual(verdict.returncode, 0, verdict.stdout + verdict.stderr)

            entry = configparser.ConfigParser(interpolation=None, strict=True)
            entry.optionxform = str
            entry.read(desktop, encoding="utf-8")
            e = entry["Desktop Entry"]
            for key in ("Name", "Name[zh_CN]", "Comment", "Comment[zh_CN]"):
                with self.subTest(key=key):
                    self.assertTrue(e.get(key, "").strip(), key)
            self.assertEqual(e["Icon"], APP_ID)
            self.assertEqual(e["Exec"].split()[0], "orgrights")
            self.assertIn("Office", e["Categories"].split(";"))

    def test_package_installs_and_draws_the_screens(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "pkg")
            run(["cpack", "-G", "DEB", "-B", out, "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake")])
            debs = [f for f in os.listdir(out) if f.endswith(".deb")]
            self.assertEqual(len(debs), 1, debs)
            deb = os.path.join(out, debs[0])

            fields = run(["dpkg-deb", "-f", deb, "Package", "Depends"]).stdout
            depends = {d.strip().split()[0] for d in fields.split("Depends:", 1)[1].split(",")}
            for needed in ("libqt6core6", "libqt6gui6", "libqt6widgets6", "qt6-qpa-plugins", "libqt6sql6-sqlite",
                           "libqt6sql6-psql", "fonts-wine", "fonts-arphic-uming", "fonts-dejavu-core"):
                with self.subTest(depends=needed):
                    self.assertIn(needed, depends)

            root = os.path.join(tmp, "root")
            run(["dpkg", "-x", deb, root])
            self.check_tree(os.path.join(root, "usr"))
            unpacked = render_all(os.path.join(root, "usr/bin/orgrights"), os.path.join(tmp, "unpacked"))
            built = render_all(PROGRAM, os.path.join(tmp, "built"))
            self.assertEqual(sorted(unpacked), sorted(built))
            self.assertGreaterEqual(len(built), 7)
            for name in built:
                with self.subTest(picture=name):
                    self.assertTrue(unpacked[name] == built[name], f"{name} differs from the build tree's")


if __name__ == "__main__":
    BUILD_DIR, PROGRAM = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
