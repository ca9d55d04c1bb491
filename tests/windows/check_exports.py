#!/usr/bin/env python3
"""Checks the export table of the 32-bit korvane.dll with the cross objdump:
exactly the names below (the four exports and the message hook, the three
exports of the world placement, the eight of routes and the two of LandXML),
undecorated, and each function __stdcall (it pops its own arguments: every
return is "ret $N" with N = 4 x arguments).
The 32-bit DLL cannot be run on this machine, so its code is read instead.

Usage: check_exports.py OBJDUMP KORVANE.DLL
"""
import re
import subprocess
import sys

# Exported name -> number of 32-bit arguments.
EXPECTED = {
    "setteifincls": 1,
    "setteifin": 2,
    "data_chekvb": 1,
    "save_DXF": 4,
    "korvane_set_message_handler": 1,
    "korvane_placement_angle": 3,
    "korvane_coordinate_table": 4,
    "korvane_landxml": 3,
    "korvane_route_check": 2,
    "korvane_route_table": 4,
    "korvane_route_stakes": 4,
    "korvane_route_sima": 3,
    "korvane_route_landxml": 3,
    "korvane_route_report": 4,
    "korvane_route_save": 3,
    "korvane_landxml_alignments": 2,
    "korvane_landxml_to_route": 3,
    "korvane_route_plan": 5,
}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def export_table(headers):
    """(image base, {name: rva}) from objdump -p."""
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", headers, re.M).group(1), 16)
    addresses = {}
    section = headers.split("Export Address Table -- Ordinal Base", 1)
    if len(section) < 2:
        raise SystemExit("no export table")
    for match in re.finditer(r"^\s*\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-fA-F]+) Export RVA", section[1], re.M):
        addresses[int(match.group(1))] = int(match.group(2), 16)
    names_part = section[1].split("[Ordinal/Name Pointer] Table", 1)[1]
    rvas = {}
    for line in names_part.splitlines()[1:]:
        match = re.match(r"^\s*\[\s*(\d+)\] (\S+)\s*$", line)
        if not match:
            break
        rvas[match.group(2)] = addresses.get(int(match.group(1)))
    return base, rvas


def functions(disassembly):
    """{address: (label, [instruction lines])} from objdump -d."""
    result = {}
    current = None
    for line in disassembly.splitlines():
        label = re.match(r"^([0-9a-f]+) <(.+)>:$", line)
        if label:
            current = (label.group(2), [])
            result[int(label.group(1), 16)] = current
        elif current is not None and line.strip():
            current[1].append(line)
    return result


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    objdump, dll = argv[1], argv[2]
    base, rvas = export_table(run(objdump, "-p", dll))
    code = functions(run(objdump, "-d", "--no-show-raw-insn", dll))
    problems = []
    if set(rvas) != set(EXPECTED):
        problems.append(f"exported names {sorted(rvas)}, expected {sorted(EXPECTED)}")
    print(f"{'name':30} {'RVA':>8}  {'symbol':34} returns")
    for name, rva in sorted(rvas.items()):
        label, body = code.get(base + rva, ("?", [])) if rva is not None else ("?", [])
        returns = sorted({re.sub(r"^\s*[0-9a-f]+:\s*", "", l).strip() for l in body if re.search(r"\sret", l)})
        print(f"{name:30} {rva or 0:8x}  {label:34} {', '.join(returns) or '-'}")
        if name not in EXPECTED:
            continue
        pops = 4 * EXPECTED[name]
        if not re.fullmatch(rf"_?{re.escape(name)}(@{pops})?", label):
            problems.append(f"{name}: its address holds {label}, not the function")
        if not returns or returns != [f"ret    $0x{pops:x}"]:
            problems.append(f"{name}: returns with {returns or 'nothing'}, expected ret $0x{pops:x} (__stdcall)")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
