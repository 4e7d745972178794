#!/usr/bin/env python3
"""Checks that Windows programs load and work on every Windows they name.

    check-imports.py OBJDUMP AVAILABILITY.tsv PROGRAM.exe...

Reads each program's import tables (`objdump -p`) and fails, one line per
fault, on
- an import that the table does not list for every one of Windows 95 OSR2,
  98, ME, NT 4.0, 2000 and XP (Windows 95 RTM lacks msvcrt.dll, which
  Internet Explorer 4 or later brings);
- a wide (W) function that Windows 95, 98 and ME only stub;
- an OS or subsystem version above 4.0 in the PE header, which older
  loaders refuse;
- debug sections, which a shipped program has no use for.
"""
import re
import subprocess
import sys

SYSTEMS = ("95osr2", "98", "ME", "NT4", "2000", "XP")

# The wide functions that Windows 95, 98 and ME implement for real.
REAL_ON_9X = {"MessageBoxW", "MessageBoxExW", "TextOutW", "ExtTextOutW", "GetCharWidthW",
              "GetTextExtentPointW", "GetTextExtentPoint32W", "lstrlenW"}

# msvcrt's own names ending in W (wcs... functions are lower case) are not
# Windows' wide entry points.
WIDE_ENTRY = re.compile(r"[a-z0-9]W$")


def load_table(path):
    where = {}
    with open(path, encoding="utf-8") as table:
        for line in table:
            if line.startswith("#") or not line.strip():
                continue
            dll, function, systems = line.rstrip("\n").split("\t")
            where[(dll.upper(), function)] = set(systems.split())
    return where


def read_program(objdump, program):
    """The header versions, the imports as (DLL, name) and the section names."""
    text = subprocess.run([objdump, "-p", "-h", program], check=True, capture_output=True,
                          text=True).stdout
    versions = {}
    for field in ("MajorOSystemVersion", "MinorOSystemVersion", "MajorSubsystemVersion",
                  "MinorSubsystemVersion"):
        found = re.search(r"^%s\s+(\d+)" % field, text, re.MULTILINE)
        versions[field] = int(found.group(1)) if found else None
    imports = []
    dll = None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1).upper()
            dll = dll[:-4] if dll.endswith(".DLL") else dll
            continue
        if dll is None:
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)
        if entry:
            imports.append((dll, entry.group(2)))
        elif re.match(r"\s+[0-9a-f]+\s+[0-9a-f]+\s+[0-9a-f]+", line) or not line.strip():
            dll = None  # the end of this DLL's list
    sections = re.findall(r"^\s*\d+\s+(\.\S+)\s+[0-9a-f]{8}", text, re.MULTILINE)
    return versions, imports, sections


def faults_of(program, versions, imports, sections, table):
    faults = []
    for kind in ("OSystem", "Subsystem"):
        major = versions["Major%sVersion" % kind]
        minor = versions["Minor%sVersion" % kind]
        if major is None or (major, minor) > (4, 0):
            faults.append("%s: %s version %s.%s is above 4.0" % (
                program, "OS" if kind == "OSystem" else "subsystem", major, minor))
    for dll, function in imports:
        missing = [s for s in SYSTEMS if s not in table.get((dll, function), set())]
        if missing:
            faults.append("%s: %s!%s is missing on %s" % (program, dll, function, " ".join(missing)))
        if dll != "MSVCRT" and WIDE_ENTRY.search(function) and function not in REAL_ON_9X:
            faults.append("%s: %s!%s is only a stub on Windows 95, 98 and ME" % (program, dll, function))
    debug = [name for name in sections if name.startswith(".debug")]
    if debug:
        faults.append("%s: debug sections %s" % (program, " ".join(debug)))
    return faults


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    objdump, table_path, programs = argv[1], argv[2], argv[3:]
    table = load_table(table_path)
    faults = []
    for program in programs:
        versions, imports, sections = read_program(objdump, program)
        if not imports:
            faults.append("%s: no import table found" % program)
        faults += faults_of(program.rsplit("/", 1)[-1], versions, imports, sections, table)
        print("%s: %d imports read" % (program, len(imports)))
    for fault in faults:
        print(fault)
    print("%d fault(s)" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
