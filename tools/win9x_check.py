#!/usr/bin/env python3
"""Checks that the i686 vireo.exe can load and run on Windows 95, 98 and Me.

  win9x_check.py api EXE TABLE SOURCE_DIR...   the Windows functions the program uses
  win9x_check.py cpu EXE                       the processor instructions in its code
  win9x_check.py trace TABLE RELAY_LOG EXE [FUNCTION...]
                                               the functions a Wine relay trace saw it call

api: every function that EXE imports, and every one that the program looks up at run time, must
be in TABLE (tools/win9x_api.tsv) with what Windows 95, 98 and Me do with it. An import must be
exported by all three ("yes", or "stub": exported but failing, which the loader accepts); a
function looked up at run time that a version lacks needs a fallback noted in the table. The
run-time lookups are read from the sources (every one goes through LibraryExport or
LibraryOrdinal with a literal name), and the disassembly shows that nothing else in the program
calls GetProcAddress. A row that the program no longer uses is reported too.

cpu: the program is built for the Pentium. Its .text must hold no cmov, fcomi/fucomi, and no MMX,
SSE or later instruction; each one found is named with the function it sits in.

trace: the calls from EXE's own code into system libraries (WINEDEBUG=+relay, filtered by the
return address) must not reach a function that the table marks as a stub or missing on 9x; each
FUNCTION named must have been called (the paths meant to be traced were taken).

Each prints "ok:"/"FAIL:" lines and ends with "win9x-<check>: N passed, M failed".
"""

import os
import re
import subprocess
import sys

OBJDUMP = os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump")
VERSIONS = ("win95", "win98", "winme")
# What the runtime itself looks up: gcc's start-up code asks libgcc's DLL, which a statically
# linked program never has loaded, for its frame registration.
RUNTIME_LOOKUPS = {"___gcc_register_frame", "___gcc_deregister_frame"}


class Report:
    def __init__(self, name):
        self.name, self.passed, self.failed = name, 0, 0

    def check(self, ok, text):
        print(("ok: " if ok else "FAIL: ") + text)
        if ok:
            self.passed += 1
        else:
            self.failed += 1

    def close(self):
        print(f"win9x-{self.name}: {self.passed} passed, {self.failed} failed")
        return 1 if self.failed else 0


def objdump(*args):
    """objdump of the program's own architecture: the i686 one reads no x86_64 file."""
    tool = OBJDUMP
    with open(args[-1], "rb") as f:
        head = f.read(4096)
    pe = int.from_bytes(head[0x3C:0x40], "little")
    if head[pe + 4:pe + 6] == b"\x64\x86":
        tool = tool.replace("i686", "x86_64")
    return subprocess.run([tool, *args], capture_output=True, text=True, check=True).stdout


def read_table(path):
    """{(dll, function): row} with row = {win95, win98, winme, note, source}."""
    table = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#") or line.startswith("dll\t"):
                continue
            cells = line.rstrip("\n").split("\t")
            if len(cells) != 7 or any(c not in ("yes", "stub", "no", "needs") for c in cells[2:5]):
                sys.exit(f"{path}:{number}: expected dll, function, 3 x yes|stub|no|needs, note, "
                         "source")
            row = dict(zip(VERSIONS, cells[2:5]), note=cells[5], source=cells[6])
            table[(cells[0].lower(), cells[1])] = row
    return table


def imports(exe):
    """[(dll, function)], and {IAT address: (dll, function)}."""
    text = objdump("-p", exe)
    base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", text).group(1), 16)
    found, slots = [], {}
    pattern = (r"^\s*[0-9a-f]{8}\s+[0-9a-f]{8}\s+[0-9a-f]{8}\s+[0-9a-f]{8}\s+[0-9a-f]{8}\s+"
               r"([0-9a-f]{8})\s*\n\s*\n\s*DLL Name: (\S+)\n\s*vma:.*\n((?:\s+[0-9a-f]+\s+\d+\s+\S+\n)*)")
    for m in re.finditer(pattern, text, re.M):
        first_thunk, dll = int(m.group(1), 16), m.group(2).lower()
        for i, line in enumerate(m.group(3).strip().splitlines()):
            entry = (dll, line.split()[-1])
            found.append(entry)
            slots[base + first_thunk + 4 * i] = entry
    if not found:
        sys.exit(f"{exe}: no import table found")
    return found, slots


def with_symbols(exe):
    """The image to disassemble by function: a stripped program's twin with symbols
    (vireo.exe -> vireo.sym.exe), once its code is shown to be the same; else EXE itself."""
    twin = exe[:-4] + ".sym.exe" if exe.endswith(".exe") else ""
    if not twin or not os.path.exists(twin):
        return exe
    code = [objdump("-s", "-j", ".text", f).split("\n", 2)[-1] for f in (exe, twin)]
    if code[0] != code[1]:
        sys.exit(f"{exe}: its code differs from {twin}'s; rebuild both")
    return twin


def functions(exe):
    """[(function, instruction line)] for every instruction in .text, data regions left out."""
    out, name = [], None
    for line in objdump("-d", "-j", ".text", "--no-show-raw-insn", with_symbols(exe)).splitlines():
        m = re.match(r"^[0-9a-f]+ <(.*)>:$", line)
        if m:
            name = m.group(1)
        elif name and "\t" in line and not name.startswith(".gcc_except_table"):
            out.append((name, line))
    return out


LOOKUP = re.compile(r'Library(Export|Ordinal)<[^;]*?>\(\s*"([^"]+)",\s*("?)([A-Za-z0-9_]+)"?\s*\)')


def lookups(source_dirs):
    """{(dll, function or #ordinal): where}; exits when a lookup is not of the literal form."""
    found = {}
    for top in source_dirs:
        for folder, _, files in os.walk(top):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(folder, name)
                text = open(path, encoding="utf-8").read()
                calls = len(re.findall(r"Library(Export|Ordinal)<", text))
                matched = list(LOOKUP.finditer(text))
                if len(matched) != calls:
                    sys.exit(f"{path}: a run-time lookup without a literal library and name")
                for m in matched:
                    what = m.group(4) if m.group(1) == "Export" else "#" + m.group(4)
                    found[(m.group(2).lower(), what)] = path
    return found


def check_api(exe, table_path, source_dirs):
    report = Report("api")
    table = read_table(table_path)
    imported, slots = imports(exe)
    for dll, function in imported:
        row = table.get((dll, function))
        library = table.get((dll, "*"))
        if row is None:
            report.check(False, f"{dll}!{function} is imported but missing from the table")
            continue
        lacking = [v for v in VERSIONS if row[v] == "no" or (library and library[v] == "no")]
        report.check(not lacking, f"{dll}!{function} is imported and exported by Windows 95, 98 "
                     f"and Me" + (f" (missing on {', '.join(lacking)})" if lacking else ""))
    looked_up = lookups(source_dirs)
    for (dll, function), where in sorted(looked_up.items()):
        row = table.get((dll, function))
        if row is None:
            report.check(False, f"{dll}!{function}, looked up in {where}, is missing from the table")
            continue
        lacking = [v for v in VERSIONS if row[v] != "yes"]
        report.check(not lacking or row["note"].startswith("fallback:"),
                     f"{dll}!{function} is looked up at run time"
                     + (f"; without it ({', '.join(lacking)}): {row['note']}" if lacking else ""))
    # Nothing but the lookup helper (and the runtime's start-up code) calls GetProcAddress.
    gpa = [a for a, (d, f) in slots.items() if (d, f) == ("kernel32.dll", "GetProcAddress")]
    callers = {name for name, line in functions(exe) for a in gpa if f"0x{a:x}" in line}
    strays = sorted(c for c in callers if "FindLibraryExport" not in c and c not in RUNTIME_LOOKUPS)
    report.check(not strays, "GetProcAddress is called only by FindLibraryExport"
                 + (f"; also by {', '.join(strays)}" if strays else ""))
    used = set(imported) | set(looked_up) | {(d, "*") for d, _ in imported}
    unused = sorted(f"{d}!{f}" for d, f in table if (d, f) not in used)
    report.check(not unused, "every row of the table is a function the program uses"
                 + (f"; not used: {', '.join(unused)}" if unused else ""))
    return report.close()


# Instructions that a Pentium (without MMX) does not have: the Pentium Pro's conditional moves and
# compares, and any instruction on the MMX or SSE registers, plus the few later ones that use
# neither. (ud2 is left alone: it raises the invalid-opcode trap it stands for on every processor.)
NEWER = re.compile(r"^(cmov\w*|fcmov\w*|fcomip?|fucomip?|fisttp\w*|emms|femms|ldmxcsr|stmxcsr|"
                   r"[slm]fence|prefetch\w*|clflush\w*|movnti|popcnt|lzcnt|tzcnt|movbe|crc32|rdpmc|"
                   r"sysenter|sysexit|monitor|mwait|xgetbv|rdrand|rdseed)$")
PREFIXES = ("lock", "rep", "repz", "repnz", "repe", "repne", "data16", "addr16", "cs", "ds", "es",
            "fs", "gs", "ss")


def newer_instruction(line):
    """The mnemonic of a disassembled line when the Pentium lacks it; None otherwise."""
    words = line.split("\t")[-1].split()
    while words and words[0] in PREFIXES:
        words = words[1:]
    if not words:
        return None
    operands = " ".join(words[1:])
    if NEWER.match(words[0]) or re.search(r"%[xy]?mm\d", operands):
        return words[0]
    return None


def check_cpu(exe):
    report = Report("cpu")
    found = {}
    instructions = functions(exe)
    for name, line in instructions:
        mnemonic = newer_instruction(line)
        if mnemonic:
            found.setdefault(name, []).append(mnemonic)
    for name, mnemonics in sorted(found.items()):
        report.check(False, f"{name} holds {len(mnemonics)} instruction(s) newer than the "
                     f"Pentium: {', '.join(sorted(set(mnemonics)))}")
    report.check(len(instructions) > 1000,
                 f"{len(instructions)} instructions read, none newer than the Pentium"
                 if not found else f"{len(instructions)} instructions read")
    return report.close()


def check_trace(table_path, log_path, exe, expected):
    """Calls whose return address lies in EXE's image: Wine's relay lines name the caller's
    return address ("ret=00401234")."""
    report = Report("trace")
    table = read_table(table_path)
    text = objdump("-f", "-p", exe)
    i686 = "pei-i386" in text
    base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", text).group(1), 16)
    size = int(re.search(r"SizeOfImage\s+([0-9a-fA-F]+)", text).group(1), 16)
    called = {}
    call = re.compile(r"Call (\w+)\.(\w+)\(.*\) ret=([0-9a-f]+)")
    with open(log_path, encoding="latin-1") as log:
        for line in log:
            m = call.search(line)
            if m and base <= int(m.group(3), 16) < base + size:
                key = (m.group(1).lower() + ".dll", m.group(2))
                called[key] = called.get(key, 0) + 1
    report.check(len(called) > 20, f"the trace shows {len(called)} functions called by the program")
    seen = {function for _, function in called}
    for function in expected:
        report.check(function in seen, f"the traced run called {function}")
    for (dll, function), count in sorted(called.items()):
        row = table.get((dll, function))
        # A function that a version lacks is called only where it was found (its fallback
        # serves the others); a stub is exported everywhere and fails when called.
        bad = [v for v in VERSIONS if row and (row[v] == "stub" or (
            row[v] == "no" and not row["note"].startswith("fallback:")))]
        print(f"called: {dll}!{function} {count}")
        if row is None and not i686:
            print(f"note: {dll}!{function} called {count} time(s), not in the table (x86_64 build)")
        elif row is None or bad:
            report.check(False, f"{dll}!{function} called {count} time(s): "
                         + ("not in the table" if row is None else f"{'/'.join(bad)}: "
                            f"{row[bad[0]]}"))
    return report.close()


def main(argv):
    if len(argv) >= 4 and argv[1] == "api":
        return check_api(argv[2], argv[3], argv[4:])
    if len(argv) == 3 and argv[1] == "cpu":
        return check_cpu(argv[2])
    if len(argv) >= 5 and argv[1] == "trace":
        return check_trace(argv[2], argv[3], argv[4], argv[5:])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
