#!/usr/bin/env python3
"""Summarises a GoogleTest XML report: the counts, every skipped test with its
reason and every failure. Exit status 0 only when nothing failed, at least one
test passed and every test named after the report passed (was neither skipped
nor missing).

Usage: gtest_summary.py REPORT.xml [SUITE.TEST ...]
"""
import sys
import xml.etree.ElementTree as ElementTree


def outcomes(report):
    """(name, outcome, reason) of every test case that was meant to run."""
    for case in ElementTree.parse(report).getroot().iter("testcase"):
        name = f"{case.get('classname')}.{case.get('name')}"
        if case.get("status") == "notrun":
            continue  # disabled
        failure = case.find("failure")
        skipped = case.find("skipped")
        if failure is not None:
            yield name, "failed", failure.get("message", "").strip()
        elif skipped is not None or case.get("result") == "skipped":
            reason = skipped.get("message", "") if skipped is not None else ""
            yield name, "skipped", reason.strip().splitlines()[-1] if reason.strip() else ""
        else:
            yield name, "passed", ""


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    results = list(outcomes(argv[1]))
    counts = {kind: sum(1 for _, o, _ in results if o == kind) for kind in ("passed", "skipped", "failed")}
    print(f"{len(results)} tests: {counts['passed']} passed, {counts['skipped']} skipped, "
          f"{counts['failed']} failed")
    for name, outcome, reason in results:
        if outcome != "passed":
            print(f"  {outcome}: {name}: {reason}")
    ok = counts["failed"] == 0 and counts["passed"] > 0
    passed = {name for name, outcome, _ in results if outcome == "passed"}
    for required in argv[2:]:
        if required not in passed:
            print(f"  required test did not pass: {required}")
            ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
