#!/usr/bin/env python3
"""The folders of src/ are layers: a file includes only its own folder and the folders below it.

Prints each folder with what it includes, then every include that runs upward or sideways,
and exits 1 when there is one; with --quiet, only the faults. Every build runs it (quietly)
before compiling, and `make check` prints it whole.
"""
import os
import re
import sys

# Bottom first. A folder may include the folders listed before it, never one after it.
LAYERS = [
    "platform",   # the narrow interfaces to Windows
    "database",   # SQLite over the platform's held files
    "crypto",
    "ui",         # control models
    "report",     # run-time errors and the error reporter
    "settings",   # the per-user store
    "erase",      # a run's flags, plans, held-handle walks and removal
    "cookies",
    "clean",      # what each item does
    "browsers",   # the browsers' profiles, read from their own files, and whether they run
    "engine",     # the catalogue and the one executor
    "app",        # the session, the main window's models, the run as the window shows it
    "sysinfo",
    "upgrade",
    "shredder",
    "panic",
    "schedule",
    "custom",
    "preview",
    "program",    # the program: start-up, closing, the command line, saved selections
    "view",       # the real windows and the entry point
]
# Separate programs of their own, which include nothing of the above.
APART = ["companion"]
# Implementations of platform's interfaces, included only where the machine is put together.
PLATFORM_IMPLEMENTATIONS = {"platform/win32": {"view"}, "platform/sim": set()}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def main(root, quiet):
    src = os.path.join(root, "src")
    folders = sorted(d for d in os.listdir(src) if os.path.isdir(os.path.join(src, d)))
    unknown = [d for d in folders if d not in LAYERS and d not in APART]
    faults = ["src/%s/: a folder no layer names" % d for d in unknown]
    rank = {name: i for i, name in enumerate(LAYERS)}
    uses = {d: set() for d in folders}
    for folder in folders:
        for base, _, files in os.walk(os.path.join(src, folder)):
            for name in sorted(files):
                path = os.path.join(base, name)
                rel = os.path.relpath(path, root)
                own = os.path.relpath(base, src).replace(os.sep, "/")
                with open(path, encoding="latin-1") as text:
                    for number, line in enumerate(text, 1):
                        match = INCLUDE.match(line)
                        if not match or "/" not in match.group(1):
                            continue
                        target = match.group(1).split("/")[0]
                        if target not in folders:
                            continue
                        where = "%s:%d: includes %s" % (rel, number, match.group(1))
                        for impl, allowed in PLATFORM_IMPLEMENTATIONS.items():
                            if match.group(1).startswith(impl + "/") and not own.startswith(impl) \
                                    and folder not in allowed:
                                faults.append(where + " (only %s may)" % (", ".join(sorted(allowed)) or impl))
                        if target == folder:
                            continue
                        uses[folder].add(target)
                        if folder in APART or target in APART:
                            faults.append(where + " (a separate program)")
                        elif folder in rank and target in rank and rank[target] > rank[folder]:
                            faults.append(where + " (upward: %s lies above %s)" % (target, folder))
    for folder in [] if quiet else LAYERS + APART:
        if folder in uses:
            below = " ".join(sorted(uses[folder], key=lambda d: rank.get(d, -1))) or "-"
            print("%-9s -> %s" % (folder, below))
    for fault in faults:
        print(fault)
    if quiet and not faults:
        return 0
    print("layers: %d folders, %d includes across folders, %d upward" %
          (len(folders), sum(len(v) for v in uses.values()), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if a != "--quiet"]
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(args[0] if args else here, "--quiet" in sys.argv[1:]))
