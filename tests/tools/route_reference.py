#!/usr/bin/python3
"""An independent model of a route for the tests of korvane-route: the line
is given by its leg directions, the straights between the curves and each
curve's values; its curvature is integrated numerically (composite Simpson
on cos and sin of the heading, steps turning by at most 1/400 rad), the
tangent lengths of each curve come from that integration, and the IP
coordinates follow from them. Nothing of the library is used.

Usage:
  route_reference.py ips ROUTE OUT.csv ENCODING   writes the IP table (CSV)
  route_reference.py table ROUTE TABLE.csv ENCODING BPSTATION PITCH [BACK=AHEAD ...]
                                                  checks a coordinate table
ROUTE names one of the routes below. Exit status 0 when all holds.
"""

import csv
import io
import math
import re
import sys


def radians(degrees):
    return degrees * math.pi / 180


class Piece:
    """Curvature running linearly from k0 to k1 over the length; positive
    turns clockwise; jump is a change of direction at its start."""

    def __init__(self, length, k0, k1, jump=0.0):
        self.length, self.k0, self.k1, self.jump = length, k0, k1, jump

    def turned(self, t):
        rate = (self.k1 - self.k0) / self.length if self.length > 0 else 0.0
        return t * (self.k0 + rate * t / 2)

    def advance(self, x, y, heading, s):
        largest = max(abs(self.k0), abs(self.k1))
        n = max(1, math.ceil(max(s / 0.25, largest * s * 400)))
        h = s / n
        sx = sy = 0.0
        for k in range(n):
            t = k * h
            for u, w in ((0.0, 1.0), (0.5, 4.0), (1.0, 1.0)):
                a = heading + self.turned(t + u * h)
                sx += w * math.cos(a)
                sy += w * math.sin(a)
        return x + sx * h / 6, y + sy * h / 6, heading + self.turned(s)


class Line:
    """A chain of pieces from a start point and direction."""

    def __init__(self, x, y, heading, pieces):
        self.pieces = pieces
        self.starts = []
        for p in pieces:
            heading += p.jump
            self.starts.append((x, y, heading))
            x, y, heading = p.advance(x, y, heading, p.length)
        self.end = (x, y, heading)
        self.length = sum(p.length for p in pieces)

    def at(self, s):
        """(x, y, heading) at s; at a boundary, from the piece that begins there."""
        start = 0.0
        for p, (x, y, h) in zip(self.pieces, self.starts):
            if s < start + p.length:
                return p.advance(x, y, h, max(0.0, s - start))
            start += p.length
        return self.end


def curve_pieces(c, ia, side):
    """The pieces of a curve (dict of a1, r, a2, r2, am, lc) turning by ia."""
    a1, a2, r2, am, lc = (c.get(k, 0.0) for k in ("a1", "a2", "r2", "am", "lc"))
    r = c.get("r", 0.0) or math.sqrt((a1 * a1 + a2 * a2) / (2 * ia))
    last = r2 or r
    out, turn = [], 0.0
    if a1:
        out.append(Piece(a1 * a1 / r, 0.0, side / r))
        turn += a1 * a1 / (2 * r * r)
    if r2:
        lm = am * am * abs(1 / r2 - 1 / r)
        out += [Piece(lc, side / r, side / r), Piece(lm, side / r, side / r2)]
        turn += lc / r + lm * (1 / r + 1 / r2) / 2
    if a2:
        turn += a2 * a2 / (2 * last * last)
    if c.get("r"):
        out.append(Piece(last * (ia - turn), side / last, side / last))
    if a2:
        out.append(Piece(a2 * a2 / last, side / last, 0.0))
    return out


def tangents(c, ia):
    """TL1, TL2 of the integrated curve turning right by ia."""
    line = Line(0.0, 0.0, 0.0, curve_pieces(c, ia, 1.0))
    x, y, _ = line.end
    t2 = y / math.sin(ia)
    return x - t2 * math.cos(ia), t2


class Route:
    """legs: (direction in degrees, straight before the next curve);
    curves: one dict per IP between the legs ({} for a bend point);
    names: the main points expected in order."""

    def __init__(self, bp, legs, curves, names):
        self.bp, self.legs, self.curves, self.names = bp, legs, curves, names
        n = len(legs)
        ia, side, tl = [0.0] * (n + 1), [0.0] * (n + 1), [(0.0, 0.0)] * (n + 1)
        for i in range(1, n):
            change = math.remainder(radians(legs[i][0] - legs[i - 1][0]), 2 * math.pi)
            ia[i], side[i] = abs(change), (1.0 if change > 0 else -1.0)
            if curves[i - 1]:
                tl[i] = tangents(curves[i - 1], ia[i])
        self.points, pieces = [], []
        x, y = bp
        for i in range(n + 1):
            self.points.append((x, y))
            if 0 < i < n:
                c = curves[i - 1]
                pieces += curve_pieces(c, ia[i], side[i]) if c else [Piece(0.0, 0.0, 0.0, side[i] * ia[i])]
            if i == n:
                break
            straight = legs[i][1]
            if straight > 0:
                pieces.append(Piece(straight, 0.0, 0.0))
            length = tl[i][1] + straight + tl[i + 1][0]
            d = radians(legs[i][0])
            x, y = x + length * math.cos(d), y + length * math.sin(d)
        self.line = Line(bp[0], bp[1], radians(legs[0][0]), pieces)


def worked():
    """Three IPs: a basic curve meeting a second basic curve turning the
    other way in an S joint, then an egg curve (the route of the docs)."""
    return Route((-5000.0, 12000.0), [(60, 100), (95, 0), (55, 80), (120, 120)],
                 [{"a1": 110, "r": 200, "a2": 110},
                  {"a1": 120, "r": 250, "a2": 130},
                  {"a1": 130, "r": 300, "lc": 30, "am": 120, "r2": 150, "a2": 100}],
                 ["BP", "KA1-1", "KE1-1", "KE1-2", "KA1-2=KA2-1", "KE2-1", "KE2-2", "KA2-2",
                  "KA3-1", "KE3-1", "KEE3", "KAE3", "KE3-2", "KA3-2", "EP"])


ROUTES = {"worked": worked}

NUMBER = re.compile(r"^-?\d+\.\d{4}$")
ANGLE = re.compile(r"^(\d{3})°(\d{2})′(\d{2}\.\d)″$")
LABEL = re.compile(r"^NO\.(-?\d+)\+(\d+\.\d{3})$")


def write_ips(route, path, encoding):
    rows = [["点名", "X", "Y", "A1", "R", "A2", "R2", "AM", "LC"]]
    for i, (x, y) in enumerate(route.points):
        c = route.curves[i - 1] if 0 < i < len(route.points) - 1 else {}
        name = "BP" if i == 0 else "EP" if i == len(route.points) - 1 else f"IP{i}"
        rows.append([name, f"{x:.6f}", f"{y:.6f}"] + [f"{c[k]:g}" if k in c else "" for k in ("a1", "r", "a2", "r2", "am", "lc")])
    with open(path, "w", encoding=encoding, newline="") as out:
        csv.writer(out, lineterminator="\r\n").writerows(rows)
    return 0


def read_csv(path, encoding, problems):
    raw = open(path, "rb").read()
    if encoding == "utf-8-sig" and not raw.startswith(b"\xef\xbb\xbf"):
        problems.append("no byte-order mark")
    if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b""):
        problems.append("line ends are not CR LF throughout")
    return list(csv.reader(io.StringIO(raw.decode(encoding, errors="strict"), newline="")))


class Stations:
    """The station of every distance along the line: BP's station, then
    each equation "back = ahead" where the station reaches back."""

    def __init__(self, bp_station, equations, length):
        self.pieces = []  # (from, to, station at from)
        start, station = 0.0, bp_station
        for back, ahead in equations:
            at = start + (back - station)
            self.pieces.append((start, at, station))
            start, station = at, ahead
        self.pieces.append((start, length, station))

    def at(self, s):
        for start, end, station in reversed(self.pieces):
            if s >= start - 1e-9:
                return station + (s - start)
        return self.pieces[0][2] + s

    def full_stations(self, pitch):
        """(distance, number) of every multiple of the pitch, piece by piece;
        a piece holds its start, the last one its end too."""
        out = []
        for i, (start, end, station) in enumerate(self.pieces):
            last = i + 1 == len(self.pieces)
            top = station + (end - start)
            k = math.ceil((station - 1e-6) / pitch)
            while k * pitch < top - 1e-6 or (last and k * pitch <= top + 1e-6):
                out.append((start + k * pitch - station, k))
                k += 1
        return out


def check_rows(route, rows, stations, pitch, problems):
    """Each row against the integrated line at its 実距離, which the table
    rounds to 0.05 mm: across the line within the rounding of X and Y, along
    it within that and the rounding of 実距離, the direction within 0.05″ and
    the turn of the line over 0.05 mm."""
    worst = 0.0
    for r in rows:
        if not all(NUMBER.match(v) for v in r[2:6]) or not ANGLE.match(r[6]):
            problems.append(f"format of {r}")
            continue
        s = float(r[3])
        x, y, heading = route.line.at(s)
        dx, dy = float(r[4]) - x, float(r[5]) - y
        across = -dx * math.sin(heading) + dy * math.cos(heading)
        along = dx * math.cos(heading) + dy * math.sin(heading)
        worst = max(worst, abs(across))
        if abs(across) > 7.2e-5 or abs(along) > 1.22e-4:
            problems.append(f"{r[0]}: {r[4]} {r[5]} is {across * 1000:.4f} mm across and {along * 1000:.4f} mm along "
                            f"from the integrated line")
        deg, mnt, sec = (float(g) for g in ANGLE.match(r[6]).groups())
        curvature = max(abs(p.k0) + abs(p.k1) for p in route.line.pieces) if route.line.pieces else 0.0
        allowed = math.radians(0.0501 / 3600) + curvature * 5e-5
        if abs(math.remainder(math.radians(deg + mnt / 60 + sec / 3600) - heading, 2 * math.pi)) > allowed:
            problems.append(f"{r[0]}: direction {r[6]}, integrated {math.degrees(heading) % 360:.6f}°")
        if abs(float(r[2]) - stations.at(s)) > 1.1e-4:
            problems.append(f"{r[0]}: 追加距離 {r[2]}, expected {stations.at(s):.4f} at 実距離 {s}")
        n, m = LABEL.match(r[1]).groups()
        if abs(int(n) * pitch + float(m) - float(r[2])) > 6e-4:
            problems.append(f"{r[0]}: label {r[1]} is not at {r[2]}")
        if r[0].startswith("NO.") and (r[0] != f"NO.{n}" or float(m) != 0):
            problems.append(f"full station {r[0]} labelled {r[1]}")
    return worst


def check_stations(rows, stations, pitch, problems):
    """Every multiple of the pitch of each stretch between equations is a
    row NO.n at its place, or a main point stands there; no other NO.n."""
    expected = stations.full_stations(pitch)
    for s, k in expected:
        at = [r for r in rows if abs(float(r[3]) - s) < 1e-4]
        if not at or (at[0][0] != f"NO.{k}" and at[0][0].startswith("NO.")):
            problems.append(f"NO.{k} at {s:.4f} missing: {at}")
    listed = [r for r in rows if r[0].startswith("NO.")]
    if len(listed) > len(expected):
        problems.append(f"{len(listed)} full stations, at most {len(expected)} expected")


def check_table(route, path, encoding, bp_station, pitch, equations):
    problems = []
    rows = read_csv(path, encoding, problems)
    if rows[0] != ["点名", "測点", "追加距離", "実距離", "X", "Y", "方向角"]:
        problems.append(f"header {rows[0]}")
    rows = rows[1:]
    names = [r[0] for r in rows if not r[0].startswith("NO.")]
    if names != route.names:
        problems.append(f"main points {names}, expected {route.names}")
    stations = Stations(bp_station, equations, route.line.length)
    worst = check_rows(route, rows, stations, pitch, problems)
    check_stations(rows, stations, pitch, problems)
    if abs(float(rows[-1][3]) - route.line.length) > 1e-4:
        problems.append(f"EP at {rows[-1][3]}, integrated length {route.line.length:.6f}")
    for p in problems:
        print(p)
    print(f"{len(rows)} rows, largest distance across the integrated line {worst * 1000:.4f} mm")
    return 1 if problems else 0


def main(argv):
    if len(argv) >= 5 and argv[1] == "ips":
        return write_ips(ROUTES[argv[2]](), argv[3], argv[4])
    if len(argv) >= 7 and argv[1] == "table":
        equations = [tuple(float(v) for v in e.split("=")) for e in argv[7:]]
        return check_table(ROUTES[argv[2]](), argv[3], argv[4], float(argv[5]), float(argv[6]), equations)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
