#!/usr/bin/env python3
"""Writes a deterministic file of business-like text rows for the benchmarks.

Usage: gen_rows.py ROWS [--seed S] [--utf8] [--crlf] -o FILE

The same ROWS, seed and options always give the same bytes (Python 3 standard library only).

What the rows look like, as shares of all rows:
  about 53%  fixed-width account record: key, name, date, invoice, amount, city, state, count
  about 10%  the same record followed by a street address
  about 17%  free-text note: key, "NOTE", words split by one to four spaces, a reference number
  about 10%  ';'-separated record
  about  8%  short payment record: key, tag, date, amount
  about  2%  blank rows, most of them empty, the others spaces and tabs
About one row in twelve has spaces or tabs before or after it. Every non-blank row starts
with a six-character key (two capital letters and four digits); keys come in runs of one to
forty rows, and half of them come from a pool that depends on ROWS only, so two files of the
same size made with different seeds share many keys. With --utf8, some names carry accented
letters, so that character positions and byte offsets differ on those rows.
"""

import argparse
import random
import sys

GIVEN = ("Alice Brian Carla Derek Elena Frank Grace Henry Irene Jacob Karen Louis Maria Nolan Olive "
         "Peter Quinn Rosa Simon Tessa Umar Vera Walter Xenia Yusuf Zara Adam Bella Carl Diana "
         "Edgar Fiona George Hazel Ivan Julia Kevin Laura Mason Nina Oscar Paula Jean-Paul Li").split()
FAMILY = ("Smith Jones Taylor Brown Wilson Evans Thomas Roberts Walker Wright Hughes Green Hall "
          "Wood Harris Clarke Turner Hill Cooper Ward Morgan King Baker Moore Allen Young Scott "
          "Adams Nelson Carter Mitchell Parker Collins Stewart Morris Murphy Cook Rogers Bell "
          "Bailey Kelly Howard Fox Reed Price O'Brien").split() + ["De la Cruz", "Van Dijk"]
# "Smith" turns up in about one row in ten, for the searches of the benchmarks.
FAMILY_WEIGHTED = FAMILY + ["Smith"] * 6
ACCENTED_GIVEN = ["Zoë", "André", "Renée", "Jürgen", "Åsa", "Nuño", "Łucja"]
ACCENTED_FAMILY = ["Müller", "García", "Ødegaard", "Šimek", "Cañas", "Böhm", "Fournié"]
CITIES = ("Ashford Barnet Camden Derby Exeter Falmouth Gateshead Harlow Ipswich Jarrow Kendal "
          "Leeds Margate Norwich Oldham Preston Reading Salford Truro Upton Wakefield Yeovil").split()
CITIES += ["St Albans", "East Grinstead", "Milton Keynes", "King's Lynn"]
STATES = ["OPEN", "OPEN", "OPEN", "CLOSED", "DUE", "ON HOLD", "LATE", "SETTLED", "SETTLED"]
STREETS = ["High Street", "Church Lane", "Station Road", "Mill Road", "Park Avenue", "Green Way",
           "Kings Road", "Bridge Street", "Queens Walk", "Orchard Close", "1st Avenue", "The Crescent"]
TAGS = ["PAY", "INV", "CRN", "ADJ", "REF", "FEE", "DD"]
WORDS = ("account holder asked about the latest invoice and payment terms reminder sent by post "
         "balance carried forward credit applied to next statement delivery address changed "
         "goods returned in good order refund approved by the branch manager call back tomorrow "
         "direct debit set up for monthly payments discount agreed for early settlement of the "
         "order copy of contract requested customer Smith confirmed details on the phone").split()
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
GAPS = [" "] * 7 + ["  ", "   ", "    "]
BEFORE = [" ", "  ", "\t", " \t", "    "]
AFTER = [" ", "  ", "\t", "\t ", "   ", "\t\t"]
KEY_SPACE = 26 * 26 * 10000


def key_name(i):
    first, rest = divmod(i, 26 * 10000)
    second, number = divmod(rest, 10000)
    return "%s%s%04d" % (LETTERS[first], LETTERS[second], number)


def dates():
    days = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
    out = []
    for year in range(2018, 2026):
        for month in range(12):
            for day in range(1, days[month] + (1 if month == 1 and year % 4 == 0 else 0) + 1):
                out.append("%04d-%02d-%02d" % (year, month + 1, day))
    return out


def money(cents):
    return "{:,.2f}".format(cents / 100)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("rows", type=int)
    ap.add_argument("--seed", type=int, default=1234567)
    ap.add_argument("--utf8", action="store_true", help="accented letters in some names")
    ap.add_argument("--crlf", action="store_true", help="CR LF line ends (default LF)")
    ap.add_argument("-o", "--out", required=True)
    a = ap.parse_args()

    # The pool of shared keys depends on the row count only.
    pool = [key_name(i) for i in random.Random(99).sample(range(KEY_SPACE), max(100, min(KEY_SPACE // 2, a.rows // 5)))]
    rnd = random.Random(a.seed)
    r = rnd.random
    days = dates()
    # With --utf8 about one name in twenty has an accented part.
    accented = 0.025 if a.utf8 else 0.0
    end = "\r\n" if a.crlf else "\n"

    def pick(seq):
        return seq[int(r() * len(seq))]

    out = open(a.out, "w", encoding="utf-8", newline="")
    batch = []
    key, run = pool[0], 0
    for _ in range(a.rows):
        x = r()
        if x < 0.02:
            batch.append("" if x < 0.016 else pick(BEFORE) + pick(AFTER))
        else:
            if run == 0:
                key = pick(pool) if r() < 0.5 else key_name(int(r() * KEY_SPACE))
                y = r()
                run = 1 if y < 0.5 else 2 + int(r() * 4) if y < 0.85 else 6 + int(r() * 35)
            run -= 1
            name = (pick(ACCENTED_GIVEN) if r() < accented else pick(GIVEN)) + " " + (
                pick(ACCENTED_FAMILY) if r() < accented else pick(FAMILY_WEIGHTED))
            day = pick(days)
            cents = int(10 ** (2 + r() * 5))
            kind = r()
            if kind < 0.63:
                row = "%s %-22s%s INV-%07d %11s %-15s%-8s%4d" % (
                    key, name, day, int(r() * 10000000), "$" + money(cents), pick(CITIES), pick(STATES),
                    int(r() * 500))
                if kind >= 0.53:
                    row += "  %d %s, %s" % (1 + int(r() * 9999), pick(STREETS), pick(CITIES))
            elif kind < 0.80:
                parts = [key, " NOTE"]
                for _w in range(6 + int(r() * 12)):
                    parts.append(pick(GAPS))
                    parts.append(pick(WORDS))
                if r() < 0.3:
                    parts.append(" " + name)
                parts.append(" ref " + str(int(r() * 100000)))
                row = "".join(parts)
            elif kind < 0.90:
                row = "%s;%s;%s;%d.%02d;%s;%s" % (key, name, day, cents // 100, cents % 100, pick(CITIES),
                                                  pick(STATES))
            else:
                row = "%s %s %s %d.%02d" % (key, pick(TAGS), day, cents // 100, cents % 100)
            p = r()
            if p < 0.08:
                row = (pick(BEFORE) if p < 0.06 else "") + row + (pick(AFTER) if p >= 0.03 else "")
            batch.append(row)
        if len(batch) >= 50000:
            out.write(end.join(batch) + end)
            batch.clear()
    if batch:
        out.write(end.join(batch) + end)
    out.close()


if __name__ == "__main__":
    sys.exit(main())
