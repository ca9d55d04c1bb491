#!/usr/bin/python3
"""Checks that a drawing is a valid DXF that real readers open cleanly.

Usage: check_dxf.py PATH [--features LAYER=N ...] [--dashed LAYER ...] [EXPECTED_TEXT ...]

PATH must
  - decode strictly as cp932 and consist of group code / value pairs,
  - carry every handle (group 5) once only, each below $HANDSEED,
  - define in its own tables every layer, line type and text style that an
    entity or a layer names,
  - be read by ezdxf.recover.readfile with no error and nothing fixed by the
    loader or the auditor,
  - hold every EXPECTED_TEXT (UTF-8 on the command line) as the content of a
    TEXT entity, decoded correctly by ezdxf;
  - with --features: hold N entities on LAYER (a POLYLINE with its vertices
    counting one), and be read by GDAL (ogrinfo, gdal-bin) into the same
    number of features on every layer of the file;
  - with --dashed: give LAYER a line type whose pattern has dashes and gaps,
    as ezdxf reads it.

Exit status 0 when the drawing passes, 1 with the reasons otherwise.
"""

import logging
import sys

# Line types every reader knows without a table entry.
IMPLICIT_LINETYPES = {"BYLAYER", "BYBLOCK"}


def read_pairs(raw, problems):
    try:
        text = raw.decode("cp932", errors="strict")
    except UnicodeDecodeError as error:
        problems.append(f"not cp932: {error}")
        return []
    lines = text.splitlines()
    if len(lines) % 2:
        problems.append(f"odd number of lines ({len(lines)}): a group code lacks its value")
        lines = lines[:-1]
    pairs = []
    for i in range(0, len(lines), 2):
        code = lines[i].strip()
        try:
            pairs.append((int(code), lines[i + 1]))
        except ValueError:
            problems.append(f"line {i + 1}: {code!r} is not a group code")
            return pairs
    return pairs


def split_sections(pairs, problems):
    """{section name: [records]}, a record being the list of pairs of one
    entity or table entry (starting with its group 0)."""
    sections = {}
    i = 0
    if not pairs or pairs[-1] != (0, "EOF"):
        problems.append("the file does not end with 0/EOF")
    while i < len(pairs):
        code, value = pairs[i]
        if (code, value) == (0, "EOF"):
            if i != len(pairs) - 1:
                problems.append("content after EOF")
            break
        if (code, value) != (0, "SECTION") or i + 1 >= len(pairs) or pairs[i + 1][0] != 2:
            problems.append(f"pair {i}: expected 0/SECTION with its name, found {code}/{value!r}")
            return sections
        name = pairs[i + 1][1].strip()
        i += 2
        records = []
        while i < len(pairs) and pairs[i] != (0, "ENDSEC"):
            if pairs[i][0] == 0:
                records.append([pairs[i]])
            elif records:
                records[-1].append(pairs[i])
            else:
                records.append([pairs[i]])
            i += 1
        if i >= len(pairs):
            problems.append(f"section {name} is not closed by 0/ENDSEC")
        sections[name] = records
        i += 1
    return sections


def header_variables(records):
    variables = {}
    for record in records:
        current = None
        for code, value in record:
            if code == 9:
                current = value.strip()
                variables[current] = []
            elif current is not None:
                variables[current].append((code, value.strip()))
    return variables


def table_entries(records):
    """{table name: set of entry names} from the TABLES section."""
    tables = {}
    current = None
    for record in records:
        kind = record[0][1].strip()
        if kind == "TABLE":
            current = next((v.strip() for c, v in record if c == 2), None)
            tables.setdefault(current, set())
        elif kind == "ENDTAB":
            current = None
        elif current is not None:
            name = next((v.strip() for c, v in record if c == 2), None)
            if name is not None:
                tables[current].add(name.upper())
    return tables


def check_structure(raw, problems):
    """The entity count per layer when the structure holds, else None."""
    pairs = read_pairs(raw, problems)
    if problems:
        return None
    sections = split_sections(pairs, problems)
    variables = header_variables(sections.get("HEADER", []))

    seed = None
    handseed = variables.get("$HANDSEED")
    if handseed:
        try:
            seed = int(handseed[0][1], 16)
        except ValueError:
            problems.append(f"$HANDSEED {handseed[0][1]!r} is not hexadecimal")
    if variables.get("$HANDLING", [(70, "0")])[0][1] != "1":
        problems.append("$HANDLING is not 1")

    seen = {}
    for section, records in sections.items():
        if section == "HEADER":  # $HANDSEED's own group 5 is no handle
            continue
        for record in records:
            for code, value in record:
                if code != 5:
                    continue
                try:
                    handle = int(value.strip(), 16)
                except ValueError:
                    problems.append(f"{section}: handle {value!r} is not hexadecimal")
                    continue
                if handle in seen:
                    problems.append(f"handle {value.strip()} used twice ({seen[handle]} and {record[0][1]})")
                seen[handle] = record[0][1]
                if seed is None:
                    problems.append(f"handle {value.strip()} without $HANDSEED")
                elif handle >= seed:
                    problems.append(f"handle {value.strip()} not below $HANDSEED {handseed[0][1]}")

    tables = table_entries(sections.get("TABLES", []))
    layers = tables.get("LAYER", set())
    linetypes = tables.get("LTYPE", set()) | IMPLICIT_LINETYPES
    styles = tables.get("STYLE", set())

    for record in sections.get("TABLES", []):
        if record[0][1].strip() == "LAYER":
            for code, value in record:
                if code == 6 and value.strip().upper() not in linetypes:
                    problems.append(f"layer uses undefined line type {value.strip()}")
    for section in ("ENTITIES", "BLOCKS"):
        for record in sections.get(section, []):
            kind = record[0][1].strip()
            for code, value in record:
                name = value.strip().upper()
                if code == 8 and name not in layers:
                    problems.append(f"{kind} on undefined layer {value.strip()}")
                elif code == 6 and name not in linetypes:
                    problems.append(f"{kind} with undefined line type {value.strip()}")
                elif code == 7 and kind in ("TEXT", "ATTRIB", "ATTDEF") and name not in styles:
                    problems.append(f"{kind} with undefined style {value.strip()}")
            if kind == "TEXT" and not any(c == 7 for c, _ in record) and "STANDARD" not in styles:
                problems.append("TEXT with the default style STANDARD, which is not defined")
    if "ENTITIES" not in sections:
        problems.append("no ENTITIES section")

    counts = {}
    for record in sections.get("ENTITIES", []):
        kind = record[0][1].strip()
        if kind in ("VERTEX", "SEQEND"):
            continue
        layer = next((v.strip() for c, v in record if c == 8), "0")
        counts[layer] = counts.get(layer, 0) + 1
    return counts


def check_features(path, counts, expected, problems):
    """The entity counts against those expected and against GDAL's features."""
    import shutil
    import subprocess

    for layer, number in expected.items():
        if counts.get(layer, 0) != number:
            problems.append(f"{counts.get(layer, 0)} entities on {layer}, expected {number}")
    ogrinfo = shutil.which("ogrinfo")
    if ogrinfo is None:
        problems.append("ogrinfo (gdal-bin) is not installed: GDAL's reading cannot be checked")
        return
    result = subprocess.run([ogrinfo, "-ro", "-q", "-al", path], capture_output=True, text=True,
                            encoding="utf-8", errors="replace")
    if result.returncode != 0:
        problems.append(f"GDAL cannot read it: {result.stderr.strip()}")
        return
    for line in result.stderr.splitlines():
        if line.startswith(("ERROR", "Warning")):
            problems.append(f"GDAL: {line}")
    features = {}
    for line in result.stdout.splitlines():
        line = line.strip()
        if line.startswith("Layer (String) = "):
            layer = line[len("Layer (String) = "):]
            features[layer] = features.get(layer, 0) + 1
    if features != counts:
        problems.append(f"GDAL reads the features per layer {features}, the file holds {counts}")


def check_dashed(doc, layers, problems):
    for name in layers:
        if not doc.layers.has_entry(name):
            problems.append(f"no layer {name}")
            continue
        linetype = doc.layers.get(name).dxf.linetype
        if not doc.linetypes.has_entry(linetype):
            problems.append(f"layer {name}: line type {linetype} is not defined")
            continue
        pattern = [tag.value for tag in doc.linetypes.get(linetype).pattern_tags.tags if tag.code == 49]
        if not any(d > 0 for d in pattern) or not any(d < 0 for d in pattern):
            problems.append(f"layer {name}: line type {linetype} is not dashed ({pattern})")


class _Collector(logging.Handler):
    def __init__(self):
        super().__init__(logging.WARNING)
        self.records = []

    def emit(self, record):
        self.records.append(record.getMessage())


def check_with_ezdxf(path, expected_texts, dashed, problems):
    import ezdxf
    from ezdxf import recover

    collector = _Collector()
    logger = logging.getLogger("ezdxf")
    logger.addHandler(collector)
    try:
        doc, auditor = recover.readfile(path, errors="strict")
    except Exception as error:  # any failure to read is a reason
        problems.append(f"ezdxf cannot read it: {type(error).__name__}: {error}")
        return
    finally:
        logger.removeHandler(collector)
    for message in collector.records:
        problems.append(f"ezdxf warned: {message}")
    for entry in auditor.errors:
        problems.append(f"ezdxf audit error: {entry.message}")
    for entry in auditor.fixes:
        problems.append(f"ezdxf fixed: {entry.message}")
    if doc.dxfversion != "AC1009":
        problems.append(f"version {doc.dxfversion}, expected AC1009")
    if doc.encoding.lower() not in ("cp932", "shift_jis", "ms932"):
        problems.append(f"ezdxf decodes it as {doc.encoding}, not cp932")

    check_dashed(doc, dashed, problems)
    texts = [e.dxf.text for e in doc.modelspace() if e.dxftype() == "TEXT"]
    for expected in expected_texts:
        if expected not in texts:
            problems.append(f"no TEXT reads {expected!r}")


def parse_arguments(argv):
    """(path, expected texts, {layer: features}, [dashed layers]); None when wrong."""
    if len(argv) < 2:
        return None
    path, texts, features, dashed = argv[1], [], {}, []
    rest = argv[2:]
    while rest:
        word = rest.pop(0)
        if word in ("--features", "--dashed"):
            if not rest:
                return None
            value = rest.pop(0)
            if word == "--dashed":
                dashed.append(value)
                continue
            layer, _, number = value.partition("=")
            if not number.isdigit():
                return None
            features[layer] = int(number)
        else:
            texts.append(word)
    return path, texts, features, dashed


def main(argv):
    arguments = parse_arguments(argv)
    if arguments is None:
        print(__doc__, file=sys.stderr)
        return 2
    path, expected, features, dashed = arguments
    problems = []
    try:
        with open(path, "rb") as f:
            raw = f.read()
    except OSError as error:
        print(f"{path}: {error}", file=sys.stderr)
        return 1
    counts = check_structure(raw, problems)
    if not problems:
        check_with_ezdxf(path, expected, dashed, problems)
    if not problems and features:
        check_features(path, counts, features, problems)
    for problem in problems:
        print(f"{path}: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
