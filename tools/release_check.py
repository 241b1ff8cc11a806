#!/usr/bin/env python3
"""Static checks of the Windows builds: every PE file imports only Windows'
own DLLs, the i686 files are PE32 for i386 and the x86_64 ones PE32+ for
AMD64, and the deliverables carry what a user and TVTest expect of them.

    release_check.py WIN32_TREE WIN64_TREE [DIST]

With DIST, the zips in it are checked too. The deliverables carry the
commit's time (SOURCE_DATE_EPOCH where set) in their PE headers and no path
of the checkout they were built in, so that any clean build of a commit gives
the same bytes.
"""
import hashlib
import pathlib
import struct
import sys

import release_facts

VERSION = release_facts.version()
EPOCH, EPOCH_SOURCE = release_facts.source_date_epoch()

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "comctl32.dll", "comdlg32.dll",
    "advapi32.dll", "msvcrt.dll", "ntdll.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll",
    "version.dll", "ws2_32.dll", "imm32.dll", "uxtheme.dll", "setupapi.dll", "newdev.dll",
    "hid.dll", "cfgmgr32.dll", "ntoskrnl.exe", "hidclass.sys", "hal.dll",
}

MACHINE_I386, MACHINE_AMD64 = 0x14C, 0x8664
MAGIC_PE32, MAGIC_PE32_PLUS = 0x10B, 0x20B


class PeFile:
    """Just enough of the PE format: machine, magic, sections, imports, exports."""

    def __init__(self, path):
        self.path = path
        self.data = path.read_bytes()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, nsections, self.timestamp = struct.unpack_from("<HHI", d, pe + 4)
        opt_size, self.characteristics = struct.unpack_from("<HH", d, pe + 20)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", d, opt)[0]
        dirs = opt + (96 if self.magic == MAGIC_PE32 else 112)
        self.directories = [struct.unpack_from("<II", d, dirs + 8 * i) for i in range(16)]
        self.sections = []
        sec = opt + opt_size
        for i in range(nsections):
            name, vsize, va, rsize, rptr = struct.unpack_from("<8sIIII", d, sec + 40 * i)
            self.sections.append((va, max(vsize, rsize), rptr))

    @property
    def is_dll(self):
        return bool(self.characteristics & 0x2000)

    def offset(self, rva):
        for va, size, ptr in self.sections:
            if va <= rva < va + size:
                return rva - va + ptr
        raise ValueError(f"rva {rva:#x} outside sections")

    def cstring(self, rva):
        o = self.offset(rva)
        return self.data[o:self.data.index(b"\0", o)].decode("ascii")

    def imports(self):
        rva, size = self.directories[1]
        names = []
        if not rva:
            return names
        o = self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, o)
            if not any(entry):
                return names
            names.append(self.cstring(entry[3]))
            o += 20

    def exports(self):
        rva, size = self.directories[0]
        if not rva:
            return []
        o = self.offset(rva)
        count, names_rva = struct.unpack_from("<I", self.data, o + 24)[0], struct.unpack_from("<I", self.data, o + 32)[0]
        no = self.offset(names_rva)
        return [self.cstring(struct.unpack_from("<I", self.data, no + 4 * i)[0]) for i in range(count)]

    def resource_bytes(self):
        """The raw bytes of the resource section, for text searches."""
        rva, size = self.directories[2]
        if not rva:
            return b""
        o = self.offset(rva)
        return self.data[o:o + size]


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {what}")


def pe_files(tree):
    for p in sorted(pathlib.Path(tree).rglob("*")):
        if p.suffix.lower() in (".exe", ".dll", ".tvtp", ".sys") and p.is_file() and not any(part.startswith("wine") or part == "CMakeFiles" for part in p.parts):
            yield p


def check_tree(checks, tree, machine, magic):
    files = list(pe_files(tree))
    checks.check(files, f"{tree}: no PE files built")
    for p in files:
        try:
            pe = PeFile(p)
        except ValueError as e:
            checks.check(False, f"{p}: {e}")
            continue
        checks.check(pe.machine == machine, f"{p}: machine {pe.machine:#x}, expected {machine:#x}")
        checks.check(pe.magic == magic, f"{p}: optional header magic {pe.magic:#x}, expected {magic:#x}")
        for dll in pe.imports():
            checks.check(dll.lower() in SYSTEM_DLLS, f"{p}: imports {dll}, not a Windows system DLL")


def find(tree, name):
    hits = [p for p in pe_files(tree) if p.name == name]
    return hits[0] if hits else None


def utf16(text):
    return text.encode("utf-16-le")


PLUGIN_EXPORTS = {"TVTGetVersion", "TVTGetPluginInfo", "TVTInitialize", "TVTFinalize"}
# Resource id -> (width, height) of the controller pictures TVTest shows.
PLUGIN_BITMAPS = {20: (80, 304), 21: (120, 38)}


def bitmap_headers(pe):
    """BITMAPINFOHEADER fields of each RT_BITMAP resource: id -> (width, height, bits, compression, colours used)."""
    rva, size = pe.directories[2]
    if not rva:
        return {}
    base = pe.offset(rva)
    d = pe.data

    def entries(offset):
        named, ids = struct.unpack_from("<HH", d, base + offset + 12)
        for i in range(named + ids):
            yield struct.unpack_from("<II", d, base + offset + 16 + 8 * i)

    found = {}
    for type_id, type_off in entries(0):
        if type_id != 2 or not type_off & 0x80000000:
            continue
        for res_id, res_off in entries(type_off & 0x7FFFFFFF):
            if res_id & 0x80000000 or not res_off & 0x80000000:
                continue
            for _, lang_off in entries(res_off & 0x7FFFFFFF):
                data_rva, data_size = struct.unpack_from("<II", d, base + (lang_off & 0x7FFFFFFF))
                if data_size < 40:
                    continue
                o = pe.offset(data_rva)
                _, width, height, _, bits, compression, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", d, o)
                found[res_id] = (width, height, bits, compression, used)
    return found


def check_plugin(checks, tree):
    plugin = find(tree, "Vexlo2.tvtp")
    checks.check(plugin, f"{tree}: Vexlo2.tvtp not built")
    if not plugin:
        return
    pe = PeFile(plugin)
    checks.check(pe.is_dll, f"{plugin}: not a DLL")
    expected_magic = MAGIC_PE32 if pe.machine == MACHINE_I386 else MAGIC_PE32_PLUS
    checks.check(pe.magic == expected_magic, f"{plugin}: optional header magic {pe.magic:#x}")
    # TVTest looks the exports up by their plain names; stdcall decoration would hide them.
    exports = set(pe.exports())
    checks.check(exports == PLUGIN_EXPORTS, f"{plugin}: exports {sorted(exports)}, expected exactly {sorted(PLUGIN_EXPORTS)}")
    res = pe.resource_bytes()
    for text, what in (("GV-RCKIT3(Vexlo2)でTVTestを操作するプラグイン", "file description"),
                       (f"{VERSION}.0", "file version text"), ("Vexlo2", "product name"),
                       ("Vexlo2.tvtp", "file name"), (VERSION.rsplit(".", 1)[0], "product version text")):
        checks.check(utf16(text) in res, f"{plugin}: {what}")
    bitmaps = bitmap_headers(pe)
    for res_id, (width, height) in PLUGIN_BITMAPS.items():
        checks.check(bitmaps.get(res_id) == (width, height, 24, 0, 0),
                     f"{plugin}: bitmap {res_id} is {bitmaps.get(res_id)}, expected {width}x{height} 24-bit BI_RGB without palette")


def check_reproducible(checks, path, tree):
    """Nothing of when or where it was built: the commit's time, no build path."""
    pe = PeFile(path)
    checks.check(pe.timestamp == EPOCH,
                 f"{path}: PE time stamp {pe.timestamp}, expected {EPOCH} ({EPOCH_SOURCE})")
    for folder in {str(release_facts.ROOT), str(pathlib.Path(tree).resolve())}:
        for form in (folder.encode(), utf16(folder), folder.replace("/", "\\").encode()):
            checks.check(form not in pe.data, f"{path}: holds the path {folder}")


def check_deliverables(checks, tree):
    """What a user copies: the launcher and the plugin, when they are built."""
    check_plugin(checks, tree)
    launcher = find(tree, "Vexlo.exe")
    if launcher:
        pe = PeFile(launcher)
        checks.check(not pe.is_dll, f"{launcher}: is a DLL")
        res = pe.resource_bytes()
        checks.check(utf16("GV-RCKIT3でTVTestを操作するツール") in res, f"{launcher}: file description")
        checks.check(utf16(f"{VERSION}.0") in res, f"{launcher}: file version text")
        checks.check(utf16(f"Vexlo, Version {VERSION}") in res, f"{launcher}: the About box's version")
        checks.check(b"asInvoker" in res, f"{launcher}: manifest execution level")
    for path in filter(None, (launcher, find(tree, "Vexlo2.tvtp"))):
        check_reproducible(checks, path, tree)


PACKAGE_FILES = {"Vexlo.exe", "Vexlo2.tvtp", "readme.txt", "LICENSE.txt"}
PACKAGES = {f"{release_facts.package_name('x86')}.zip": (MACHINE_I386, MAGIC_PE32),
            f"{release_facts.package_name('x64')}.zip": (MACHINE_AMD64, MAGIC_PE32_PLUS)}
ZIP_FILE_ATTRIBUTES = 0o100644 << 16


def check_zip_entries(checks, path, z):
    """Entries in name order with the commit's time, one file mode, no extra fields."""
    infos = z.infolist()
    names = [i.filename for i in infos]
    checks.check(names == sorted(names), f"{path}: entries {names} are not in name order")
    for i in infos:
        checks.check(i.date_time == release_facts.zip_time(EPOCH), f"{path}: {i.filename} has the time {i.date_time}")
        checks.check(i.external_attr == ZIP_FILE_ATTRIBUTES, f"{path}: {i.filename} has attributes {i.external_attr:#x}")
        checks.check(not i.extra, f"{path}: {i.filename} has extra fields")


def check_sums(checks, dist):
    """SHA256SUMS names the two zips and every file in them, each with its sum."""
    sums = pathlib.Path(dist) / "SHA256SUMS"
    checks.check(sums.is_file(), f"{sums}: missing")
    checks.check((pathlib.Path(dist) / "BUILDINFO.txt").is_file(), f"{dist}/BUILDINFO.txt: missing")
    if not sums.is_file():
        return
    listed = dict(reversed(line.split("  ", 1)) for line in sums.read_text().splitlines())
    expected = set(PACKAGES) | {f"{zip_name[:-4]}/{f}" for zip_name in PACKAGES for f in PACKAGE_FILES}
    checks.check(set(listed) == expected, f"{sums}: names {sorted(listed)}, expected {sorted(expected)}")
    for name, digest in listed.items():
        file = pathlib.Path(dist) / name
        checks.check(file.is_file() and hashlib.sha256(file.read_bytes()).hexdigest() == digest,
                     f"{sums}: {name} does not have its sum")


def check_packages(checks, dist):
    """What a user downloads: each zip holds exactly the two files, the readme and the licence."""
    import tempfile
    import zipfile
    for name, (machine, magic) in PACKAGES.items():
        path = pathlib.Path(dist) / name
        checks.check(path.is_file(), f"{path}: missing")
        if not path.is_file():
            continue
        with zipfile.ZipFile(path) as z, tempfile.TemporaryDirectory() as out:
            check_zip_entries(checks, path, z)
            names = set(z.namelist())
            checks.check(names == PACKAGE_FILES, f"{path}: holds {sorted(names)}, expected {sorted(PACKAGE_FILES)}")
            z.extractall(out)
            check_tree(checks, out, machine, magic)
            check_deliverables(checks, out)
            checks.check(find(out, "Vexlo.exe") is not None, f"{path}: no Vexlo.exe")
            readme = pathlib.Path(out, "readme.txt")
            if readme.is_file():
                data = readme.read_bytes()
                checks.check(data.startswith(b"\xef\xbb\xbf"), f"{path}: readme.txt has no UTF-8 byte-order mark")
                checks.check(b"\r\n" in data and b"\n" not in data.replace(b"\r\n", b""),
                             f"{path}: readme.txt lines do not all end in CRLF")
                text = data.decode("utf-8")
                checks.check(f"Vexlo {VERSION} " in text and all(zip_name in text for zip_name in PACKAGES)
                             and "@VERSION@" not in text, f"{path}: readme.txt does not name version {VERSION} and its zips")


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__)
        return 2
    checks = Checks()
    check_tree(checks, argv[1], MACHINE_I386, MAGIC_PE32)
    check_tree(checks, argv[2], MACHINE_AMD64, MAGIC_PE32_PLUS)
    for tree in argv[1:3]:
        check_deliverables(checks, tree)
    if len(argv) == 4:
        check_packages(checks, argv[3])
        check_sums(checks, argv[3])
    print(f"release checks: {checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
