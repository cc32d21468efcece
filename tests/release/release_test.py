"""The downloads as a user receives them: the zip and the browser page with
their checksums, the program's version information, manifest and imports as
Windows reads them, the manuals' quick tables, and the same bytes from a build
in another folder.

Arguments: the source folder, the Windows build folder, the web build folder,
the project's version.
"""

import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile
from pathlib import Path

import pefile
from windows7_functions import WINDOWS_7_FUNCTIONS

SOURCE = BUILD = WEB_BUILD = VERSION = None

BOM = b"\xef\xbb\xbf"
RT_MANIFEST = 24
MAX_EXE_BYTES = 256 * 1024
JAPANESE, ENGLISH, UNICODE = 0x0411, 0x0409, 1200
JAPANESE_NAME = "卵期間推定電卓"
COPYRIGHT = "Copyright (c) 2026 EggPeriod authors"
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
}
# Rows of the quick table that the calculator must show, worked out by hand:
# temperature -> (days to one decimal, the calculator's text).
KNOWN_ROWS = {
    6: ("222.2", "222.222229003906"),
    10: ("26.8", "26.8096523284912"),
    15: ("12.8", "12.7713918685913"),
    20: ("8.4", "8.38222980499268"),
    25: ("6.2", "6.23830318450928"),
    30: ("5.0", "4.96771001815796"),
}


def source_date_epoch():
    """The time the build gave the packed files."""
    return os.environ.get("SOURCE_DATE_EPOCH") or subprocess.run(
        ["git", "-C", SOURCE, "log", "-1", "--format=%ct"], capture_output=True, text=True,
        check=True).stdout.strip()


def copy_sources(destination):
    """Copies the files git would commit, as they stand in the working tree."""
    listing = subprocess.run(["git", "-C", SOURCE, "ls-files", "-co", "--exclude-standard", "-z"],
                             capture_output=True, check=True)
    for name in filter(None, listing.stdout.decode().split("\0")):
        if (Path(SOURCE) / name).is_file():
            (destination / name).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(Path(SOURCE) / name, destination / name)


def translations(pe):
    """The (language, code page) pairs of the version resource, in order."""
    for file_info in pe.FileInfo:
        for entry in file_info:
            for var in getattr(entry, "Var", []):
                offset = var.get_file_offset()
                length = var.ValueLength
                # The value follows the header and the key, aligned to 4 bytes.
                value = (offset + 6 + len("Translation\0") * 2 + 3) & ~3
                data = pe.__data__[value:value + length]
                return list(struct.iter_unpack("<HH", data))
    return []


def string_tables(pe):
    return [(int(table.LangID, 16) >> 16,
             {key.decode(): value.decode() for key, value in table.entries.items()})
            for file_info in pe.FileInfo for entry in file_info
            for table in getattr(entry, "StringTable", [])]


def manifest(pe):
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == RT_MANIFEST:
            identifiers = [item.id for item in kind.directory.entries]
            data = kind.directory.entries[0].directory.entries[0].data.struct
            return identifiers, pe.get_data(data.OffsetToData, data.Size)
    return [], b""


def build_downloads(source, environment):
    """Installs the page's bundler from its lock file, then builds the page,
    the Windows build as the README says, then the zip, in `source`'s preset
    build folders."""
    jobs = ["-j", str(os.cpu_count())]
    for command in (["npm", "ci", "--prefix", "web", "--no-audit", "--no-fund", "--silent"],
                    ["cmake", "--preset", "web", "-DEGGPERIOD_TESTS=OFF"],
                    ["cmake", "--build", "--preset", "web", "--target", "site_zip"],
                    ["cmake", "--preset", "windows"],
                    ["cmake", "--build", "--preset", "windows", *jobs],
                    ["cmake", "--build", "--preset", "windows", "--target", "release_zip", *jobs]):
        subprocess.run(command, cwd=source, env=environment, check=True,
                       stdout=subprocess.DEVNULL)


def setUpModule():
    for build, target in ((BUILD, "release_zip"), (WEB_BUILD, "site_zip")):
        subprocess.run(["cmake", "--build", build, "--target", target], check=True,
                       stdout=subprocess.DEVNULL)


class Package(unittest.TestCase):
    def setUp(self):
        folder = f"EggPeriod-{VERSION}"
        self.zip_name = f"{folder}-win64.zip"
        self.page_name = f"EggPeriod-{VERSION}.html"
        self.entries = [f"{folder}/{name}" for name in ("EggPeriod.exe", "EggPeriod.html",
                                                        "README-ja.txt", "LICENSE.txt")]
        self.zip_path = Path(BUILD) / self.zip_name
        self.page_path = Path(WEB_BUILD) / self.page_name
        self.site_zip_name = f"{folder}-site.zip"
        self.site_zip_path = Path(WEB_BUILD) / self.site_zip_name
        self.exe_path = Path(BUILD) / "bin" / "EggPeriod.exe"

    def test_holds_one_folder_with_the_program_its_page_manual_and_licence(self):
        with zipfile.ZipFile(self.zip_path) as archive:
            self.assertEqual(archive.namelist(), self.entries)
            for info in archive.infolist():
                self.assertTrue(info.filename.isascii(), info.filename)
                self.assertEqual(info.extra, b"", f"{info.filename} carries extra attributes")
            self.assertEqual(archive.read(self.entries[0]), self.exe_path.read_bytes())
            self.assertEqual(archive.read(self.entries[1]), self.page_path.read_bytes())
            for name in self.entries[2:]:
                text = archive.read(name)
                with self.subTest(name):
                    self.assertTrue(text.startswith(BOM), "UTF-8 with a byte-order mark")
                    self.assertNotRegex(text, rb"[^\r]\n", "every line ends in CRLF")

    def test_checksum_files_are_in_sha256sum_format(self):
        for path in (self.zip_path, self.page_path, self.site_zip_path):
            digest = hashlib.sha256(path.read_bytes()).hexdigest()
            self.assertEqual(Path(f"{path}.sha256").read_text(), f"{digest}  {path.name}\n")

    def test_another_folder_without_git_builds_the_same_bytes(self):
        with tempfile.TemporaryDirectory(prefix="eggperiod-elsewhere-") as elsewhere:
            copy = Path(elsewhere) / "a" / "different" / "checkout"
            copy_sources(copy)
            build_downloads(copy, dict(os.environ, SOURCE_DATE_EPOCH=source_date_epoch()))
            other = copy / "build"
            built_here = {"windows/bin/EggPeriod.exe": self.exe_path,
                          f"windows/{self.zip_name}": self.zip_path,
                          f"web/{self.page_name}": self.page_path,
                          f"web/{self.site_zip_name}": self.site_zip_path}
            for name, path in built_here.items():
                with self.subTest(name):
                    self.assertEqual(hashlib.sha256((other / name).read_bytes()).hexdigest(),
                                     hashlib.sha256(path.read_bytes()).hexdigest())


class Program(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.exe_path = Path(BUILD) / "bin" / "EggPeriod.exe"
        cls.pe = pefile.PE(str(cls.exe_path))

    def test_version_information_puts_japanese_first(self):
        major, minor, patch = (int(part) for part in VERSION.split("."))
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        for most, least in ((fixed.FileVersionMS, fixed.FileVersionLS),
                            (fixed.ProductVersionMS, fixed.ProductVersionLS)):
            self.assertEqual((most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF),
                             (major, minor, patch, 0))
        self.assertEqual(translations(self.pe), [(JAPANESE, UNICODE), (ENGLISH, UNICODE)])
        tables = string_tables(self.pe)
        self.assertEqual([language for language, _ in tables], [JAPANESE, ENGLISH])
        both = {"FileVersion": f"{VERSION}.0", "ProductVersion": VERSION,
                "LegalCopyright": COPYRIGHT, "OriginalFilename": "EggPeriod.exe"}
        japanese = dict(both, FileDescription=JAPANESE_NAME, ProductName=JAPANESE_NAME)
        for (language, strings), expected in zip(tables, (japanese, both)):
            self.assertEqual({key: strings.get(key) for key in expected}, expected, hex(language))

    def test_manifest_runs_as_invoker_on_windows_7_to_11_with_classic_controls(self):
        identifiers, text = manifest(self.pe)
        self.assertEqual(identifiers, [1])
        root = ElementTree.fromstring(text)
        levels = [element.get("level") for element in root.iter()
                  if element.tag.endswith("}requestedExecutionLevel")]
        self.assertEqual(levels, ["asInvoker"])
        systems = {element.get("Id") for element in root.iter()
                   if element.tag.endswith("}supportedOS")}
        self.assertEqual(systems, SUPPORTED_OS)
        for element in root.iter():
            self.assertNotRegex(element.tag, r"dpiAware|dependency")

    def test_is_small_self_contained_and_has_no_link_timestamp(self):
        self.assertLess(self.exe_path.stat().st_size, MAX_EXE_BYTES)
        imports = {entry.dll.decode().upper() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertEqual(imports, set(WINDOWS_7_FUNCTIONS))
        self.assertEqual(self.pe.FILE_HEADER.TimeDateStamp, 0)

    def test_asks_for_no_padded_border(self):
        # Subsystem 6.0 or later gets a padded frame, which cuts the credit line.
        header = self.pe.OPTIONAL_HEADER
        self.assertEqual((header.MajorSubsystemVersion, header.MinorSubsystemVersion), (5, 2))


    def test_imports_only_functions_that_windows_7_has(self):
        for entry in self.pe.DIRECTORY_ENTRY_IMPORT:
            dll = entry.dll.decode().upper()
            for function in entry.imports:
                name = function.name.decode() if function.name else f"#{function.ordinal}"
                with self.subTest(dll=dll, function=name):
                    self.assertTrue(name in WINDOWS_7_FUNCTIONS.get(dll, ()),
                                  f"{dll} {name} is not documented for Windows 7 SP1")


class Manuals(unittest.TestCase):
    def read(self, name):
        return (Path(SOURCE) / name).read_text(encoding="utf-8")

    def test_state_the_version(self):
        manual = self.read("docs/README-ja.txt")
        self.assertTrue(f"version {VERSION}" in self.read("README.md"), "README.md's version")
        self.assertTrue(VERSION in manual.splitlines()[0], "the manual's title")
        self.assertTrue(f"\n{VERSION}（" in manual, "the manual's change history")

    def test_quick_tables_have_every_whole_degree_from_6_to_30(self):
        markdown = re.findall(r"^\| (\d+) \| ([\d.]+) \| (\S+) \|$", self.read("README.md"),
                              re.MULTILINE)
        text = re.findall(r"^ +(\d+) +([\d.]+)  (\S+)$", self.read("docs/README-ja.txt"),
                          re.MULTILINE)
        for rows in (markdown, text):
            self.assertEqual([int(row[0]) for row in rows], list(range(6, 31)))
            for temperature, rounded, shown in rows:
                if int(temperature) in KNOWN_ROWS:
                    self.assertEqual((rounded, shown), KNOWN_ROWS[int(temperature)], temperature)
        self.assertEqual(markdown, text)


if __name__ == "__main__":
    SOURCE, BUILD, WEB_BUILD, VERSION = sys.argv[1:5]
    del sys.argv[1:5]
    unittest.main(verbosity=2)
