#!/usr/bin/env python3
"""The Windows tool under wine against the Linux tool, on the same inputs.

Usage: tool_parity.py LINUX_TOOL SAMPLE_GENERATOR WINDOWS_TOOL BITS

Both tools run in one fresh folder with relative names. What they print
and the files they write must be the same bytes; an archive with names
that Windows cannot hold or reads otherwise must be refused the same way
by the Windows tool and by the Linux tool's --windows-names; names beyond
ASCII must reach the disk. Exits 77 (skipped) when wine cannot run the
program (a 32-bit tool on a host that runs no 32-bit code).

Wine writes lines of its own to the Windows tool's standard error, some
about other processes (a helper of wine's that crashed): those are set aside,
and named in the output, before the comparison. A crash of the tool itself
still shows: its exit status, its outputs and its own lines are compared.
"""
import doctest
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
WINE_RUN = ROOT / "cmake" / "wine-run.sh"
SKIPPED = 77


# Lines that wine, not the program it runs, writes to standard error: its
# loader's ("wine: ...") and its debug channels' ("0024:err:module:...", led
# by the process too with WINEDEBUG=+pid).
WINE_LINE = re.compile(rb"wine: |(?:[0-9a-f]{4,8}:){1,2}(?:err|fixme|warn|trace):")


def split_wine_lines(stderr):
    r"""The program's own standard error, and wine's lines taken out of it.

    >>> split_wine_lines(b"vexalkit: x.pak: 2 problems\n")
    (b'vexalkit: x.pak: 2 problems\n', [])
    >>> own, wine = split_wine_lines(
    ...     b"wine: Unhandled page fault on read access to 0000000000000008 at address "
    ...     b"000000031CAA2391 (thread 008c), starting debugger...\n"
    ...     b"vexalkit: warning: a: skipped\n0024:err:module:import_dll failed\n"
    ...     b"0020:0024:fixme:ver:stub\nvexalkit: wine: 0024:err: as an entry name")
    >>> own
    b'vexalkit: warning: a: skipped\nvexalkit: wine: 0024:err: as an entry name'
    >>> [line[:12] for line in wine]
    [b'wine: Unhand', b'0024:err:mod', b'0020:0024:fi']
    """
    own, wine = [], []
    for line in stderr.splitlines(keepends=True):
        (wine if WINE_LINE.match(line) else own).append(line)
    return b"".join(own), wine


class Tools:
    def __init__(self, linux, windows, bits, folder):
        self.linux, self.windows, self.bits, self.folder = linux, windows, bits, folder
        # Wine reads arguments and file names in the locale's character set.
        self.env = dict(os.environ, LC_ALL="C.UTF-8")

    def run_linux(self, *args):
        return self._run([self.linux, *args])

    def run_windows(self, *args):
        """Runs the Windows tool; its standard error comes without wine's lines."""
        code, out, err = self._run([WINE_RUN, self.bits, self.windows, *args])
        own, wine = split_wine_lines(err)
        for line in wine:
            print("note:   wine's own line set aside from 'vexalkit "
                  + " ".join(args).encode("ascii", "backslashreplace").decode() + "': "
                  + line.rstrip().decode("ascii", "backslashreplace"))
        return code, out, own

    def _run(self, command):
        done = subprocess.run([str(part) for part in command], cwd=self.folder, env=self.env,
                              capture_output=True, timeout=300)
        return done.returncode, done.stdout, done.stderr


def tree(folder):
    """Every file under `folder`: its name (as bytes) and its bytes."""
    base = pathlib.Path(folder)
    return {os.fsencode(path.relative_to(base)): path.read_bytes()
            for path in sorted(base.rglob("*")) if path.is_file()}


def pak(entries):
    """A PAK archive of (name bytes, contents) pairs, written field by field."""
    body, directory = bytearray(), bytearray()
    for name, contents in entries:
        directory += name.ljust(56, b"\0") + struct.pack("<II", 12 + len(body), len(contents))
        body += contents
    return b"PACK" + struct.pack("<II", 12 + len(body), len(directory)) + body + directory


class Check:
    def __init__(self, tools):
        self.tools, self.failures = tools, []

    def expect(self, what, condition, detail=""):
        print(("ok:     " if condition else "FAILED: ") + what)
        if not condition:
            self.failures.append(what)
            if detail:
                print("        " + detail)

    def same_output(self, what, args, linux_args=None):
        linux = self.tools.run_linux(*(linux_args or args))
        windows = self.tools.run_windows(*args)
        self.expect(what, linux == windows,
                    f"linux {linux[0]} {linux[1][:300]!r} {linux[2][:300]!r}\n"
                    f"        windows {windows[0]} {windows[1][:300]!r} {windows[2][:300]!r}")
        return linux, windows

    def same_files(self, what, args_for, linux_extra=()):
        """Runs the command once per tool, each writing to its own folder."""
        linux = self.tools.run_linux(*args_for("out-linux"), *linux_extra)
        windows = self.tools.run_windows(*args_for("out-windows"))
        folder = self.tools.folder
        same_text = (linux[0], linux[2].replace(b"out-linux", b"OUT")) == (
            windows[0], windows[2].replace(b"out-windows", b"OUT"))
        linux_tree, windows_tree = tree(folder / "out-linux"), tree(folder / "out-windows")
        self.expect(what, same_text and linux_tree == windows_tree and linux_tree,
                    f"exit {linux[0]}/{windows[0]}; stderr {linux[2][:300]!r} / "
                    f"{windows[2][:300]!r}; files {sorted(linux_tree)} / {sorted(windows_tree)}")
        shutil.rmtree(folder / "out-linux", ignore_errors=True)
        shutil.rmtree(folder / "out-windows", ignore_errors=True)
        return windows


def check_sample_archive(check):
    for kind in ["", "--json"]:
        check.same_output(f"ls {kind}", ["ls", "sample.pak"] + ([kind] if kind else []))
    check.same_output("ls of a WAD2 inside a PAK",
                      ["ls", "gfx/sample.wad", "--pak", "sample.pak", "--json"])
    check.same_output("info of the archive", ["info", "sample.pak", "--json"])
    for entry in ["gfx/palette.lmp", "gfx/colormap.lmp", "gfx/rings.lmp", "gfx/sample.wad",
                  "progs/flame.spr", "progs/creature.mdl", "maps/yard.map"]:
        check.same_output(f"info {entry}", ["info", entry, "--pak", "sample.pak", "--json"])
    check.same_output("map check", ["map", "maps/yard.map", "--pak", "sample.pak"])
    check.same_files("png of pictures, a sprite and a model",
                     lambda out: ["png", "gfx/rings.lmp", "gfx/badge.lmp", "progs/flame.spr",
                                  "progs/creature.mdl", "--pak", "sample.pak", "-o", out + "/"])
    check.same_files("png of WAD2 entries",
                     lambda out: ["png", "rings", "swatch", "--wad", "gfx/sample.wad", "--pak",
                                  "sample.pak", "-o", out + "/"])
    check.same_files("gltf", lambda out: ["gltf", "progs/creature.mdl", "--pak", "sample.pak",
                                          "-o", out + "/creature.glb"])
    check.same_files("extract", lambda out: ["extract", "sample.pak", "-o", out])
    check.same_files("export on two threads",
                     lambda out: ["export", "sample.pak", "-o", out, "-j", "2"])
    check.tools.run_linux("extract", "sample.pak", "-o", "unpacked")
    check.same_files("pack of the extracted files",
                     lambda out: ["pack", "unpacked", "-o", out + "/again.pak"])


# Names that must not become files on Windows. (A trailing blank is no danger:
# the archive reader trims the blanks around every part of a name.)
DANGEROUS = [b"C:evil.txt", b"c:/rooted.txt", b"../escape.txt", b"CON", b"con.txt", b"Aux .txt",
             b"nul.tar.gz", b"COM1.dat", b"lpt9", b"CONIN$", b"trailing.", b"data:stream",
             b"a<b.txt", b"what?.txt", b"pipe|.txt", b"folder/star*.txt"]
SAFE = [b"readme.txt", b"maps/deep/ok.txt"]


def check_dangerous_names(check):
    folder = check.tools.folder
    entries = [(name, b"bad " + name) for name in DANGEROUS]
    entries += [(name, b"good " + name) for name in SAFE]
    entries += [(b"README.TXT", b"same but for case")]
    (folder / "crafted.pak").write_bytes(pak(entries))
    windows = check.same_files(
        "extract of dangerous names: Windows refuses as the Linux tool's --windows-names does",
        lambda out: ["extract", "crafted.pak", "-o", out], linux_extra=["--windows-names"])
    refusals = [line for line in windows[2].splitlines() if b": warning: " in line]
    check.expect("every refused name has its line, and the exit code says so",
                 windows[0] == 1 and len(refusals) == len(DANGEROUS) + 1,
                 b"\n".join(refusals).decode(errors="replace"))
    check.tools.run_windows("extract", "crafted.pak", "-o", "crafted")
    check.expect("only the safe names were written, and nothing beside the output folder",
                 sorted(tree(folder / "crafted")) == sorted(SAFE)
                 and not (folder / "escape.txt").exists())
    # On Windows the archive reader drops a leading separator, as it does from
    # paths: such names land inside the output folder; the rest is refused.
    (folder / "rooted.pak").write_bytes(pak([(b"/rooted.txt", b"1"), (b"//server/share/x.txt", b"2"),
                                             (b"\\\\?\\C:\\x.txt", b"3")]))
    rooted = check.tools.run_windows("extract", "rooted.pak", "-o", "rooted")
    check.expect(r"rooted, network and \\?\ names never leave the output folder",
                 rooted[0] == 1 and tree(folder / "rooted") == {b"rooted.txt": b"1",
                                                                b"server/share/x.txt": b"2"},
                 repr(rooted))


def check_names_beyond_ascii(check):
    folder = check.tools.folder
    (folder / "アーカイブ-ü.pak").write_bytes((folder / "sample.pak").read_bytes())
    check.same_output("ls of an archive named beyond the code page",
                      ["ls", "アーカイブ-ü.pak", "--json"])
    check.tools.run_linux("extract", "sample.pak", "gfx/rings.lmp", "gfx/palette.lmp", "-o", "x")
    shutil.copy(folder / "x/gfx/rings.lmp", folder / "ringé-模型.lmp")
    shutil.copy(folder / "x/gfx/palette.lmp", folder / "paleta-ç.lmp")
    check.same_files("png of a file named beyond ASCII",
                     lambda out: ["png", "ringé-模型.lmp", "--palette", "paleta-ç.lmp",
                                  "-o", out + "/出力/"])
    before = (folder / "ringé-模型.lmp").read_bytes()
    refused = check.same_output("an output that is an input is refused",
                                ["png", "ringé-模型.lmp", "--palette", "paleta-ç.lmp", "-o",
                                 "ringé-模型.lmp"])[1]
    check.expect("... with a message, and the input stays as it was",
                 refused[0] == 1 and b"one of the inputs" in refused[2]
                 and (folder / "ringé-模型.lmp").read_bytes() == before, repr(refused))
    (folder / "names.pak").write_bytes(pak([("maps/größe-模型.txt".encode(), b"utf-8 name"),
                                            (b"caf\xe9.txt", b"latin-1 name")]))
    check.tools.run_windows("extract", "names.pak", "-o", "names")
    written = tree(folder / "names")
    check.expect("entry names in UTF-8 and in single bytes reach the disk as characters",
                 written == {"maps/größe-模型.txt".encode(): b"utf-8 name",
                             "café.txt".encode(): b"latin-1 name"}, repr(sorted(written)))


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    linux, sample, windows, bits = sys.argv[1:]
    if doctest.testmod().failed:
        return 1
    with tempfile.TemporaryDirectory(prefix="vexalkit-parity-") as name:
        folder = pathlib.Path(name)
        tools = Tools(os.path.abspath(linux), os.path.abspath(windows), bits, folder)
        subprocess.run([os.path.abspath(sample), "sample.pak"], cwd=folder, check=True,
                       capture_output=True)
        probe = tools.run_windows("--version")
        if probe[0] == SKIPPED:
            print(probe[2].decode(errors="replace").strip())
            return SKIPPED
        check = Check(tools)
        check.expect("--version", probe == tools.run_linux("--version"), repr(probe))
        check_sample_archive(check)
        check_dangerous_names(check)
        check_names_beyond_ascii(check)
    print(f"{bits}-bit tool: {len(check.failures)} failures")
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
