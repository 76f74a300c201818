#!/usr/bin/env python3
"""The generator's health rules and estimates, checked on the real sources.

Usage: make_database_test.py REPO_ROOT

Builds the database in memory with scripts/make-database, then breaks one rule
at a time in what would be written and expects the build's own check to stop;
the vapour-pressure equations and the estimated products are compared with
values worked by hand.
"""

import copy
import importlib.machinery
import importlib.util
import sys
import unittest
from decimal import Decimal
from pathlib import Path

ROOT = Path(sys.argv.pop(1)) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]


def load_generator():
    loader = importlib.machinery.SourceFileLoader("make_database", str(ROOT / "scripts" / "make-database"))
    spec = importlib.util.spec_from_loader("make_database", loader)
    module = importlib.util.module_from_spec(spec)
    loader.exec_module(module)
    return module


mk = load_generator()


class Built:
    """One build of the real sources, shared by the tests."""
    report = mk.Report()
    sources = mk.Sources(report)
    shipped = mk.build(sources, report)
    shipped += mk.build_products(sources, report, shipped)
    records = mk.records_of(shipped, mk.Report())
    by_name = {s.name: s for s in shipped}


class HealthRulesStopTheBuild(unittest.TestCase):
    def check_fails(self, shipped, records, message):
        with self.assertRaises(mk.BuildError) as caught:
            mk.check_rules(shipped, records)
        self.assertIn(message, str(caught.exception))

    def test_the_real_build_passes(self):
        mk.check_rules(Built.shipped, Built.records)

    def test_each_broken_rule_is_caught(self):
        # (what to break, the words the check must say)
        def repeated_row(shipped, records):
            first = next(r for r in records if r[2] == 2)
            records.append((first[0], first[1], 3, list(first[3])))

        def carcinogen_unmarked(shipped, records):
            s = next(s for s in shipped if s.name == "Benzene")
            s.effects = s.effects.replace("[carcinogen] ", "")

        def twa_too_high(shipped, records):
            next(s for s in shipped if s.name == "1,4-Dioxane").twa = "100"

        def vapour_pressure_kept(shipped, records):
            s = next(s for s in shipped if s.name == "Cumene")
            s.vp = s.npg_vp                      # the guide's 8 mmHg against 3.33 at 20 C

        cases = [(repeated_row, "repeats reference 2 exactly"),
                 (carcinogen_unmarked, "lack [carcinogen]"),
                 (twa_too_high, "above the most protective limit 1 ppm"),
                 (vapour_pressure_kept, "by more than 15 % and was not replaced")]
        for breaks, message in cases:
            with self.subTest(message):
                shipped, records = copy.deepcopy(Built.shipped), copy.deepcopy(Built.records)
                breaks(shipped, records)
                self.check_fails(shipped, records, message)


class AuditOfTheWrittenFile(unittest.TestCase):
    """The audit reads the written bytes and holds them against readings made apart from the
    rules that wrote them; each fault found in the shipped file of an earlier build is one case."""

    @classmethod
    def setUpClass(cls):
        cls.data, _ = mk.render(copy.deepcopy(Built.shipped), mk.Report(), Built.sources.compiled_used)

    def edited(self, name, field, value):
        lines = self.data.decode("cp1252").split("\r\n")
        at = lines.index(name, 5)
        lines[at + field] = value
        return "\r\n".join(lines).encode("cp1252")

    def test_the_real_build_passes(self):
        self.assertEqual(mk.audit(self.data, Built.shipped, Built.sources), [])

    def test_each_fault_of_an_earlier_file_is_caught(self):
        # (record, field: 5 TWA, 8 MW, the value an earlier build wrote, the words of the fault)
        cases = [("Trichloroethylene", 5, "100", "REL TWA of 25 ppm"),
                 ("Trichloroethylene", 5, "none", "REL TWA of 25 ppm"),
                 ("1,1,1-Trichloroethane", 5, "400", "ceiling or short-term limit of 350 ppm"),
                 ("Aromatic naphtha (C9–C10, high-flash)", 5, "none", "components have Pocket Guide limits"),
                 ("Aromatic naphtha (C9–C10, high-flash)", 5, "120", "outside its components' limits"),
                 ("Isoparaffinic solvent (isoalkanes)", 8, "114.23", "does not belong to C10-C12"),
                 ("White spirit (mineral spirits, 15–20 % aromatic)", 8, "86.18", "does not belong to C7-C12"),
                 ("1,1,2-Trichloro-1,2,2-trifluoroethane", 10, "Skin, heart, central nervous system",
                  "do not start with '[ozone-depleting, phased out]'"),
                 ("Carbon tetrachloride", 10, "[carcinogen] [ozone-depleting, phased out] Central nervous system",
                  "do not start with '[ozone-depleting, phased out]'"),
                 ("Trichloroethylene", 10, "[ozone-depleting, phased out] [carcinogen] Eyes",
                  "no Annex of the Montreal Protocol lists it")]
        for name, field, value, words in cases:
            with self.subTest(name=name, value=value):
                faults = mk.audit(self.edited(name, field, value), Built.shipped, Built.sources)
                self.assertEqual(len(faults), 1, faults)
                self.assertIn(name, faults[0])
                self.assertIn(words, faults[0])

    def test_rel_texts_of_the_osha_page(self):
        cases = [("100 ppm; (ST) 150 ppm", [100], [150]),
                 ("(C) 350 ppm [15-min]; See Appendix C; (Chloroethanes)", [], [350]),
                 ("Ca; (ST) 2 ppm [60-min]; See Appendix A", [], [2]),
                 ("Ca; < 0.1 ppm; (C) 1 ppm [15-min/day]; See Appendix A", [Decimal("0.1")], [1]),
                 ("1000 ppm; (ST) 1,250 ppm", [1000], [1250]),
                 ("350 mg/m3; (C) 1800 mg/m3 [15-min]", [], []),
                 ("Ca; See Appendix A", [], [])]
        for text, twa, short in cases:
            with self.subTest(text):
                self.assertEqual(mk.z1_rel_figures(text), (twa, short))


class OzoneDepletingSolvents(unittest.TestCase):
    def test_the_marked_solvents_are_those_on_the_annexes(self):
        marked = {s.name for s in Built.shipped if s.effects.startswith("[ozone-depleting, phased out] ")}
        self.assertEqual(marked, {"1,1,2-Trichloro-1,2,2-trifluoroethane", "1,1,1-Trichloroethane",
                                  "Carbon tetrachloride"})
        self.assertTrue(Built.by_name["Carbon tetrachloride"].effects.startswith(
            "[ozone-depleting, phased out] [carcinogen] Central nervous system"))
        self.assertFalse(any("ozone" in s.effects for s in Built.shipped if s.name not in marked))

    def test_the_annexes_by_formula(self):
        # (CAS, formula, the annex or None); the Annexes name formulas, any isomer, but for methyl chloroform
        cases = [("76-13-1", "C2F3Cl3", "A"), ("354-58-5", "C2F3Cl3", "A"),      # CFC-113 and CFC-113a
                 ("56-23-5", "CCl4", "B"), ("71-55-6", "C2H3Cl3", "B"),
                 ("79-00-5", "C2H3Cl3", None),                                    # 1,1,2-trichloroethane
                 ("1717-00-6", "C2H3FCl2", "C"), ("422-56-0", "C3HF5Cl2", "C"),   # HCFC-141b, HCFC-225ca
                 ("74-97-5", "CH2BrCl", "C"), ("74-83-9", "CH3Br", "E"),
                 ("811-97-2", "C2H2F4", None),                                    # HFC-134a: no chlorine
                 ("75-09-2", "CH2Cl2", None), ("67-66-3", "CHCl3", None), ("79-01-6", "C2HCl3", None),
                 ("127-18-4", "C2Cl4", None), ("71-43-2", "C6H6", None)]
        for cas, formula, annex in cases:
            with self.subTest(formula=formula, cas=cas):
                row = mk.controlled_substance(Built.sources, cas, mk.element_counts(formula))
                self.assertEqual(row and row["annex"], annex)


class AppendixCLimits(unittest.TestCase):
    def test_trichloroethylene_takes_the_appendix_c_twa(self):
        # Appendix C: 25 ppm (10-hour TWA) for all exposures but use as an anaesthetic; the PEL is 100 ppm.
        # mg/m3 = 25 x 131.4 / 24.45 = 134.4 -> 134; VHR = 58 x 10^6 / (25 x 760) = 3052.6 -> 3053.
        s = Built.by_name["Trichloroethylene"]
        self.assertEqual((s.twa, s.twa_mg, s.vhr), ("25", "134", "3053"))
        self.assertTrue(s.effects.endswith("; NIOSH Appendix C TWA used"), s.effects)

    def test_chloroethanes_keep_the_limits_of_their_entries(self):
        for name, twa in [("1,2-Dichloroethane", "1"), ("1,1,1-Trichloroethane", "350")]:
            with self.subTest(name):
                s = Built.by_name[name]
                self.assertEqual(s.twa, twa)
                self.assertNotIn("Appendix C", s.effects)

    def test_a_rel_pointing_to_appendix_c_without_a_row_stops_the_build(self):
        sources = copy.deepcopy(Built.sources)
        del sources.appendix_c["79-01-6"]
        with self.assertRaises(mk.BuildError) as caught:
            mk.build(sources, mk.Report())
        self.assertIn("no row for 79-01-6", str(caught.exception))


class SolventPropertiesFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data, _ = mk.render(copy.deepcopy(Built.shipped), mk.Report(), Built.sources.compiled_used)
        cls.properties = mk.render_properties(Built.shipped, Built.records, Built.sources, mk.Report())
        cls.rows = {line.split("\t")[0]: line.split("\t")[1:]
                    for line in cls.properties.decode("utf-8").splitlines() if not line.startswith("#")}

    def edited(self, label, column, value, letter):
        out = []
        for line in self.properties.decode("utf-8").split("\n"):
            fields = line.split("\t")
            if fields[0] == label:
                fields[column] = value
                fields[5] = fields[5][:column - 1] + letter + fields[5][column:]
            out.append("\t".join(fields))
        return "\n".join(out).encode("utf-8")

    def test_rows_worked_by_hand(self):
        # (label, VP, boiling point, flash point, class, source letters). °F to °C: acetone boils at 133 °F
        # = 56.1 °C, flashes at 0 °F = -17.8 °C; n-butanol's guide VP (6 mmHg) gives way to Wagner's 4.65;
        # acetonitrile's guide flash point is open cup (42 °F), IEC's closed cup 275.15 K = 2.0 °C; isooctane
        # has no guide entry: CRC 372.35 K = 99.2 °C, IEC 261.15 K = -12.0 °C; water boils at 100 in HSPiPy;
        # 1-methoxy-2-propanol's 12 mmHg is the guide's 77 °F figure, an upper bound at 20 °C; white spirit
        # takes Stoddard solvent's 309-396 °F (153.9 °C) and 102-110 °F (38.9 °C), the EHC's 0.6 kPa
        # (4.5 mmHg); mixed xylene 137-140 °C and 25 °C published, VP by Raoult; the aromatic naphtha has
        # no published range.
        cases = [("2:   Acetone", ["180", "56.1", "-17.8", "IB", "NNNN"]),
                 ("2:   n-Butanol", ["4.65", "117.2", "28.9", "IC", "ENNN"]),
                 ("2:   Acetonitrile", ["73", "81.7", "2.0", "IB", "NNFN"]),
                 ("2:   Isooctane (2,2,4-trimethylpentane)", ["38.66", "99.2", "-12.0", "none", "ECF-"]),
                 ("2:   Water", ["17.59", "100.0", "none", "none", "EH--"]),
                 ("2:   1-Methoxy-2-propanol", ["12", "120.0", "36.1", "IC", "UNNN"]),
                 ("2:   Trichloroethylene", ["58", "87.2", "none", "none", "NN--"]),
                 ("4:   White spirit (mineral spirits, 15–20 % aromatic)", ["4.5", "153.9", "38.9", "II", "PPPN"]),
                 ("4:   Xylene (mixed isomers, with ethylbenzene)", ["6.019", "137.0", "25.0", "IC", "XPPN"]),
                 ("4:   Aromatic naphtha (C9–C10, high-flash)", ["1.618", "none", "none", "none", "X---"]),
                 ("3:   Cyclohexanone", ["2.967", "155.6", "43.9", "II", "ENNN"])]
        for label, row in cases:
            with self.subTest(label):
                self.assertEqual(self.rows[label], row)

    def test_one_row_per_list_label_and_no_custom_row(self):
        labels = [f"{ref}:   {name}" for _, name, ref, _ in Built.records]
        self.assertEqual(list(self.rows)[1:], labels)
        self.assertEqual(list(self.rows)[0], "label")
        self.assertFalse(any(label.endswith("Enter N, D, W.") for label in self.rows))

    def test_the_audit_finds_each_broken_row(self):
        cases = [("2:   n-Butanol", 1, "none", "-", "vapour pressure none, though the Pocket Guide: 6 mmHg"),
                 ("2:   Furfuryl alcohol", 1, "none", "-", "vapour pressure none, though the Pocket Guide: (77°F)"),
                 ("2:   Acetone", 1, "185", "E", "VHR 947 in the database, but VP 185 mmHg and TWA 250 ppm give 974"),
                 ("2:   Acetone", 3, "none", "N", "flash_point_c 'none' with source letter 'N'"),
                 ("2:   Acetone", 4, "Class IB", "N", "flammability_class 'Class IB'"),
                 ("2:   Acetone", 2, "56,1", "N", "boiling_point_c '56,1'")]
        for label, column, value, letter, words in cases:
            with self.subTest(label=label, value=value):
                faults = mk.audit_properties(self.edited(label, column, value, letter), self.data,
                                             Built.shipped, Built.sources)
                self.assertEqual(len(faults), 1, faults)
                self.assertIn(words, faults[0])

    def test_a_missing_or_extra_row_and_a_lost_vhr_are_faults(self):
        text = self.properties.decode("utf-8")
        dropped = "".join(line + "\n" for line in text.splitlines() if not line.startswith("2:   Toluene\t"))
        faults = mk.audit_properties(dropped.encode("utf-8"), self.data, Built.shipped, Built.sources)
        self.assertEqual(faults, ["the rows are not the database's list labels in its order; missing: 2:   Toluene"])
        lines = self.data.decode("cp1252").split("\r\n")
        at = lines.index("1-Methoxy-2-propanol", 5)
        lines[at + 6] = "none"                                   # the VHR an earlier build lacked
        faults = mk.audit_properties(self.properties, "\r\n".join(lines).encode("cp1252"),
                                     Built.shipped, Built.sources)
        self.assertEqual(faults, ["2:   1-Methoxy-2-propanol: VHR none in the database, but VP 12 mmHg and "
                                  "TWA 100 ppm give 158"])

    def test_upper_bounds_of_the_guide(self):
        cases = [("(77°F): 12 mmHg", (Decimal("12"), "VHR an upper bound: VP at 25 °C")),
                 ("<0.01 mmHg", (Decimal("0.01"), "VHR an upper bound: VP below 0.01 mmHg")),
                 ("(122°F): 0.003 mmHg", None),      # 50 C bounds nothing useful
                 ("(56°F): 1 mmHg", None),           # below 20 C: a lower bound
                 ("6 mmHg", None), ("?", None)]
        for text, expected in cases:
            with self.subTest(text):
                self.assertEqual(mk.npg_upper_bound(text), expected)


class VapourPressureEquations(unittest.TestCase):
    def test_equation_forms_at_20_c(self):
        # Worked by hand at T = 293.15 K, 1 mmHg = 133.322 Pa:
        # cumene, DIPPR 101: ln P = 102.81 - 8674.6/T - 11.922 ln T + 7.0048e-6 T^2 = 6.0958, P = 444.0 Pa
        # isoamyl alcohol, DIPPR 101 (C5 = 6): ln P = 5.6321, P = 279.2 Pa
        # m-xylene, Wagner: tau = 1 - 293.15/617.05 = 0.52492, ln(P/Pc) = -8.3877, P = 3538000 e^-8.3877 = 805.4 Pa
        # acetone, Antoine (Poling): log10 P = A - B/(T + C) gives 185.4 mmHg
        cases = [("98-82-8", Built.sources.perry, "dippr101", "3.33"),
                 ("123-51-3", Built.sources.perry, "dippr101", "2.094"),
                 ("108-38-3", Built.sources.wagner, "wagner", "6.041"),
                 ("67-64-1", Built.sources.poling, "antoine10", "185.4")]
        for cas, table, form, mmhg in cases:
            with self.subTest(cas):
                self.assertEqual(mk.equation_mmhg(table[cas], form), Decimal(mmhg))

    def test_guide_values_replaced_where_the_equation_differs(self):
        # VHR = VP x 10^6 / (TWA x 760): cumene 3.33e6 / (50 x 760) = 87.6; ethylbenzene keeps the guide's
        # 7 mmHg, within 15 % of the Wagner 7.141: 7e6 / (100 x 760) = 92.1
        for name, vp, vhr in [("Cumene", "3.33", "88"), ("Isoamyl alcohol", "2.094", "28"),
                              ("m-Xylene", "6.041", "79"), ("Ethylbenzene", "7", "92")]:
            with self.subTest(name):
                s = Built.by_name[name]
                self.assertEqual((s.vp, s.vhr), (Decimal(vp), vhr))


class EstimatedProducts(unittest.TestCase):
    def figures(self, name):
        s = Built.by_name[name]
        return mk.teas_percents(*s.sets[mk.PRODUCT_REFERENCE][:3]), s.mw, s.mv, s.twa, s.vhr

    def test_white_spirit_from_its_stated_composition(self):
        # 82.5 % n-decane (MW 142.28, 100/0/0) and 17.5 % 1,2,4-trimethylbenzene (MW 120.2, 90/5/5) by mass.
        # Moles in 100 g: 82.5 / 142.28 = 0.57984 and 17.5 / 120.2 = 0.14559, so x(TMB) = 0.20070.
        # N = 0.79930 x 100 + 0.20070 x 90 = 97.993, D = W = 0.20070 x 5 = 1.0035: floors 97/1/1 leave one
        # unit, which goes to N (remainder 0.993): 98/1/1.
        # MV = 150 / 0.780 = 192.31. TWA: NIOSH 350 mg/m3 x 24.45 / 150 = 57.05 -> 57 ppm (the PEL is 500 ppm).
        # VP 0.6 kPa = 4.500 mmHg; VHR = 4.500e6 / (57 x 760) = 103.9 -> 104.
        self.assertEqual(self.figures("White spirit (mineral spirits, 15–20 % aromatic)"),
                         ([98, 1, 1], "150", "192.31", "57", "104"))

    def test_mixed_xylene_from_its_stated_composition(self):
        # o- 20 %, m- 49.5 %, p-xylene 20 %, ethylbenzene 10.5 % by mass; all C8H10 (MW 106.2), so these
        # are the mole fractions. The xylenes are 81/5/14, ethylbenzene 90/3/7:
        # N = 0.895 x 81 + 0.105 x 90 = 81.945, D = 0.895 x 5 + 0.105 x 3 = 4.790,
        # W = 0.895 x 14 + 0.105 x 7 = 13.265: floors 81/4/13 leave two units, to N (0.945) and D (0.790): 82/5/13.
        # SG = 1 / (0.2/0.88 + 0.495/0.86 + 0.2/0.86 + 0.105/0.87) = 0.86498, MV = 106.2 / 0.86498 = 122.78.
        # VP (Raoult) = 0.2 x 4.918 + 0.495 x 6.041 + 0.2 x 6.549 + 0.105 x 7 = 6.019 mmHg;
        # VHR = 6.019e6 / (100 x 760) = 79.2 -> 79.
        self.assertEqual(self.figures("Xylene (mixed isomers, with ethylbenzene)"),
                         ([82, 5, 13], "106.2", "122.78", "100", "79"))

    def test_aromatic_naphtha_limit_from_its_components(self):
        # 98 % 1,2,4-trimethylbenzene (25 ppm, 125 mg/m3), 1 % cumene (50 ppm, 245 mg/m3), 1 % m-xylene
        # (100 ppm, 435 mg/m3) by mass, the program's rule for a mixture's TWA:
        # mg/m3 = 1 / (0.98/125 + 0.01/245 + 0.01/435) = 1 / 0.0079038 = 126.52 -> 127;
        # ppm = (0.98 x 25/125 + 0.01 x 50/245 + 0.01 x 100/435) x 126.52 = 0.20034 x 126.52 = 25.35 -> 25.3.
        # Mole fractions 0.9787, 0.0100, 0.0113 (MW 120.2, 120.2, 106.2); N = 0.9787 x 90 + 0.0100 x 88
        # + 0.0113 x 81 = 89.88, D = 5.01, W = 5.11 -> 90/5/5. VP = 0.9787 x 1.549 + 0.0100 x 3.33
        # + 0.0113 x 6.041 = 1.618 mmHg; VHR = 1.618e6 / (25.3 x 760) = 84.1 -> 84.
        # MW = 100 / (98/120.2 + 1/120.2 + 1/106.2) = 120.04.
        s = Built.by_name["Aromatic naphtha (C9–C10, high-flash)"]
        self.assertEqual(self.figures(s.name)[:2], ([90, 5, 5], "120.04"))
        self.assertEqual((s.twa, s.twa_mg, s.vp, s.vhr), ("25.3", "127", Decimal("1.618"), "84"))
        self.assertIn("; TWA estimated from composition", s.effects)

    def test_isoparaffinic_solvent_weighs_as_c10_to_c12_isoalkanes(self):
        # 25 % C10H22 (142.286), 50 % C11H24 (156.313), 25 % C12H26 (170.340) by mass:
        # MW = 100 / (25/142.286 + 50/156.313 + 25/170.340) = 100 / 0.642338 = 155.68;
        # SG = 1 / (0.25/0.72812 + 0.50/0.73682 + 0.25/0.74632) = 1 / 1.356919 = 0.73696;
        # MV = 155.68 / 0.73696 = 211.25. Every alkane in the tables is 100/0/0.
        self.assertEqual(self.figures("Isoparaffinic solvent (isoalkanes)"),
                         ([100, 0, 0], "155.68", "211.25", "none", "none"))

    def test_a_composition_that_does_not_add_up_stops_the_build(self):
        sources = copy.deepcopy(Built.sources)
        sources.products = [dict(sources.products[0], composition="124-18-5=82.5;95-63-6=7.5")]
        with self.assertRaises(mk.BuildError) as caught:
            mk.build_products(sources, mk.Report(), Built.shipped)
        self.assertIn("does not add to 100 %", str(caught.exception))


if __name__ == "__main__":
    unittest.main(verbosity=1)
