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

    def test_a_composition_that_does_not_add_up_stops_the_build(self):
        sources = copy.deepcopy(Built.sources)
        sources.products = [dict(sources.products[0], composition="124-18-5=82.5;95-63-6=7.5")]
        with self.assertRaises(mk.BuildError) as caught:
            mk.build_products(sources, mk.Report(), Built.shipped)
        self.assertIn("does not add to 100 %", str(caught.exception))


if __name__ == "__main__":
    unittest.main(verbosity=1)
