"""Reads the report files that test_ReportOutput saved as comma-separated values
with Python's csv module, which honours quoting as spreadsheets do, and checks
that each reads as a table: one header row of column titles, then one row per
member with as many fields as the header, each field under its own title
(the SSN column holds SSNs, the marital status column marital statuses), names
holding ", " and addresses holding quotes whole, and nothing else in the file."""

import csv
import re
import sys
from decimal import Decimal
from pathlib import Path

failures = []


def rows(path):
    with open(path, newline="", encoding="latin-1") as f:
        return list(csv.reader(f))


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def table(path, header):
    """The file as a list of dicts keyed by the column titles, after checking
    the header row and that every row has one field per title."""
    all_rows = rows(path)
    if not check(all_rows and all_rows[0] == header,
                 f"{path.name}: header row {all_rows[:1]}, expected {header}"):
        return []
    body = all_rows[1:]
    for number, row in enumerate(body, start=2):
        check(len(row) == len(header),
              f"{path.name} row {number}: {len(row)} fields for {len(header)} titles: {row}")
    return [dict(zip(header, row)) for row in body]


# What a field of each column may hold; a field under the wrong title fails.
SSN = re.compile(r"\d{3}-\d{2}-\d{4}")
DATE = re.compile(r"\d{2}/\d{2}/\d{4}")
PHONE = re.compile(r"(\(\d{3}\) )?\d{3}-\d{4}( / \d+)?")
CITY = re.compile(r".+, [A-Z]{2} \d{5}(-\d{4})?")
MONEY = re.compile(r"\$-?\d+\.\d{2}")
FTE = re.compile(r"-?\d+\.\d{2}%")

MEMBER_COLUMNS = {
    "N": lambda v: re.fullmatch(r"\d+\.", v),
    "SSN #": lambda v: SSN.fullmatch(v),
    "Name": lambda v: ", " in v and not SSN.search(v),
    "Phone": lambda v: v == "" or PHONE.fullmatch(v),
    "Birth Day": lambda v: DATE.fullmatch(v),
    "Gender": lambda v: v in ("Male", "Female", "Unknown"),
    "Address": lambda v: v != "" and not CITY.fullmatch(v),
    "Marital Status": lambda v: v in ("Divorced", "Married", "Single", "Widowed", "Unknown", ""),
    "City, State ZIP": lambda v: CITY.fullmatch(v),
    "EMail": lambda v: v == "" or "@" in v,
}

TRANS_COLUMNS = {
    "N": lambda v: re.fullmatch(r"\d+\.", v),
    "SSN #": lambda v: SSN.fullmatch(v),
    "Name": lambda v: ", " in v,
    "Pensionable": lambda v: MONEY.fullmatch(v),
    "FTE%": lambda v: FTE.fullmatch(v),
    "Regular": lambda v: MONEY.fullmatch(v),
    "Health": lambda v: MONEY.fullmatch(v),
    "Voluntary": lambda v: MONEY.fullmatch(v),
    "Contract": lambda v: MONEY.fullmatch(v),
}


def check_columns(name, entries, columns):
    for entry in entries:
        for title, fits in columns.items():
            check(fits(entry.get(title, "")),
                  f"{name} {entry.get('N')}: {entry.get(title)!r} under {title!r}")


def money(text):
    return Decimal(text.lstrip("$"))


def main(folder):
    member = table(Path(folder) / "report_member.csv", list(MEMBER_COLUMNS))
    check(len(member) == 14, f"14 member rows, got {len(member)}")
    check([m["N"] for m in member] == [f"{n}." for n in range(1, 15)], "numbered 1. to 14.")
    check_columns("member", member, MEMBER_COLUMNS)
    if len(member) == 14:
        adams, baker, obrien = member[0], member[1], member[2]
        check(adams["Name"] == "Ms. Adams, Mary L.", f"a name with a comma is one field: {adams}")
        check(adams["Phone"] == "(518) 555-0101 / 12", f"telephone: {adams}")
        check(adams["Address"] == "12 Main St., Apt 4B", f"address: {adams}")
        check(adams["City, State ZIP"] == "Albany, NY 12207-1234", f"city line: {adams}")
        check(adams["EMail"] == "madams@lakeside.k12.ny.us", f"e-mail: {adams}")
        check((adams["Gender"], adams["Marital Status"]) == ("Female", "Married"), f"{adams}")
        check(baker["Name"] == "Mr. Baker, John, Jr.", f"two commas, one field: {baker}")
        check(baker["Marital Status"] == "Single", f"marital status: {baker}")
        check(obrien["Address"] == '7 "B" Street', f"a quoted address reads back whole: {obrien}")
        check(obrien["Phone"] == "", f"an area code without a number: {obrien}")

    trans = table(Path(folder) / "report_trans.csv", list(TRANS_COLUMNS))
    check(len(trans) == 14, f"14 transaction rows, got {len(trans)}")
    check_columns("transaction", trans, TRANS_COLUMNS)
    if len(trans) == 14:
        check(trans[3]["Name"] == "Richardson, Christopher A.",
              f"a wrapped name is one field: {trans[3]}")
        check(trans[2]["Voluntary"] == "$-15.50", f"a negative amount: {trans[2]}")
        check(trans[3]["FTE%"] == "50.00%", f"FTE%: {trans[3]}")
        # The columns add up to the report's totals of the same members.
        sums = {t: sum(money(r[t]) for r in trans) for t in ("Regular", "Health", "Voluntary",
                                                             "Contract")}
        check(sums == {"Regular": Decimal("1039.20"), "Health": Decimal("185.57"),
                       "Voluntary": Decimal("9.50"), "Contract": Decimal("120.00")},
              f"the columns' sums: {sums}")

    if failures:
        for message in failures:
            print("FAIL:", message)
        sys.exit(1)
    print("OK")


if __name__ == "__main__":
    main(sys.argv[1])
