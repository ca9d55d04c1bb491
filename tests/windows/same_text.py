#!/usr/bin/env python3
"""Compares a text file written on Windows with the same file written on
Linux: every line of the Windows file ends in CR LF, the Linux file has no
CR, and with each CR LF read as LF the two are byte-identical.

Usage: same_text.py WINDOWS_FILE LINUX_FILE
Exit status 0 when they match; otherwise the first difference is printed.
"""
import sys


def crlf_fault(data):
    """The first line end of data that is not CR LF, or None."""
    lone_lf = data.replace(b"\r\n", b"  ").find(b"\n")
    lone_cr = data.replace(b"\r\n", b"  ").find(b"\r")
    for index, what in ((lone_lf, "LF without CR"), (lone_cr, "CR without LF")):
        if index >= 0:
            return f"{what} at byte {index} (line {data[:index].count(10) + 1})"
    if data and not data.endswith(b"\r\n"):
        return "the last line has no line end"
    return None


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], "rb") as file:
        windows = file.read()
    with open(argv[2], "rb") as file:
        linux = file.read()
    problems = []
    fault = crlf_fault(windows)
    if fault:
        problems.append(f"{argv[1]}: {fault}")
    if b"\r" in linux:
        problems.append(f"{argv[2]}: holds a CR")
    converted = windows.replace(b"\r\n", b"\n")
    if converted != linux:
        at = next((i for i, (a, b) in enumerate(zip(converted, linux)) if a != b), min(len(converted), len(linux)))
        line = linux.count(b"\n", 0, at) + 1
        problems.append(f"differs from {argv[2]} at line {line} (byte {at} of the Linux file; "
                        f"{len(converted)} against {len(linux)} bytes)")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
