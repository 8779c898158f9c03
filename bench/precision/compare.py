"""Holds the add-in's answers against the exact ones: the largest errors of each function, in
units in the last place of the result, relative, absolute, and relative to the terms that form
the result (in units of the double epsilon, 2^-52: what a careful evaluation in doubles loses at
most a few of; a result that cancels its terms can be no more accurate than that), and, against
a baseline, which answers changed.
"""

import math
from decimal import Decimal, localcontext

EPSILON = Decimal(2) ** -52


class Worst:
    """The largest of one measure, and the case it came from."""

    def __init__(self):
        self.value, self.line = 0.0, None

    def add(self, value, line):
        if value > self.value or self.line is None:
            self.value, self.line = value, line

    def text(self):
        if self.line is None:
            return "–"
        if self.value == math.inf:
            return "inf (line %d)" % self.line
        return "%.3g (line %d)" % (self.value, self.line)


class Group:
    def __init__(self, key, name):
        self.key, self.name = key, name
        self.cases = 0
        self.ulps, self.relative, self.absolute, self.terms = Worst(), Worst(), Worst(), Worst()
        self.off_zero = Worst()  # answers that should be 0 and are not: the largest of them

    def add(self, answer, exact, scale, line):
        with localcontext() as context:
            context.prec = 40
            self.cases += 1
            # Below the evaluation's own accuracy (40 digits) the exact answer is 0: no relative
            # measure exists there, so the answer itself is the error.
            if abs(exact) <= scale * Decimal("1e-35") or scale == 0:
                if answer != 0:
                    self.off_zero.add(abs(answer), line)
                return
            error = abs(Decimal(answer) - exact)
            self.ulps.add(float(error / Decimal(math.ulp(float(exact)))), line)
            self.relative.add(float(error / abs(exact)), line)
            self.absolute.add(float(error), line)
            self.terms.add(float(error / (scale * EPSILON)), line)

    def row(self):
        return [self.name, str(self.cases), self.ulps.text(), self.relative.text(), self.absolute.text(),
                self.terms.text(),
                self.off_zero.text()]


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


class Comparison:
    """The errors of one file of answers."""

    GROUPS = (("interpolex", "VX.INTERPOLEX inside the curve"),
              ("extrapolation", "VX.INTERPOLEX beyond the last vertex"),
              ("cspline", "VX.CSPLINE inside the curve"),
              ("exposure", "VX.DURATION exposure (row 2)"),
              ("final", "VX.DURATION final exposure (row 3)"),
              ("convexity", "VX.DURATION convexity (row 4)"),
              ("modified", "VX.DURATION modified duration (row 5)"))

    def __init__(self):
        self.groups = {key: Group(key, name) for key, name in self.GROUPS}
        self.kind_mismatches = []   # line numbers where a number met an error, or errors differ
        self.days_mismatches = []   # VX.DURATION lines whose whole-day duration differs

    def add(self, line, case, answer, exact):
        tokens, answers, exacts = case.split(), answer.split(), exact.split()
        if tokens[0] == "D":
            self._add_duration(line, answers, exacts)
        elif len(answers) != len(exacts):
            self.kind_mismatches.append(line)
        else:
            at = 2 if tokens[0] == "I" else 1
            n = int(tokens[at])
            first, last = int(tokens[at + 1]), int(tokens[at + 2 * n - 1])
            for a, got, truth in zip(tokens[at + 2 + 2 * n:], answers, exacts):
                self._add_day(line, tokens[0], int(a), first, last, got, truth)

    def _add_day(self, line, kind, a, first, last, got, truth):
        if ":" not in truth or number(got) is None:
            if got != truth:
                self.kind_mismatches.append(line)
            return
        value, scale = (Decimal(x) for x in truth.split(":"))
        if a <= first or (kind == "C" and a > last):  # a rate of the curve, copied
            if float(got) != float(value):
                self.kind_mismatches.append(line)
            return
        key = "cspline" if kind == "C" else "interpolex" if a <= last else "extrapolation"
        self.groups[key].add(float(got), value, scale, line)

    def _add_duration(self, line, answers, exacts):
        if number(exacts[0]) is None or number(answers[0]) is None:
            if answers != exacts:
                self.kind_mismatches.append(line)
            return
        if int(answers[0]) != int(exacts[0]):
            self.days_mismatches.append(line)
            return
        scales = (Decimal(exacts[5]), Decimal(exacts[6]), abs(Decimal(exacts[3])), abs(Decimal(exacts[4])))
        for row, key in enumerate(("exposure", "final", "convexity", "modified"), 1):
            self.groups[key].add(float(answers[row]), Decimal(exacts[row]), scales[row - 1], line)

    def beyond(self, limits):
        """The groups whose largest error relative to the terms exceeds its limit, or whose answer
        to an exact 0 exceeds the limit's share of 2^-52."""
        return [key for key, most in limits.items()
                if self.groups[key].terms.value > most or self.groups[key].off_zero.value > most * float(EPSILON)]

    def table(self):
        header = ["function", "cases", "largest error, ulps", "largest relative error", "largest absolute error",
                  "largest error / terms, in 2^-52", "exactly 0, answered as"]
        rows = [g.row() for g in self.groups.values()]
        lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
        lines += ["| " + " | ".join(row) + " |" for row in rows]
        lines.append("")
        lines.append("Copied rates that differ, and numbers against errors: %d%s" % (
            len(self.kind_mismatches), _first(self.kind_mismatches)))
        lines.append("VX.DURATION whole-day durations that differ from the exact ones: %d%s" % (
            len(self.days_mismatches), _first(self.days_mismatches)))
        return "\n".join(lines)


def _first(lines):
    return " (first at line %d)" % lines[0] if lines else ""


def changes(cases, baseline, current):
    """How the current answers differ from the baseline's: counts and the largest change."""
    changed, whole_changed, kind_changed, most = 0, 0, 0, (0.0, None)
    for line, (case, old, new) in enumerate(zip(cases, baseline, current), 1):
        if old == new:
            continue
        changed += 1
        olds, news = old.split(), new.split()
        if len(olds) != len(news) or any((number(x) is None) != (number(y) is None) for x, y in zip(olds, news)):
            kind_changed += 1
            continue
        if case.startswith("D") and olds[0] != news[0]:
            whole_changed += 1
        for x, y in zip(olds, news):
            if number(x) is not None and x != y:
                ulps = abs(float(x) - float(y)) / math.ulp(float(x)) if float(x) != 0 else math.inf
                if ulps > most[0]:
                    most = (ulps, line)
    return ("Against the baseline: %d of %d lines of answers changed; %d changed between a number and an error; "
            "%d VX.DURATION whole-day durations changed; largest change %.3g ulps%s" % (
                changed, len(cases), kind_changed, whole_changed, most[0],
                " (line %d)" % most[1] if most[1] else ""))
