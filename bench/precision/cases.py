"""Random cases for the precision check: curves, days and portfolios as a trading sheet could
hold them, and some that no sane sheet holds (tiny, zero and huge rates, flat segments,
one-day gaps), in the precision driver's format: a curve a line with 8 requested days, or a
curve and a portfolio.

    python3 cases.py COUNT SEED > cases.txt

Lines until COUNT answers are asked for: 40 % of the lines VX.INTERPOLEX, 40 % VX.CSPLINE,
20 % VX.DURATION. The same COUNT and SEED always give the same file.
"""

DAYS_PER_CURVE = 8

import random
import sys


def rate(rng, previous):
    u = rng.random()
    if previous is not None and u < 0.05:
        return previous  # a flat segment
    if u < 0.70:
        return rng.uniform(0.02, 0.30)
    if u < 0.94:
        return 10 ** rng.uniform(-4, 0)
    if u < 0.97:
        return 0.0
    return rng.uniform(0.3, 2.0)


def curve(rng, most_vertices):
    u = rng.random()
    n = rng.randint(2, 6) if u < 0.55 else rng.randint(7, 40) if u < 0.9 else rng.randint(41, most_vertices)
    widest = max(1, min(600, 25000 // n))
    days = [rng.randint(1, 300)]
    while len(days) < n:
        days.append(days[-1] + (rng.randint(1, 3) if rng.random() < 0.1 else rng.randint(1, widest)))
    rates = []
    for _ in days:
        rates.append(rate(rng, rates[-1] if rates else None))
    return days, rates


def requested_day(rng, days):
    u = rng.random()
    if u < 0.75:
        return rng.randint(1, days[-1])
    if u < 0.85:
        return rng.choice(days)
    return rng.randint(days[-1] + 1, min(32767, days[-1] + 2000))


def years_flat(rng):
    u = rng.random()
    if u < 0.4:
        return 0.0
    if u < 0.8:
        return rng.uniform(0, 3)
    if u < 0.9:
        return float(rng.randint(1, 5))
    return rng.uniform(0, 0.01)


def vertices(days, rates):
    return "%d %s" % (len(days), " ".join("%d %r" % (w, r) for w, r in zip(days, rates)))


def portfolio(rng, last_day):
    m = rng.randint(1, 20) if rng.random() < 0.95 else rng.randint(21, 60)
    u = rng.random()
    sign = (lambda: 1) if u < 0.70 else (lambda: -1) if u < 0.85 else (lambda: rng.choice((1, -1)))
    flows = []
    for _ in range(m):
        face = 0 if rng.random() < 0.02 else sign() * rng.randint(1, 10 ** 6)
        flows.append((face, rng.randint(1, last_day + 300)))
    return "%d %s" % (m, " ".join("%d %d" % flow for flow in flows))


def requested_days(rng, days):
    return "%d %s" % (DAYS_PER_CURVE, " ".join(str(requested_day(rng, days)) for _ in range(DAYS_PER_CURVE)))


def case(rng):
    """One line and the number of answers it asks for."""
    u = rng.random()
    if u < 0.4:
        days, rates = curve(rng, 200)
        return "I %r %s %s" % (years_flat(rng), vertices(days, rates), requested_days(rng, days)), DAYS_PER_CURVE
    if u < 0.8:
        days, rates = curve(rng, 200)
        return "C %s %s" % (vertices(days, rates), requested_days(rng, days)), DAYS_PER_CURVE
    days, rates = curve(rng, 60)
    return "D %s %s" % (vertices(days, rates), portfolio(rng, days[-1])), 1


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    rng = random.Random(int(argv[2]))
    asked, wanted = 0, int(argv[1])
    while asked < wanted:
        line, answers = case(rng)
        sys.stdout.write(line + "\n")
        asked += answers
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
