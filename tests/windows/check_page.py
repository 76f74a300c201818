#!/usr/bin/env python3
"""Checks a printed report page against the Linux program's figures of the
same report. The page is a picture of the window (as every printed screen
is), so its text is read with OCR: every figure (volumes, N D W, TWA, VHR)
and every solvent name the Linux report shows must be on the page.
Usage: check_page.py PAGE.png LINUX_FIGURES.txt   (lines "labelName text")
Needs tesseract (Debian package tesseract-ocr)."""
import re
import subprocess
import sys


def read(page, mode):
    out = subprocess.run(["tesseract", page, "-", "--psm", mode], capture_output=True, text=True, timeout=300)
    if out.returncode != 0:
        sys.exit(f"tesseract failed: {out.stderr}")
    return out.stdout


def main():
    page, figures = sys.argv[1], sys.argv[2]
    # Dense reading and sparse reading each catch what the other may miss in a form.
    text = read(page, "3") + "\n" + read(page, "11")
    wanted = []
    for line in open(figures, encoding="utf-8"):
        name, _, shown = line.rstrip("\n").partition(" ")
        if re.fullmatch(r"[\d. ]+", shown):
            wanted.append((name, shown))
        elif name.startswith(("lblSolvent", "lblsolvent", "lblTargetName")) and ":" in shown:
            wanted.append((name, shown.split(":", 1)[1].strip()))
    if len(wanted) < 20:
        sys.exit(f"only {len(wanted)} figures in {figures}")
    missing = []
    for name, shown in wanted:
        pattern = r"\s+".join(re.escape(part) for part in shown.split())
        if shown.startswith("."):
            pattern = r"\.?" + pattern[2:]  # OCR may miss a fraction's small leading point
        if not re.search(r"(?<![\d.])" + pattern + r"(?![\d])", text):
            missing.append(f"{name} '{shown}'")
    if missing:
        print("read on the page:\n" + text, file=sys.stderr)
        sys.exit("not on the page: " + ", ".join(missing))
    print(f"all {len(wanted)} figures and names of the Linux report are on the page")


if __name__ == "__main__":
    main()
