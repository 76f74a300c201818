#!/usr/bin/env python3
"""Independent checks of the shipped solvent database.

Usage: verify_database.py REPO_ROOT

Reads the file the way the program's loader does (Windows-1252, CR LF, 4 header
lines, a count, 12-line records) and checks what the generator could get
wrong without noticing: the format, the order, the Teas sums, and whether the
numbers in a record are physically consistent with each other; then the solvent
properties file beside it (its rows, and its figures against each other and the
database). The Teas
percents of target-list solvents are recomputed here from the source tables,
with code written apart from the generator's.
"""

import csv
import sys
from fractions import Fraction
from pathlib import Path

REQUIRED = ["Acetone", "Ethanol", "n-Heptane", "Tetrahydrofuran", "Toluene", "o-Xylene", "p-Xylene",
            "Isopropanol (2-propanol)", "Ethyl acetate", "Methyl ethyl ketone", "Cyclohexane", "Water",
            "Benzyl alcohol", "Diacetone alcohol", "Dimethyl sulfoxide", "1-Methoxy-2-propanol",
            "White spirit (mineral spirits, 15–20 % aromatic)", "Xylene (mixed isomers, with ethylbenzene)",
            "Turpentine (gum spirits)", "Petroleum benzine (VM&P naphtha, ligroin)"]

failures = []


def fail(message):
    failures.append(message)


def read_records(path):
    raw = path.read_bytes()
    if not raw.endswith(b"\r\n"):
        fail("the file does not end with CR LF")
    body = raw[:-2] if raw.endswith(b"\r\n") else raw
    if b"\n" in body.replace(b"\r\n", b""):
        fail("a bare LF in the file")
    if b"\r" in body.replace(b"\r\n", b""):
        fail("a bare CR in the file")
    lines = body.decode("cp1252").split("\r\n")
    if len(lines) < 5:
        fail(f"only {len(lines)} CR LF lines: not the database format")
        return [], []
    header, count_text, rest = lines[:4], lines[4], lines[5:]
    for i, line in enumerate(header, start=1):
        if not line.strip():
            fail(f"header line {i} is empty")
        if len(line) > 400:
            fail(f"header line {i} has {len(line)} characters")
    if not count_text.isdigit():
        fail(f"record count {count_text!r} is not a plain integer")
        return header, []
    count = int(count_text)
    if len(rest) != 12 * count:
        fail(f"{len(rest)} lines after the count, {12 * count} expected for {count} records")
    return header, [rest[12 * i: 12 * i + 12] for i in range(len(rest) // 12)]


def is_number(text):
    try:
        float(text)
    except ValueError:
        return False
    return text.replace(".", "", 1).isdigit()


def teas(dd, dp, dh):
    parts = [Fraction(x) for x in (dd, dp, dh)]
    total = sum(parts)
    shares = [100 * p / total for p in parts]
    whole = [int(s) for s in shares]                      # shares are positive: int() floors
    left = 100 - sum(whole)
    ranked = sorted(range(3), key=lambda i: whole[i] - shares[i])  # most negative = largest remainder
    for i in ranked[:left]:
        whole[i] += 1
    return whole


def candidate_teas(root):
    """Every Teas triple a target solvent could honestly get, by CAS and reference."""
    src = root / "resources" / "data-sources"
    out = {}
    with open(src / "hspipy" / "HSP_dataset.csv", encoding="cp1252", newline="") as f:
        for r in csv.DictReader(f):
            out.setdefault((r["CAS number"].strip(), "2"), set()).add(tuple(teas(r["dD"], r["dP"], r["dH"])))
    with open(src / "hspipy" / "db.csv", encoding="utf-8", newline="") as f:
        for r in csv.DictReader(f):
            # The handbook table: reference 2 takes these first where they exist.
            out.setdefault((r["CAS"].strip(), "2"), set()).add(tuple(teas(r["D"], r["P"], r["H"])))
    with open(src / "chemicals-calebbell" / "alshehri_hansen_solubility_parameters.tsv", encoding="utf-8") as f:
        for r in csv.DictReader(f, delimiter="\t"):
            d, p, h = (Fraction(r[k]) / 1000 for k in ("HANSEN_DELTA_D", "HANSEN_DELTA_P", "HANSEN_DELTA_H"))
            out[(r["CAS"].strip(), "3")] = {tuple(teas(d, p, h))}
    with open(src / "coverage" / "conservation_targets.tsv", encoding="utf-8") as f:
        names = {r["name"].strip(): r["cas"].strip() for r in csv.DictReader(f, delimiter="\t")}
    return names, out


def flammability_class(flash_c, boiling_c):
    """The class by its definition (OSHA 29 CFR 1910.106, NFPA 30): flash point and boiling point in °F."""
    flash = flash_c * 9 / 5 + 32
    if flash < 73:
        return "IA" if boiling_c is not None and boiling_c * 9 / 5 + 32 < 100 else "IB"
    for limit, name in ((100, "IC"), (140, "II"), (200, "IIIA")):
        if flash < limit:
            return name
    return "IIIB"


def check_properties(root, solvents):
    """The properties file beside the database: its column row, one row for each list label in
    the database's order, figures that are numbers or "none", and figures that agree with each
    other and with the database: the VHR from the row's vapour pressure, a flash point below the
    boiling point, and the class its flash and boiling points define."""
    path = root / "resources" / "tarnwell solvent properties 1.0.txt"
    raw = path.read_bytes()
    if b"\r" in raw or not raw.endswith(b"\n"):
        fail("the properties file does not have LF line ends throughout")
    lines = raw.decode("utf-8").split("\n")[:-1]
    body = [line for line in lines if not line.startswith("#")]
    if lines[:len(lines) - len(body)] != [line for line in lines if line.startswith("#")]:
        fail("'#' lines after the column row of the properties file")
    if not body or body[0] != "label\tvp_20c_mmhg\tboiling_point_c\tflash_point_c\tflammability_class\tsource":
        fail("the properties file's column row")
        return
    rows = [line.split("\t") for line in body[1:]]
    labels = [f"{r[1]}:   {r[0]}" for r in solvents]
    if [r[0] for r in rows] != labels:
        fail("the properties rows are not the database's list labels in its order")
    db = {f"{r[1]}:   {r[0]}": r for r in solvents}
    for row in rows:
        if len(row) != 6:
            fail(f"{row[0]}: {len(row)} fields in the properties file")
            continue
        label, vp, bp, fp, cls, source = row
        figures = {}
        for column, text in (("vp", vp), ("bp", bp), ("fp", fp)):
            if text != "none":
                if not is_number(text.lstrip("-")):
                    fail(f"{label}: {column} {text!r}")
                    continue
                figures[column] = float(text)
        if cls not in ("none", "IA", "IB", "IC", "II", "IIIA", "IIIB"):
            fail(f"{label}: class {cls!r}")
        if len(source) != 4 or not all(c.isupper() or c == "-" for c in source) or \
                [c == "-" for c in source] != [x == "none" for x in (vp, bp, fp, cls)]:
            fail(f"{label}: source {source!r} does not mark the missing figures")
        if "vp" in figures and not 0 <= figures["vp"] <= 760:
            fail(f"{label}: vapour pressure {vp} mmHg at 20 C for a liquid")
        if "fp" in figures and "bp" in figures and figures["fp"] >= figures["bp"]:
            fail(f"{label}: flash point {fp} C not below the boiling point {bp} C")
        if cls != "none" and "fp" in figures and cls != flammability_class(figures["fp"], figures.get("bp")):
            fail(f"{label}: class {cls}, but flash point {fp} C and boiling point {bp} C make it "
                 f"{flammability_class(figures['fp'], figures.get('bp'))}")
        record = db.get(label)
        if record and "vp" in figures and is_number(record[5]):
            vhr = figures["vp"] * 1e6 / (float(record[5]) * 760)
            if record[6] == "none" or abs(int(record[6]) - vhr) > 0.5 + 1e-9 * vhr:
                fail(f"{label}: VHR {record[6]}, but VP {vp} and TWA {record[5]} give {vhr:.1f}")
    print(f"verify_database: {len(rows)} property rows")


def main(root):
    path = root / "resources" / "tarnwell database 1.0.txt"
    header, records = read_records(path)
    text = path.read_bytes().decode("cp1252")
    for word in ("TLV", "ACGIH"):
        if word in text:
            fail(f"the file mentions {word}")
    if not records:
        fail("no records")
        return
    last = records[-1]
    if last != ["Enter N, D, W.", "0", "0", "0", "0", "none", "none", "0", "0", "none", "", ""]:
        fail(f"last record is not the custom-entry row: {last}")
    solvents = records[:-1]
    if len(solvents) < 100:
        fail(f"only {len(solvents)} records")
    names = {r[0] for r in solvents}
    if len(names) < 100:
        fail(f"only {len(names)} distinct solvents")
    for name in REQUIRED:
        if name not in names:
            fail(f"{name} missing")

    keys = [(r[0].lower(), r[0], int(r[1]) if r[1].isdigit() else -1) for r in solvents]
    if keys != sorted(keys):
        fail("records are not sorted by name (case-insensitive), then reference")
    if len(set((r[0], r[1]) for r in solvents)) != len(solvents):
        fail("a name/reference pair appears twice")
    # Two rows of one solvent must say something different, or the user sees a repeat and a
    # needless warning about mixing references.
    bodies = [(r[0],) + tuple(r[2:11]) for r in solvents]
    for body in sorted({b for b in bodies if bodies.count(b) > 1}):
        fail(f"{body[0]}: two rows with the same numbers")

    target_cas, candidates = candidate_teas(root)
    recomputed = 0
    for r in solvents:
        name, ref, n, d, w, twa, vhr, mv, mw, twa_mg, effects, sep = r
        where = f"{name} (ref {ref})"
        if name != name.strip() or not name:
            fail(f"{where}: blanks around the name")
        if ref not in ("2", "3", "4"):
            fail(f"{where}: reference {ref!r}")
        if not all(x.isdigit() for x in (n, d, w)) or int(n) + int(d) + int(w) != 100:
            fail(f"{where}: N, D, W = {n}, {d}, {w}")
            continue
        if not (is_number(mv) and is_number(mw) and float(mv) > 0 and float(mw) > 0):
            fail(f"{where}: molar volume {mv!r} / MW {mw!r}")
            continue
        if len(mv.split(".")[-1]) != 2 or "." not in mv:
            fail(f"{where}: molar volume {mv!r} not two decimals")
        sg = float(mw) / float(mv)
        if not 0.6 <= sg <= 1.7:
            fail(f"{where}: MW / molar volume = {sg:.3f}, not a liquid solvent's specific gravity")
        if twa != "none" and not is_number(twa):
            fail(f"{where}: TWA {twa!r}")
        if twa_mg != "none" and not is_number(twa_mg):
            fail(f"{where}: TWA mg/m3 {twa_mg!r}")
        if twa != "none" and twa_mg != "none":
            expected = float(twa) * float(mw) / 24.45
            # Published pairs are rounded (formamide: 10 ppm, 15 mg/m3); a mixed-up limit is off by far more.
            if abs(float(twa_mg) - expected) > 0.25 * expected:
                fail(f"{where}: {twa} ppm and {twa_mg} mg/m3 do not describe the same limit (MW {mw})")
        if twa == "none" and vhr != "none":
            fail(f"{where}: VHR without a TWA in ppm")
        if vhr != "none":
            if not vhr.isdigit():
                fail(f"{where}: VHR {vhr!r}")
            else:
                vp = int(vhr) * float(twa) * 760 / 1e6
                if not 1e-4 <= vp <= 760:
                    fail(f"{where}: VHR {vhr} implies a vapour pressure of {vp:.4g} mmHg at 20 C")
        if not effects or effects != effects.strip():
            fail(f"{where}: effects {effects!r}")
        if sep != "":
            fail(f"{where}: separator line {sep!r}")
        cas = target_cas.get(name)
        if cas and (cas, ref) in candidates:
            recomputed += 1
            if (int(n), int(d), int(w)) not in candidates[(cas, ref)]:
                fail(f"{where}: N, D, W {n}/{d}/{w} not from any source row for {cas}: "
                     f"{sorted(candidates[(cas, ref)])}")
    if recomputed < 95:
        fail(f"only {recomputed} records could be recomputed from the sources")
    check_properties(root, solvents)
    print(f"verify_database: {len(solvents)} records, {len(names)} solvents, "
          f"{recomputed} Teas triples recomputed from the sources")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print("usage: verify_database.py REPO_ROOT", file=sys.stderr)
        sys.exit(2)
    main(Path(sys.argv[1]))
    for message in failures:
        print(f"verify_database: {message}", file=sys.stderr)
    sys.exit(1 if failures else 0)
