#!/usr/bin/env python3
"""Writes the database corpus beside this script and its manifest, expected.txt.

Each line of expected.txt: file name, then "fail N" (the failure number the
program must report) or "load N" (the number of list rows it must show).
The test program test_data reads the manifest; rerun this after a change.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
CRLF = b"\r\n"


def record(name=b"Acetone", ref=b"2", n=b"47", d=b"32", w=b"21", mv=b"73.93", mw=b"58.08"):
    return [name, ref, n, d, w, b"250", b"1057", mv, mw, b"590", b"Eyes, skin", b""]


CUSTOM = [b"Enter N, D, W.", b"0", b"0", b"0", b"0", b"none", b"none", b"0", b"0", b"none", b"", b""]
HEADER = [b"Tarnwell corpus", b"header 2", b"header 3", b"header 4"]


def db(count, records, end=CRLF, header=HEADER):
    lines = list(header) + [count] + [line for r in records for line in r]
    return end.join(lines) + end


three = [record(), record(b"Water", b"3", b"21", b"22", b"57", b"18.02", b"18.02"), CUSTOM]
good = db(b"3", three)
lines = good.split(CRLF)  # the last item is the empty text after the last CR LF


def cut(n):
    """The file cut after its n-th line end."""
    return CRLF.join(lines[:n]) + CRLF


files = {}
# --- damaged: each must give exactly one message with this number -------------
files["empty.txt"] = (b"", "fail 62")
files["header-two-lines.txt"] = (cut(2), "fail 62")
files["header-only.txt"] = (cut(4), "fail 62")
files["count-no-records.txt"] = (cut(5), "fail 62")
files["cut-in-first-name.txt"] = (cut(5) + b"Acet", "fail 62")
files["cut-after-first-n.txt"] = (cut(8), "fail 62")
files["cut-after-first-record.txt"] = (cut(17), "fail 62")
files["cut-in-last-record.txt"] = (cut(35), "fail 62")
files["cut-before-last-separator.txt"] = (cut(40), "fail 62")
files["cut-separator-no-line-end.txt"] = (good[:-2], "fail 62")
# Three usable solvents under a count of 4: the file ends inside the missing record.
files["count-larger-than-records.txt"] = (db(b"4", [record(), record(b"Water", b"3", b"21", b"22", b"57", b"18.02", b"18.02"), record(b"Ethanol")]), "fail 62")
files["lf-line-ends.txt"] = (db(b"3", three, end=b"\n"), "fail 62")
files["count-0.txt"] = (db(b"0", three), "fail 9")
files["count-minus-1.txt"] = (db(b"-1", three), "fail 9")
files["count-minus-32767.txt"] = (db(b"-32767", three), "fail 9")
files["count-32768.txt"] = (db(b"32768", three), "fail 6")
files["count-minus-32768.txt"] = (db(b"-32768", three), "fail 6")
files["count-1e400.txt"] = (db(b"1e400", three), "fail 6")
files["count-12abc.txt"] = (db(b"12abc", three), "fail 13")
files["count-3-nul-2.txt"] = (db(b"3\x002", three), "fail 13")
files["count-3-nul-blank-2.txt"] = (db(b"3\x00 2", three), "fail 13")
files["count-empty.txt"] = (db(b"", three), "fail 13")
files["count-comma.txt"] = (db(b"3,0", three), "fail 13")
files["record-n-x.txt"] = (db(b"3", [record(n=b"x")] + three[1:]), "fail 13")
files["record-w-empty.txt"] = (db(b"3", [record(), record(w=b"")] + three[2:]), "fail 13")
files["record-molar-volume-0.txt"] = (db(b"3", [record(mv=b"0")] + three[1:]), "fail 13")
files["record-molecular-weight-text.txt"] = (db(b"3", [record(mw=b"n/a")] + three[1:]), "fail 13")
files["custom-row-reference-x.txt"] = (db(b"2", [record(), CUSTOM[:1] + [b"x"] + CUSTOM[2:]]), "fail 13")
# --- odd but valid: must load and show every label -----------------------------
files["three-records.txt"] = (good, "load 3")
files["one-record.txt"] = (db(b"1", [CUSTOM]), "load 1")
files["count-smaller-than-records.txt"] = (db(b"2", three), "load 2")
files["text-after-last-record.txt"] = (good + b"more\r\n\r\n\xff\xfe garbage", "load 3")
files["count-with-blanks.txt"] = (db(b"  3 \t", three), "load 3")
files["count-3.5-rounds-to-4.txt"] = (db(b"3.5", [record()] + three), "load 4")
files["count-2.5-rounds-to-2.txt"] = (db(b"2.5", three), "load 2")
files["empty-header-lines.txt"] = (db(b"3", three, header=[b"", b"", b"", b""]), "load 3")
files["cr-line-ends.txt"] = (db(b"3", three, end=b"\r"), "load 3")
files["no-line-end-after-separator.txt"] = (good[:-2] + b"x", "load 3")
files["name-64k.txt"] = (db(b"3", [record(b"N" * 65536)] + three[1:]), "load 3")
files["name-high-bytes.txt"] = (db(b"3", [record(bytes(range(0x80, 0x100)))] + three[1:]), "load 3")
files["name-lone-lf.txt"] = (db(b"3", [record(b"Acetone\nline two")] + three[1:]), "load 3")
files["name-nul.txt"] = (db(b"3", [record(b"Ace\x00tone")] + three[1:]), "load 3")
files["name-leading-and-trailing-blanks.txt"] = (db(b"3", [record(b"  Acetone   ", b"2   ")] + three[1:]), "load 3")
files["numbers-with-blanks-and-fractions.txt"] = (db(b"3", [record(n=b" 46.5 ", d=b"32.5", w=b"21")] + three[1:]), "load 3")

with open(os.path.join(HERE, "expected.txt"), "w") as manifest:
    manifest.write("# file  expected outcome (written by make_corpus.py)\n")
    for name, (data, outcome) in sorted(files.items()):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
        manifest.write(f"{name}  {outcome}\n")
print(f"{len(files)} files")
