"""Facts about one Windows build: what its programs import, and what its
release zip holds. The build folder, the objdump to read it with and the zip's
architecture come from WIN_BUILD_DIR, WIN_OBJDUMP and WIN_ARCH (win32, win64)."""

import glob
import os
import struct
import subprocess
import unittest
import zipfile

BUILD = os.environ.get("WIN_BUILD_DIR", "")
OBJDUMP = os.environ.get("WIN_OBJDUMP", "objdump")
ARCH = os.environ.get("WIN_ARCH", "")
SOURCE = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))

BOARD_LIBRARY = "k8055d.dll"
BOARD_ORDINALS = {24, 13, 11}
# Windows' own DLLs a program of ours may need; anything else would have to ship.
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "winmm.dll", "user32.dll", "advapi32.dll",
               "ucrtbase.dll", "ntdll.dll", "shell32.dll"}
PE_MACHINE = {"win32": 0x14C, "win64": 0x8664}


def programs():
    """Every program of the build: fractrace.exe and whatever else bin/ holds."""
    return sorted(glob.glob(os.path.join(BUILD, "bin", "*.exe")))


def imports(path):
    """{dll name in lower case: [ordinal (int) or name (str) for each import]}."""
    text = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True,
                          check=True).stdout
    table = {}
    entries = None
    for line in text.splitlines():
        stripped = line.strip()
        if stripped.startswith("DLL Name:"):
            entries = table.setdefault(stripped.split(":", 1)[1].strip().lower(), [])
        elif entries is not None and stripped.startswith("vma:"):
            continue
        elif entries is not None and stripped == "":
            entries = None
        elif entries is not None:
            # "<thunk> <hint> <name>" for an import by name; by ordinal the
            # thunk has its top bit set, the ordinal in its low bits, and no name.
            fields = stripped.split()
            thunk = int(fields[0], 16)
            by_ordinal = thunk & (1 << 63 | 1 << 31) and fields[2:3] == ["<none>"]
            entries.append(thunk & 0xFFFF if by_ordinal else fields[2])
    return table


def pe_machine(data):
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[offset:offset + 4] == b"PE\0\0"
    return struct.unpack_from("<H", data, offset + 4)[0]


class ImportTables(unittest.TestCase):
    def test_the_build_has_the_plotter(self):
        self.assertIn("fractrace.exe", [os.path.basename(p) for p in programs()])

    def test_board_library_entries_are_bound_by_ordinal_only(self):
        for path in programs():
            with self.subTest(program=os.path.basename(path)):
                table = imports(path)
                self.assertIn(BOARD_LIBRARY, table)
                entries = table[BOARD_LIBRARY]
                self.assertEqual(sorted(entries, key=str), sorted(BOARD_ORDINALS, key=str))

    def test_no_dll_beyond_the_board_library_and_windows_own(self):
        for path in programs():
            with self.subTest(program=os.path.basename(path)):
                needed = set(imports(path)) - {BOARD_LIBRARY}
                foreign = {dll for dll in needed
                           if dll not in SYSTEM_DLLS and not dll.startswith("api-ms-win-")}
                self.assertEqual(foreign, set())

    def test_programs_are_built_for_the_architecture(self):
        for path in programs():
            with self.subTest(program=os.path.basename(path)):
                with open(path, "rb") as f:
                    self.assertEqual(pe_machine(f.read(4096)), PE_MACHINE[ARCH])


class ReleaseZip(unittest.TestCase):
    def setUp(self):
        zips = glob.glob(os.path.join(BUILD, "fractrace-jogpad-*-%s.zip" % ARCH))
        self.assertEqual(len(zips), 1, "one release zip expected in %s" % BUILD)
        self.zip = zipfile.ZipFile(zips[0])
        self.top = os.path.basename(zips[0])[:-len(".zip")]

    def tearDown(self):
        self.zip.close()

    def test_holds_the_programs_the_sample_calibration_and_the_readme(self):
        expected = {os.path.basename(p) for p in programs()} | {"stepcfg2.txt", "README.md"}
        files = {name for name in self.zip.namelist() if not name.endswith("/")}
        self.assertEqual(files, {self.top + "/" + name for name in expected})
        self.assertNotIn(self.top + "/K8055D.DLL", files)

    def test_text_files_are_the_sources(self):
        for name, source in [("stepcfg2.txt", "examples/stepcfg2.txt"),
                             ("README.md", "README.md")]:
            with self.subTest(file=name), open(os.path.join(SOURCE, source), "rb") as f:
                self.assertEqual(self.zip.read(self.top + "/" + name), f.read())

    def test_programs_are_for_the_architecture(self):
        for path in programs():
            name = self.top + "/" + os.path.basename(path)
            with self.subTest(program=name):
                self.assertEqual(pe_machine(self.zip.read(name)), PE_MACHINE[ARCH])


if __name__ == "__main__":
    unittest.main()
