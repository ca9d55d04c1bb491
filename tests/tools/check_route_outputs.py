#!/usr/bin/python3
"""Reads the outputs korvane-route wrote for a route back with readers of
their own (Python's csv and XML readers, a SIMA reader written here) and
checks them against the coordinate table of the same run and against the
geometry they must have.

Usage:
  check_route_outputs.py stakes STAKES.csv TABLE.csv ENCODING LEFT RIGHT
  check_route_outputs.py sima FILE.sim TABLE.csv ENCODING
  check_route_outputs.py landxml FILE.xml TABLE.csv ENCODING IPS.csv [BACK=AHEAD@INTERNAL ...]
  check_route_outputs.py report FILE.txt ENCODING TABLE.csv TABLE_ENCODING
Exit status 0 when everything holds, 1 with the reasons otherwise.
"""

import csv
import io
import math
import re
import sys
import xml.etree.ElementTree as ET

NS = {"l": "http://www.landxml.org/schema/LandXML-1.2"}
ANGLE = re.compile(r"^(\d{3})°(\d{2})′(\d{2}\.\d)″$")


def read_text(path, encoding, problems):
    raw = open(path, "rb").read()
    if encoding == "utf-8-sig" and not raw.startswith(b"\xef\xbb\xbf"):
        problems.append(f"{path}: no byte-order mark")
    if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b""):
        problems.append(f"{path}: line ends are not CR LF throughout")
    return raw.decode(encoding, errors="strict")


def read_table(path, encoding, problems):
    return list(csv.reader(io.StringIO(read_text(path, encoding, problems), newline="")))[1:]


def direction(text):
    deg, mnt, sec = (float(g) for g in ANGLE.match(text).groups())
    return math.radians(deg + mnt / 60 + sec / 3600)


def check_stakes(path, table_path, encoding, left, right):
    """Each stake lies at its width from its row's centre point, square to
    the row's direction, on its side (a bend point's stake on the bisector,
    farther out, is the one exception and must keep the width from both legs)."""
    problems = []
    table = read_table(table_path, encoding, problems)
    stakes = list(csv.reader(io.StringIO(read_text(path, encoding, problems), newline="")))
    if stakes[0] != ["点名", "測点", "追加距離", "左右", "幅", "X", "Y"]:
        problems.append(f"header {stakes[0]}")
    stakes = stakes[1:]
    sides = [("左", -1, left), ("右", 1, right)]
    expected = [(r, s) for r in table for s in sides if s[2] > 0]
    if len(stakes) != len(expected):
        problems.append(f"{len(stakes)} stakes for {len(table)} rows")
    for stake, (row, (side, sign, width)) in zip(stakes, expected):
        if stake[:3] != row[:3] or stake[3] != side or float(stake[4]) != width:
            problems.append(f"stake {stake} for row {row[:3]} {side} {width}")
            continue
        d = direction(row[6])
        dx, dy = float(stake[5]) - float(row[4]), float(stake[6]) - float(row[5])
        across = -dx * math.sin(d) + dy * math.cos(d)  # positive to the right
        along = dx * math.cos(d) + dy * math.sin(d)
        if abs(across - sign * width) > 1.5e-4 or abs(along) > 1.5e-4:
            problems.append(f"{row[0]} {side}: {across:.5f} across, {along:.5f} along")
    return report(problems, f"{len(stakes)} stakes")


def check_sima(path, table_path, encoding):
    """The records in the order of the format: header, coordinate records of
    every table row in order (point numbers 1..n, names, X, Y as in the
    table), the centre line as one chain of those points, the end record."""
    problems = []
    table = read_table(table_path, encoding, problems)
    records = [line.split(",") for line in read_text(path, "cp932", problems).split("\r\n")[:-1]]
    n = len(table)
    kinds = [r[0] for r in records]
    expected = ["G00", "Z00", "A00"] + ["A01"] * n + ["A99", "Z00", "D00"] + ["B01"] * n + ["D99", "A99"]
    if kinds != expected:
        problems.append(f"records {kinds[:6]}…, expected {expected[:6]}…")
        return report(problems, "")
    if records[1][1] != "座標データ" or records[n + 4][1] != "区画データ" or records[-1][1] != "END":
        problems.append("section records")
    for k, row in enumerate(table):
        a = records[3 + k]
        b = records[n + 6 + k]
        if a[1:6] != [str(k + 1), row[0], row[4], row[5], ""]:
            problems.append(f"A01 {a} for row {row}")
        if b[1:3] != [str(k + 1), row[0]]:
            problems.append(f"B01 {b} for row {row}")
    return report(problems, f"{n} points and the chain of them")


def element_points(element):
    def point(tag):
        e = element.find(f"l:{tag}", NS)
        return None if e is None else tuple(float(v) for v in e.text.split()), None if e is None else e.get("name")
    return point("Start"), point("End")


def check_landxml(path, table_path, encoding, ips_path, equations):
    """CgPoints are the table's rows; the CoordGeom chain is continuous, as
    long as the line, without a Line shorter than 1 mm (none at an S joint),
    its named ends the table's main points in order; AlignPIs are the IP
    table's points; each station equation stands where expected."""
    problems = []
    table = read_table(table_path, encoding, problems)
    root = ET.parse(path).getroot()
    points = root.findall("l:CgPoints/l:CgPoint", NS)
    features = {f.get("name"): f for f in root.findall("l:CgPoints/l:Feature", NS)}
    if len(points) != len(table):
        problems.append(f"{len(points)} CgPoints for {len(table)} rows")
    for p, r in zip(points, table):
        north, east = (float(v) for v in p.text.split())
        sta = float(features[p.get("featureRef")].find("l:Property[@label='sta']", NS).get("value"))
        if abs(north - float(r[4])) > 5.1e-5 or abs(east - float(r[5])) > 5.1e-5 or abs(sta - float(r[2])) > 5.1e-5:
            problems.append(f"CgPoint {p.get('name')} differs from row {r}")
    alignment = root.find("l:Alignments/l:Alignment", NS)
    elements = list(alignment.find("l:CoordGeom", NS))
    total, previous, names = 0.0, None, []
    for e in elements:
        (start, start_name), (end, end_name) = element_points(e)
        length = float(e.get("length"))
        total += length
        if e.tag.endswith("Line") and length < 1e-3:
            problems.append(f"a Line of {length} m")
        if previous is not None and math.dist(previous, start) > 2e-6:
            problems.append(f"gap of {math.dist(previous, start)} m before a {e.tag}")
        for name in (start_name, end_name):
            if name and (not names or names[-1] != name):
                names.append(name)
        previous = end
    mains = [r[0] for r in table if not r[0].startswith("NO.")]
    if names != mains:
        problems.append(f"element ends named {names}, main points {mains}")
    if abs(total - float(alignment.get("length"))) > 1e-5 or abs(total - float(table[-1][3])) > 1e-4:
        problems.append(f"elements {total} m long, Alignment {alignment.get('length')}, table {table[-1][3]}")
    ips = list(csv.reader(io.StringIO(open(ips_path, encoding="cp932").read())))[1:]
    pis = [tuple(float(v) for v in pi.text.split()) for pi in alignment.findall("l:AlignPIs/l:AlignPI/l:PI", NS)]
    if [(round(x, 6), round(y, 6)) for x, y in pis] != [(round(float(r[1]), 6), round(float(r[2]), 6)) for r in ips]:
        problems.append("AlignPIs are not the IP table's points")
    found = [(float(q.get("staBack")), float(q.get("staAhead")), float(q.get("staInternal")))
             for q in alignment.findall("l:StaEquation", NS)]
    wanted = [tuple(float(v) for v in re.split("[=@]", e)) for e in equations]
    if len(found) != len(wanted) or any(max(abs(a - b) for a, b in zip(f, w)) > 1e-6 for f, w in zip(found, wanted)):
        problems.append(f"StaEquations {found}, expected {wanted}")
    return report(problems, f"{len(elements)} elements, {len(points)} CgPoints")


def check_report(path, encoding, table_path, table_encoding):
    """The sections in order, and every row of the table among the main
    points and stations, with its numbers as the table has them."""
    problems = []
    text = read_text(path, encoding, problems)
    lines = text.split("\r\n")
    headings = [l for l in lines if l.startswith("■ ")]
    if lines[0] != "線形計算書" or headings != ["■ 計算条件", "■ IP 表", "■ 曲線要素", "■ 主要点・測点", "■ 照査"]:
        problems.append(f"title {lines[0]}, sections {headings}")
    start = lines.index("■ 主要点・測点") + 3
    for row, line in zip(read_table(table_path, table_encoding, problems), lines[start:]):
        cells = line.split()
        if cells[0] != row[0] or cells[1] != row[1] or cells[2] != row[2] or cells[-3:] != row[4:7]:
            problems.append(f"sheet line {line!r} for row {row}")
    return report(problems, f"{len(lines)} lines")


def report(problems, summary):
    for p in problems:
        print(p)
    print(summary)
    return 1 if problems else 0


def main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "stakes" and len(argv) == 7:
        return check_stakes(argv[2], argv[3], argv[4], float(argv[5]), float(argv[6]))
    if command == "sima" and len(argv) == 5:
        return check_sima(argv[2], argv[3], argv[4])
    if command == "landxml" and len(argv) >= 6:
        return check_landxml(argv[2], argv[3], argv[4], argv[5], argv[6:])
    if command == "report" and len(argv) == 6:
        return check_report(argv[2], argv[3], argv[4], argv[5])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
