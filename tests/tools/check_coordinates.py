#!/usr/bin/python3
"""Reads a coordinate table (CSV) and the J-LandXML file of the same design
back with Python's own readers and checks that they agree with each other and
with the placement.

Usage: check_coordinates.py TABLE.csv FILE.xml ENCODING PITCH BPX BPY IPX IPY EPX EPY

ENCODING is cp932 or utf-8-sig (the table must then begin with a byte-order
mark). Exit status 0 when everything holds, 1 with the reasons otherwise.
"""

import csv
import io
import math
import re
import sys
import xml.etree.ElementTree as ET

NS = {"l": "http://www.landxml.org/schema/LandXML-1.2"}
HEADER = ["点名", "測点", "追加距離", "X", "Y", "方向角"]
MAIN = ["BP", "KA1", "KE1", "KE2", "KA2", "EP"]
ANGLE = re.compile(r"^(\d{3})°(\d{2})′(\d{2}\.\d)″$")
LABEL = re.compile(r"^NO\.(-?\d+)\+(\d+\.\d{3})$")
NUMBER = re.compile(r"^-?\d+\.\d{4}$")


def read_table(path, encoding, problems):
    raw = open(path, "rb").read()
    if encoding == "utf-8-sig" and not raw.startswith(b"\xef\xbb\xbf"):
        problems.append("no byte-order mark")
    if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b""):
        problems.append("line ends are not CR LF throughout")
    rows = list(csv.reader(io.StringIO(raw.decode(encoding, errors="strict"), newline="")))
    if rows[0] != HEADER:
        problems.append(f"header {rows[0]}")
    return rows[1:]


def check_rows(rows, pitch, given, problems):
    names = [r[0] for r in rows]
    if [n for n in names if n in MAIN] != MAIN or names[0] != "BP" or names[-2:] != ["EP", "IP"]:
        problems.append(f"main points out of order: {names}")
    for r in rows:
        if not (NUMBER.match(r[2]) and NUMBER.match(r[3]) and NUMBER.match(r[4]) and ANGLE.match(r[5])):
            problems.append(f"format: {r}")
        n, m = LABEL.match(r[1]).groups()
        if abs(int(n) * pitch + float(m) - float(r[2])) > 0.0006:
            problems.append(f"label {r[1]} is not at {r[2]}")
        if r[0].startswith("NO.") and abs(math.remainder(float(r[2]), pitch)) > 1e-4:
            problems.append(f"station {r[0]} not on the pitch")
    for name, (x, y) in given.items():
        row = rows[names.index(name)]
        if abs(float(row[3]) - x) > 5e-5 or abs(float(row[4]) - y) > 5e-5:
            problems.append(f"{name} at {row[3]} {row[4]}, given {x} {y}")
    line = rows[:-1]
    for a, b in zip(line, line[1:]):
        step = float(b[2]) - float(a[2])
        chord = math.dist((float(a[3]), float(a[4])), (float(b[3]), float(b[4])))
        if step < 0 or chord > step + 2e-4:
            problems.append(f"{a[0]}→{b[0]}: chord {chord:.4f} longer than the 追加距離 step {step:.4f}")
        on_tangent = names.index(b[0]) <= names.index("KA1") or names.index(a[0]) >= names.index("KA2")
        if on_tangent and step > 0:
            d = math.degrees(math.atan2(float(b[4]) - float(a[4]), float(b[3]) - float(a[3]))) % 360
            deg, mnt, sec = (float(g) for g in ANGLE.match(a[5]).groups())
            if abs(step - chord) > 2e-4 or abs(math.remainder(d - (deg + mnt / 60 + sec / 3600), 360)) > 1e-3:
                problems.append(f"{a[0]}→{b[0]} is not straight along {a[5]}")


def check_landxml(rows, path, problems):
    root = ET.parse(path).getroot()
    points = root.findall("l:CgPoints/l:CgPoint", NS)
    features = {f.get("name"): f for f in root.findall("l:CgPoints/l:Feature", NS)}
    if len(points) != len(rows):
        problems.append(f"{len(points)} CgPoints for {len(rows)} rows")
    for p, r in zip(points, rows):
        north, east = (float(v) for v in p.text.split())
        sta = features[p.get("featureRef")].find("l:Property[@label='sta']", NS).get("value")
        if abs(north - float(r[3])) > 5.1e-5 or abs(east - float(r[4])) > 5.1e-5 or abs(float(sta) - float(r[2])) > 5.1e-5:
            problems.append(f"CgPoint {p.get('name')} differs from row {r}")
    geometry = root.find("l:Alignments/l:Alignment/l:CoordGeom", NS)
    ends = [(e.find("l:Start", NS).text, e.find("l:End", NS).text) for e in geometry]
    for (_, end), (start, _) in zip(ends, ends[1:]):
        if end != start:
            problems.append(f"elements do not share {end} / {start}")


def main(argv):
    table, landxml, encoding, pitch = argv[1], argv[2], argv[3], float(argv[4])
    c = [float(v) for v in argv[5:11]]
    given = {"BP": (c[0], c[1]), "IP": (c[2], c[3]), "EP": (c[4], c[5])}
    problems = []
    rows = read_table(table, encoding, problems)
    check_rows(rows, pitch, given, problems)
    check_landxml(rows, landxml, problems)
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
