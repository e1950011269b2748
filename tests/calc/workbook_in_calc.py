#!/usr/bin/python3
"""A workbook made on a Russian desktop, read by LibreOffice Calc as a user's computer reads it.

ocai-cli export runs under ru_RU.UTF-8 (the users' locale); Calc converts every sheet to CSV
and the summary's figures must be those of `ocai-cli stats` to the last digit Calc keeps, the
answer times real times. A cell written "27,33" reads as 27 and a time as 00:00, silently.
Exit 77 (skipped) where LibreOffice is not installed.
"""
import csv
import json
import os
import shutil
import subprocess
import sys
import tempfile

TYPES = "ABCD"


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def main():
    cli, group = sys.argv[1], sys.argv[2]
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("LibreOffice is not installed: skipped")
        return 77
    work = tempfile.mkdtemp(prefix="ocai-calc-")
    try:
        russian = dict(os.environ, LC_ALL="ru_RU.UTF-8", LANG="ru_RU.UTF-8",
                       QT_QPA_PLATFORM="offscreen")
        book = os.path.join(work, "book.xlsx")
        made = subprocess.run([cli, "export", "--min-group", "1", "--out", book, group],
                              env=russian, capture_output=True, text=True, timeout=120)
        if made.returncode != 0:
            fail("export: " + made.stderr)
        stats = json.loads(subprocess.run([cli, "stats", "--format", "json", group], env=russian,
                                          capture_output=True, text=True, timeout=120,
                                          check=True).stdout)
        # Calc in a profile of its own, reading in the C locale: the file alone decides.
        calc = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8", HOME=work)
        subprocess.run([soffice, "-env:UserInstallation=file://" + work + "/profile",
                        "--headless", "--convert-to",
                        "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false,"
                        "false,false,-1", "--outdir", work, book],
                       env=calc, capture_output=True, timeout=180, check=True)
        summary = read(os.path.join(work, "book-Сводка.csv"))
        row = next((r for r in summary if r and r[0] == os.path.basename(group.rstrip("/"))),
                   None)
        if row is None:
            fail("no row of the group in the summary: %r" % summary)
        if int(row[1]) != stats["n"]:
            fail("N %s, stats %d" % (row[1], stats["n"]))
        expected = [stats["types"][t][state]["mean"] for state in ("current", "preferred")
                    for t in TYPES]
        for column, (cell, value) in enumerate(zip(row[2:10], expected), start=2):
            if abs(float(cell) - value) > 1e-9 * max(1.0, abs(value)):
                fail("summary column %d: Calc reads %s, stats gives %r" % (column, cell, value))
        people = read(os.path.join(work, "book-Респонденты.csv"))
        header = people[1]
        start = header.index("Начало")
        starts = {r[start] for r in people[2:] if len(r) > start}
        if len(starts) < 2:
            fail("the answers' start times read as %r" % starts)
        print("Calc reads the Russian-locale workbook as stats computes it: %d figures, %d times"
              % (len(expected) + 1, len(starts)))
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


def read(path):
    with open(path, encoding="utf-8", newline="") as f:
        return list(csv.reader(f))


if __name__ == "__main__":
    sys.exit(main())
