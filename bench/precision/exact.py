"""The exact answers of the precision cases: the same rules as the worksheet functions, evaluated
with 40 significant digits (Python's decimal) and exact rationals, never in doubles.

    python3 exact.py < cases.txt > exact.txt

One line a case line: for each requested day the value and the sum of the magnitudes of the
terms that form it (what a careful double evaluation can be expected to lose accuracy against)
as VALUE:TERMS, or the error text; for VX.DURATION the five rows and then the term magnitudes
of rows 2 and 3.
"""

import math
import multiprocessing
import sys
from decimal import Decimal, localcontext
from fractions import Fraction

DIGITS = 40


def ln1p(r):
    """ln(1 + r) to about 33 digits: double log1p, refined by one Newton step on exp."""
    y = Decimal(math.log1p(r))
    return y + (1 + Decimal(r)) * (-y).exp() - 1


def as_decimal(x):
    return Decimal(x.numerator) / Decimal(x.denominator) if isinstance(x, Fraction) else Decimal(x)


class Curve:
    def __init__(self, days, rates):
        self.days, self.rates = days, rates
        self._logs = {}
        self._derivatives = None

    def derivatives(self):
        if self._derivatives is None:
            self._derivatives = spline_derivatives(self.rates)
        return self._derivatives

    def log(self, j):
        """ln(1 + r_j), the logarithm of vertex j's one-year factor."""
        if j not in self._logs:
            self._logs[j] = ln1p(self.rates[j])
        return self._logs[j]

    def exponential_log(self, k, a):
        """ln(1 + R) for a inside the segment from vertex k-1 to vertex k: the logarithm of the
        capitalisation factor, linear in the days, seen from a days."""
        w0, w1 = self.days[k - 1], self.days[k]
        t = Decimal(a - w0) / Decimal(w1 - w0)
        return ((1 - t) * w0 * self.log(k - 1) + t * w1 * self.log(k)) / a

    def extrapolation(self, a, years_flat):
        """The extrapolated level beyond the last vertex and its term magnitude, exactly."""
        w, r = self.days, [Fraction(x) for x in self.rates]
        s1 = (r[-1] - r[-2]) / (w[-1] - w[-2])
        s2 = (r[-2] - r[-3]) / (w[-2] - w[-3])
        s = 0 if s1 == 0 else s1 if s2 == 0 else s1 * min(Fraction(1), abs(s1 / s2))
        flat = math.trunc(Fraction(years_flat) * 252)
        double = math.trunc(2 * Fraction(years_flat) * 252)
        d = a - w[-1]
        slope_part = flat * (s / 2) if w[-1] + flat < a else d * s * (1 - Fraction(d, double))
        return r[-1] + slope_part, r[-1] + abs(slope_part)


def interpolex(a, years_flat, curve):
    w, r = curve.days, curve.rates
    if a > w[-1]:
        if not years_flat >= 0 or len(w) < 3:
            return "#N/A"
        value, scale = curve.extrapolation(a, years_flat)
        return (-as_decimal(value), as_decimal(scale))
    k = sum(1 for x in w if x < a)
    if k == 0:
        return (Decimal(r[0]), Decimal(r[0]))
    rate = curve.exponential_log(k, a).exp() - 1
    return (rate, abs(rate))


def spline_derivatives(rates):
    """D0 = 0; D(i-1) + 4 Di + D(i+1) = 3 (r(i+1) - r(i-1)); D(n-2) + 2 D(n-1) = 3 (r(n-1) - r(n-2))."""
    n = len(rates)
    r = [Decimal(x) for x in rates]
    gamma, delta = [Decimal(0)] * n, [Decimal(0)] * n
    for i in range(1, n - 1):
        gamma[i] = 1 / (4 - gamma[i - 1])
        delta[i] = (3 * (r[i + 1] - r[i - 1]) - delta[i - 1]) * gamma[i]
    gamma[n - 1] = 1 / (2 - gamma[n - 2])
    delta[n - 1] = (3 * (r[n - 1] - r[n - 2]) - delta[n - 2]) * gamma[n - 1]
    d = [Decimal(0)] * n
    d[n - 1] = delta[n - 1]
    for i in range(n - 2, -1, -1):
        d[i] = delta[i] - gamma[i] * d[i + 1]
    return d


def cspline(a, curve):
    w, r = curve.days, curve.rates
    if a > w[-1]:
        return (-Decimal(r[-1]), Decimal(r[-1]))
    k = sum(1 for x in w if x < a)
    if k == 0:
        return (Decimal(r[0]), Decimal(r[0]))
    d = curve.derivatives()
    t = Decimal(a - w[k - 1]) / Decimal(w[k] - w[k - 1])
    r0, r1 = Decimal(r[k - 1]), Decimal(r[k])
    terms = (r0, d[k - 1] * t, (3 * (r1 - r0) - 2 * d[k - 1] - d[k]) * t * t,
             (2 * (r0 - r1) + d[k - 1] + d[k]) * t * t * t)
    return (sum(terms), sum(abs(x) for x in terms))


def core_log(a, curve):
    """ln(1 + |interpola_exp(a, curve, 0)|): the rate a payment is discounted at."""
    w = curve.days
    if a > w[-1]:
        return Decimal(0) if len(w) < 3 else curve.log(len(w) - 1)
    k = next((j for j, x in enumerate(w) if x > a), len(w) - 1)
    return curve.log(0) if k == 0 else curve.exponential_log(k, a)


def whole_days(x):
    whole = math.floor(x)
    return whole + (1 if x - whole >= Decimal("0.5") else 0)


def duration(curve, flows):
    sides = {True: [Decimal(0)] * 4, False: [Decimal(0)] * 4}  # ΣPV, ΣWPV, ΣM, ΣC
    for face, w in flows:
        log = core_log(w, curve)
        u = log.exp()
        pv = face * (-w * log / 252).exp()
        sums = sides[face > 0]
        sums[0] += pv
        sums[1] += w * pv
        sums[2] += w * pv / (u * 252)
        sums[3] += (Decimal(w) / 252 * pv) * (Decimal(w + 252) / 252) / (u * u)
    figures = {}
    for long_side, (pv, wpv, m, c) in sides.items():
        if pv != 0:
            figures[long_side] = (whole_days(wpv / pv), m / pv, c / pv, pv * (m / pv))
        else:
            figures[long_side] = (0, m, c, pv * m)
    (d_long, m_long, c_long, risk_long), (d_short, m_short, c_short, risk_short) = figures[True], figures[False]
    net = risk_long + risk_short
    if d_long != 0 and d_short != 0:
        d = d_long if risk_long >= abs(risk_short) else d_short
        convexity = modified = Decimal(0)
    else:
        d = d_long + d_short
        convexity, modified = c_long + c_short, m_long + m_short
    if d == 0:
        return "#DIV/0!"
    if d > 32767:
        return "#NUM!"
    log_d = core_log(d, curve)
    per_risk = log_d.exp() * 252 / d
    growth = (d * log_d / 252).exp()
    exposure = net * per_risk
    scale = (abs(risk_long) + abs(risk_short)) * per_risk
    return (d, exposure, exposure * growth, convexity, modified, scale, scale * growth)


def curve_of(tokens, at):
    n = int(tokens[at])
    pairs = tokens[at + 1:at + 1 + 2 * n]
    days, rates = [int(x) for x in pairs[0::2]], [float(x) for x in pairs[1::2]]
    return Curve(days, rates), at + 1 + 2 * n


def text(answer):
    if isinstance(answer, str):
        return answer
    return " ".join(str(x) if isinstance(x, int) else format(x, ".35e") for x in answer)


def per_day(answer):
    return answer if isinstance(answer, str) else "%s:%s" % tuple(format(x, ".35e") for x in answer)


def evaluate(line):
    with localcontext() as context:
        context.prec = DIGITS
        tokens = line.split()
        kind = tokens[0]
        if kind == "I":
            years_flat = float(tokens[1])
            curve, at = curve_of(tokens, 2)
            return " ".join(per_day(interpolex(int(a), years_flat, curve)) for a in tokens[at + 1:])
        if kind == "C":
            curve, at = curve_of(tokens, 1)
            return " ".join(per_day(cspline(int(a), curve)) for a in tokens[at + 1:])
        curve, at = curve_of(tokens, 1)
        m = int(tokens[at])
        numbers = [int(x) for x in tokens[at + 1:at + 1 + 2 * m]]
        return text(duration(curve, list(zip(numbers[0::2], numbers[1::2]))))


def main(argv):
    if len(argv) != 1:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    lines = sys.stdin.read().splitlines()
    with multiprocessing.Pool() as pool:
        for answer in pool.imap(evaluate, lines, chunksize=100):
            sys.stdout.write(answer + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
