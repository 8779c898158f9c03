"""The exact evaluation against the worked examples of the functions' own documentation: a
reference that drifted from the rules would hide the add-in's errors instead of measuring them.

    python3 exact_test.py
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import exact  # noqa: E402

CURVE = "4 21 0.18 63 0.185 126 0.195 252 0.2"


def answers(line):
    return exact.evaluate(line).split()


def values(line):
    return [float(token.split(":")[0]) if ":" in token else token for token in answers(line)]


class WorkedExamples(unittest.TestCase):
    def test_exponential_interpolation_inside_before_and_beyond_the_curve(self):
        got = values("I 0.0 %s 6 10 21 42 63 100 300" % CURVE)
        for value, wanted in zip(got, (0.18, 0.18, 0.183748017, 0.185, 0.192391910, -0.20)):
            self.assertAlmostEqual(value, wanted, places=9)
        got = values("I 1.0 %s 2 300 600" % CURVE)
        self.assertAlmostEqual(got[0], -0.200430839, places=9)
        self.assertAlmostEqual(got[1], -0.20125, places=12)

    def test_a_two_vertex_curve_has_no_extrapolation(self):
        self.assertEqual(answers("I 0.0 2 21 0.18 63 0.185 1 64"), ["#N/A"])

    def test_spline_inside_and_beyond_the_curve(self):
        got = values("C %s 6 21 42 100 200 252 300" % CURVE)
        for value, wanted in zip(got, (0.18, 0.181346154, 0.191069819, 0.198463289, 0.20, -0.20)):
            self.assertAlmostEqual(value, wanted, places=9)

    def test_spline_of_two_vertices_is_flat_at_the_first(self):
        # r0 + 1.5 (r1 - r0) t² - 0.5 (r1 - r0) t³ at t = 1/2
        got = values("C 2 10 0.1 20 0.2 1 15")
        self.assertAlmostEqual(got[0], 0.1 + 0.1 * (1.5 / 4 - 0.5 / 8), places=15)

    def test_duration_of_a_long_portfolio(self):
        d, e, final, convexity, modified = answers("D %s 2 1000000 63 1000000 252" % CURVE)[:5]
        self.assertEqual(d, "151")
        self.assertAlmostEqual(float(e), 1790666.33, places=2)
        self.assertAlmostEqual(float(final), 1994039.68, places=2)
        self.assertAlmostEqual(float(convexity), 0.764993, places=6)
        self.assertAlmostEqual(float(modified), 0.500422, places=6)

    def test_duration_of_a_portfolio_with_both_sides(self):
        d, e, final, convexity, modified = answers("D %s 2 1000000 63 -500000 252" % CURVE)[:5]
        self.assertEqual(d, "252")
        self.assertAlmostEqual(float(e), -174020.57, places=2)
        self.assertAlmostEqual(float(final), -208824.68, places=2)
        self.assertEqual((float(convexity), float(modified)), (0.0, 0.0))

    def test_a_portfolio_worth_nothing_has_no_duration(self):
        self.assertEqual(answers("D %s 1 0 63" % CURVE), ["#DIV/0!"])


if __name__ == "__main__":
    unittest.main()
