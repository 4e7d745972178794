#!/usr/bin/env python3
"""Shows that the import check fails a program that breaks its rules:
    check-catches-bad.py OBJDUMP AVAILABILITY.tsv bad_imports.exe"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# What bad_imports.cpp was built to break, and how the check must say so.
EXPECTED = [
    "bad_imports.exe: OS version 6.0 is above 4.0",
    "bad_imports.exe: subsystem version 6.0 is above 4.0",
    "bad_imports.exe: KERNEL32!CreateFileW is only a stub on Windows 95, 98 and ME",
    "bad_imports.exe: KERNEL32!CreateHardLinkA is missing on 95osr2 98 ME NT4",
    "bad_imports.exe: KERNEL32!GetTickCount64 is missing on 95osr2 98 ME NT4 2000 XP",
]

objdump, table, program = sys.argv[1:4]
run = subprocess.run([sys.executable, os.path.join(HERE, "check-imports.py"), objdump, table, program],
                     capture_output=True, text=True)
lines = run.stdout.splitlines()
failed = False
if run.returncode != 1:
    print("expected exit status 1, got %d" % run.returncode)
    failed = True
for line in EXPECTED:
    if line not in lines:
        print("expected the line: %s" % line)
        failed = True
if not any(line.startswith("bad_imports.exe: debug sections .debug") for line in lines):
    print("expected the line: bad_imports.exe: debug sections .debug...")
    failed = True
if failed:
    print("actual output:\n" + run.stdout + run.stderr)
    sys.exit(1)
print("the check caught every fault of bad_imports.exe")
