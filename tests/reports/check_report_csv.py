"""Reads the report files that test_ReportOutput saved as comma-separated values
with Python's csv module, which honours quoting as spreadsheets do, and checks
that names holding ", " and addresses holding quotes stay whole fields."""

import csv
import sys
from pathlib import Path


def rows(path):
    with open(path, newline="", encoding="latin-1") as f:
        return list(csv.reader(f))


def check(condition, message):
    if not condition:
        print("FAIL:", message)
        sys.exit(1)


def main(folder):
    member = rows(Path(folder) / "report_member.csv")
    entries = [r for r in member if r and r[0].endswith(".") and r[0][:-1].isdigit()]
    check(len(entries) == 14, f"14 numbered members, got {len(entries)}")
    check(all(len(r) == 5 for r in entries), "every member's first line has five fields")
    check([r[0] for r in entries] == [f"{n}." for n in range(1, 15)], "numbered 1. to 14.")
    check(entries[0][2] == "Ms. Adams, Mary L.", f"a name with a comma is one field: {entries[0]}")
    check(entries[1][2] == "Mr. Baker, John, Jr.", f"two commas, one field: {entries[1]}")
    check(["Male", '7 "B" Street', "Divorced"] in member, "a quoted address reads back whole")
    check(["Albany, NY 12207-1234", "madams@lakeside.k12.ny.us"] in member, "city line whole")
    pages = [r for r in member if r[1:] == ["Page : ", "2"]]
    check(len(pages) == 1, "the second page's footer")

    trans = rows(Path(folder) / "report_trans.csv")
    lines = [r for r in trans if len(r) == 9 and r[0].endswith(".")]
    check(len(lines) == 14, f"14 transaction lines, got {len(lines)}")
    check(lines[3][2] == "Richardson, Christopher A.", f"a wrapped name is one field: {lines[3]}")
    check(lines[2][7] == "$-15.50", "a negative amount")
    check(["Totals:", "$1039.20", "$185.57", "$9.50", "$120.00"] in trans, "the totals row")
    check(["14 record(s)", "Grand Total Receivables:", "$1354.27"] in trans, "the grand total row")
    print("OK")


if __name__ == "__main__":
    main(sys.argv[1])
