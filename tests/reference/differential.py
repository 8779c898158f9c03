"""Differential check of the worksheet functions: random but realistic sheets through
`xlhost calc`, every result cell compared with the Python reference.

    python3 differential.py PATH/TO/xlhost [--seed N] [--sheets N] [--keep DIR]
                            [--answers FILE] [--same-as FILE]
                            [--identical-to XLHOST [--identical-addin ADDIN]]

Numbers must agree within a relative 1e-12 of the magnitude of the terms that form them
(the add-in and this reference round differently); whole-number results and error values
must agree exactly. Exits 1 on the first batch with a mismatch, after printing every mismatch
of it.

The same answers, as text with every bit of each double, can be held against another build's:
--answers writes them to FILE (one line a formula cell), --same-as holds them against a FILE
written before (an older build, say, to count what changed and by how many units in the last
place), and --identical-to runs the same sheets through a second host (the native xlhost
beside xlhost.exe under Wine, with --identical-addin naming its add-in) and fails when a
single answer differs in a single bit.
"""

import csv
import io
import math
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import varentis_reference as ref  # noqa: E402
from varentis_reference import Err, Matrix, MISSING  # noqa: E402

TOLERANCE = 1e-12
ERROR_TEXTS = {v: k for k, v in Err.NAMES.items()}


def col_name(c):
    s = ""
    c += 1
    while c:
        c, rem = divmod(c - 1, 26)
        s = chr(65 + rem) + s
    return s


def addr(r, c):
    return "$%s$%d" % (col_name(c), r + 1)


def cell_text(v):
    """The CSV text that makes xlhost hold the value v."""
    if v is None:
        return ""
    if isinstance(v, bool):
        return "TRUE" if v else "FALSE"
    if isinstance(v, Err):
        return repr(v)
    if isinstance(v, float):
        return repr(v)
    return "'" + v


def literal(v):
    """The formula text of an argument."""
    if v is MISSING:
        return ""
    if isinstance(v, bool):
        return "TRUE" if v else "FALSE"
    if isinstance(v, int):
        return str(v)
    return repr(float(v))


class Case:
    def __init__(self, formula, expected, scale=None, whole=False, inputs=""):
        self.formula = formula
        self.expected = expected
        self.scale = scale
        self.whole = whole
        self.inputs = inputs


class Sheet:
    """A grid of cells; formula cells carry the reference's answer."""
    WIDTH = 16          # formula columns per row, from column FIRST_FORMULA on
    FIRST_FORMULA = 7

    def __init__(self):
        self.cells = {}
        self.cases = {}
        self.row = 0

    def put(self, r, c, text):
        self.cells[(r, c)] = text

    def block(self, columns, rows):
        """Place data columns (lists of values) from column 0 and return their first row."""
        top = self.row
        for c, column in enumerate(columns):
            for i, v in enumerate(column):
                self.put(top + i, c, cell_text(v))
        self._pending = (top, rows)
        self._slot = 0
        return top

    def formula(self, case):
        top, rows = self._pending
        r = top + self._slot // self.WIDTH
        c = self.FIRST_FORMULA + self._slot % self.WIDTH
        self._slot += 1
        self.put(r, c, case.formula)
        self.cases[(r, c)] = case

    def close_block(self):
        top, rows = self._pending
        used = (self._slot + self.WIDTH - 1) // self.WIDTH
        self.row = top + max(rows, used) + 1

    def csv_text(self):
        nrows = max(r for r, _ in self.cells) + 1
        ncols = max(c for _, c in self.cells) + 1
        out = io.StringIO()
        w = csv.writer(out, lineterminator="\n")
        for r in range(nrows):
            w.writerow([self.cells.get((r, c), "") for c in range(ncols)])
        return out.getvalue()


# ---------------------------------------------------------------- answers from xlhost

def parse_value(text):
    if text in ERROR_TEXTS:
        return Err(ERROR_TEXTS[text])
    if text.startswith("{") and text.endswith("}"):
        return [parse_value(x) for row in text[1:-1].split(";") for x in row.split(",")]
    try:
        return float(text)
    except ValueError:
        return text


def agrees(case, got):
    exp = case.expected
    if isinstance(exp, Err):
        return got == exp
    if isinstance(exp, list):
        if not isinstance(got, list) or len(got) != len(exp):
            return False
        scales = case.scale or [None] * len(exp)
        return all(agrees(Case("", e, s, whole=(i == 0)), g)
                   for i, (e, g, s) in enumerate(zip(exp, got, scales)))
    if not isinstance(got, float):
        return False
    if case.whole:
        return got == exp
    scale = max(abs(exp), case.scale or 0.0)
    return abs(got - exp) <= TOLERANCE * scale or got == exp


# ---------------------------------------------------------------- generators

def realistic_curve(rng, n):
    """n vertices: days 1..~2520, rates 2 %..30 % with a trend and noise."""
    days = sorted(rng.sample(range(1, rng.choice([300, 800, 2520, 6000])), n))
    level = rng.uniform(0.02, 0.25)
    slope = rng.uniform(-0.05, 0.08) / 2520
    return [(level + slope * d + rng.gauss(0, 0.004), float(d)) for d in days]


def curve_rows(rng, n):
    """Rows of a curve range as cells, with the dirt of a real sheet."""
    rows = [[r, d] for r, d in realistic_curve(rng, n)]
    if rng.random() < 0.25:
        for row in rows:
            if rng.random() < 0.3:
                row[0] = -row[0]
    if rng.random() < 0.3:                         # duplicates, fractional days
        for _ in range(rng.randint(1, 3)):
            base = rng.choice(rows)
            rows.append([base[0] + rng.uniform(-0.01, 0.01), base[1] + rng.choice([0.0, 0.4, 0.9])])
    if rng.random() < 0.2:
        rows.append([rng.uniform(0.1, 0.2), rng.choice([0.5, 0.9])])   # a vertex at day 0
    if rng.random() < 0.3:                         # fractional day counts
        for row in rows:
            if rng.random() < 0.3:
                row[1] = row[1] + rng.choice([0.1, 0.5, 0.99])
    rng.shuffle(rows)
    if rng.random() < 0.5:
        rows.insert(0, ["Taxa", "Dias"])
    for _ in range(rng.choice([0, 0, 1, 3])):      # unusable rows
        junk = rng.choice([[None, None], ["x", 21.0], [0.18, "21"], [True, 42.0], [0.18, False],
                           [0.19, 0.0], [0.19, -63.0], [Err(42), 10.0], [0.2, Err(7)], [None, 30.0],
                           [0.2, None], ["'0.18", 63.0]])
        rows.insert(rng.randint(0, len(rows)), list(junk))
    return rows


def bad_curve_rows(rng):
    return rng.choice([
        [["Taxa", "Dias"], [0.18, 21.0]],
        [[0.18, 21.0], [0.19, 21.0]],
        [[0.18, 21.0], [0.19, 21.5], [None, None]],
        [[0.18, 0.0], [0.19, -1.0], ["a", 5.0]],
        [[None, None], [None, None]],
        [[0.18, 0.4], [0.2, 0.9]],
    ])


def query_days(rng, pts, count):
    ws = [p[0] for p in pts] if pts else [21]
    last = ws[-1]
    out = []
    for _ in range(count):
        kind = rng.random()
        if kind < 0.25:
            a = rng.choice(ws) + rng.choice([-1, 0, 0, 1])
        elif kind < 0.75:
            a = rng.randint(1, last)
        elif kind < 0.92:
            a = last + rng.randint(1, 800)
        else:
            a = rng.choice([0, -1, -300, 1, 32767])
        out.append(a)
    return out


def years_flat(rng):
    # Uniform values make G = trunc(2 × Y × 252) odd about half the time.
    return rng.choice([MISSING, 0.0, 0.0, 0.5, 1.0, 1.7, 2.0, 0.003, -1.0, 0.25, 3.0,
                       rng.uniform(0, 3), rng.uniform(0, 0.2)])


def curve_block(sheet, rng):
    """A curve (sometimes broken) with interpolations, spline, index futures and a portfolio."""
    if rng.random() < 0.1:
        rows = bad_curve_rows(rng)
    else:
        rows = curve_rows(rng, rng.choice([2, 2, 3, 3, 4, 5, 8, 12, 20, 40]))
    portfolio = portfolio_rows(rng)
    top = sheet.block([[r[0] for r in rows], [r[1] for r in rows], [], [p[0] for p in portfolio],
                       [p[1] for p in portfolio]], max(len(rows), len(portfolio)))
    curve = Matrix(rows)
    ref_curve = addr(top, 0) + ":" + addr(top + len(rows) - 1, 1)
    pts = ref.read_points(curve)
    shown = "curve rows %r" % rows

    # A range of the wrong shape now and then: one row, three columns, one cell, a number.
    wrong = None
    if rng.random() < 0.15:
        wrong = rng.choice(["row", "cols", "cell", "number"])
    if wrong == "row":
        arg_text, arg = addr(top, 0) + ":" + addr(top, 1), Matrix([rows[0]])
    elif wrong == "cols":
        third = [sheet_value(sheet, top + i, 2) for i in range(len(rows))]
        arg_text = addr(top, 0) + ":" + addr(top + len(rows) - 1, 2)
        arg = Matrix([r + [x] for r, x in zip(rows, third)])
    elif wrong == "cell":
        arg_text, arg = addr(top, 1), rows[0][1]
    elif wrong == "number":
        arg_text, arg = "0.18", 0.18
    else:
        arg_text, arg = ref_curve, curve

    for a in query_days(rng, pts, 14):
        y = years_flat(rng)
        f = "=VX.INTERPOLEX(%d;%s;%s)" % (a, arg_text, literal(y))
        sheet.formula(Case(f, ref.call("VX.INTERPOLEX", [float(a), arg, y]), 1.0, inputs=shown))
    for a in query_days(rng, pts, 10):
        f = "=VX.CSPLINE(%d;%s)" % (a, arg_text)
        sheet.formula(Case(f, ref.call("VX.CSPLINE", [float(a), arg]), 1.0, inputs=shown))
    if rng.random() < 0.2:                      # fractional day arguments are truncated by Excel
        a = rng.randint(1, 300) + 0.75
        f = "=VX.INTERPOLEX(%r;%s)" % (a, arg_text)
        sheet.formula(Case(f, ref.call("VX.INTERPOLEX", [a, arg]), 1.0, inputs=shown))
    for _ in range(4):
        spot = sometimes(rng, rng.choice([rng.randint(40000, 135000), rng.randint(1, 500)]),
                         [0, -1000, 1431655765])
        days = rng.choice(query_days(rng, pts, 1) + [rng.randint(1, 500)])
        fut = sometimes(rng, spot + rng.randint(-3000, 3000), [0, -5, 2147483647])
        fair = _fair_unrounded(spot, days, arg)
        if fair is not None and _near_half(fair):
            continue
        f = "=VX.INDJUSTO(%d;%d;%s)" % (spot, days, arg_text)
        sheet.formula(Case(f, ref.call("VX.INDJUSTO", [float(spot), float(days), arg]), whole=True,
                           inputs=shown))
        f = "=VX.INDDIF(%d;%d;%d;%s)" % (spot, fut, days, arg_text)
        sheet.formula(Case(f, ref.call("VX.INDDIF", [float(spot), float(fut), float(days), arg]), whole=True,
                           inputs=shown))

    port_text = addr(top, 3) + ":" + addr(top + len(portfolio) - 1, 4)
    port = Matrix(portfolio)
    if rng.random() < 0.05:
        port_text, port = addr(top, 3) + ":" + addr(top, 3), portfolio[0][0]
    expected = ref.call("VX.DURATION", [arg, port])
    if isinstance(expected, list):
        if _duration_near_half(pts, portfolio):
            sheet.close_block()
            return
        k = ref.duration_scale(curve, port)
        d, e, fin = expected[0], expected[1], expected[2]
        rd = (fin / e) ** (252 / d) - 1 if e != 0 else 0.0
        s_e = k * (1 + rd) * 252 / d
        scale = [None, s_e, s_e * (1 + rd) ** (d / 252), None, None]
    else:
        scale = None
    f = "=VX.DURATION(%s;%s)" % (arg_text, port_text)
    sheet.formula(Case(f, expected, scale, inputs=shown + "; portfolio %r" % portfolio))
    sheet.close_block()


def sheet_value(sheet, r, c):
    return None if (r, c) not in sheet.cells else parse_value(sheet.cells[(r, c)])


def _fair_unrounded(spot, days, arg):
    if not (ref.curve_shape_ok(arg) and days > 0 and spot > 0) or ref.read_points(arg) is None:
        return None
    return ref.fair_value_unrounded(spot, days, arg)


def _near_half(x):
    frac = x - math.floor(x)
    return abs(frac - 0.5) < 1e-9 * max(1.0, abs(x)) and frac != 0.5


def _duration_near_half(pts, portfolio):
    """True when a side's Macaulay duration sits within rounding of a half day."""
    if pts is None:
        return False
    for sign in (1, -1):
        spv = swpv = 0.0
        for face, days in portfolio:
            if type(face) is float and type(days) is float and days > 0:
                w, f = math.trunc(days), math.trunc(face)
                if (f > 0) == (sign > 0):
                    r = abs(ref.interpola_exp(w, pts))
                    pv = f / (1 + r) ** (w / 252)
                    spv += pv
                    swpv += w * pv
        if spv != 0 and _near_half(swpv / spv):
            return True
    return False


def portfolio_rows(rng):
    m = rng.randint(1, 10)
    mode = rng.choice(["long", "long", "short", "mixed", "mixed", "zero"])
    rows = []
    for _ in range(m):
        face = float(rng.choice([1000, 10000, 100000, 1000000, 5000000]) * rng.randint(1, 20))
        if rng.random() < 0.2:
            face += rng.choice([0.9, 0.5, 0.1])
        if mode == "short" or (mode == "mixed" and rng.random() < 0.5):
            face = -face
        if mode == "zero":
            face = 0.0
        days = float(rng.randint(1, rng.choice([252, 1260, 2520])))
        if rng.random() < 0.1:
            days += 0.6
        rows.append([face, days])
    if rng.random() < 0.3:
        rows.insert(0, ["Valor de face", "Dias"])
    if rng.random() < 0.2:
        rows.insert(rng.randint(0, len(rows)), rng.choice([[None, None], [1000.0, "x"], [1000.0, 0.0],
                                                            ["y", 21.0], [500.0, -3.0]]))
    if rng.random() < 0.05:
        rows = [["a", "b"], [1000.0, "x"]]
    if rng.random() < 0.03:
        rows.append([rng.uniform(0.5, 0.99) * 2 ** 32, 100.0])     # a face beyond 32 bits
    return rows


def scalar_case(sheet, rng, name, args, scale=None, whole=False):
    f = "=%s(%s)" % (name, ";".join(literal(a) for a in args))
    sheet.formula(Case(f, ref.call(name, [float(a) if isinstance(a, int) and not isinstance(a, bool) else a
                                          for a in args]), scale, whole, inputs="literal arguments"))


def sometimes(rng, good, bad, p=0.05):
    """Mostly the realistic value, now and then one from the edges."""
    return rng.choice(bad) if rng.random() < p else good


def hedge_cases(sheet, rng, count):
    for _ in range(count):
        r_h = sometimes(rng, rng.uniform(0.02, 0.25), [0.0, -0.1])
        n_h = sometimes(rng, rng.randint(1, 2520), [0, -1, 40000])
        v = sometimes(rng, rng.choice([1, -1]) * rng.randint(1, 2000) * 10000, [0, 2147483647, -2147483648])
        r_p = sometimes(rng, rng.uniform(0.02, 0.25), [0.0, -0.05])
        n_p = sometimes(rng, rng.randint(1, 2520), [0, 30000])
        n_t = sometimes(rng, rng.choice([MISSING, MISSING, 0, rng.randint(1, 2600)]), [-1])
        r_t = sometimes(rng, rng.choice([MISSING, rng.uniform(0.02, 0.25)]), [0.0])
        beta = sometimes(rng, rng.choice([MISSING, MISSING, 1.0, rng.uniform(0.5, 1.5), 2.0]), [-1.0, 0.0, 1e6])
        args = [r_h, n_h, v, r_p, n_p, n_t, r_t, beta]
        while args and args[-1] is MISSING:
            args.pop()
        scalar_case(sheet, rng, "VX.HEDGE", args, whole=True)
        if rng.random() < 0.2 and v != -2147483648:     # the mirrored short position
            args[2] = -v
            scalar_case(sheet, rng, "VX.HEDGE", args, whole=True)


def clock(h, m, s=0):
    return (h * 3600 + m * 60 + s) / 86400


def volproj_cases(sheet, rng, count):
    for _ in range(count):
        s = clock(rng.choice([9, 9, 10]), rng.choice([0, 30]))
        e = clock(rng.choice([16, 17, 18]), rng.choice([0, 30, 55]))
        if rng.random() < 0.6:
            l = clock(12, rng.choice([0, 30]))
            r = clock(13, rng.choice([0, 30]))
        else:
            l, r = MISSING, MISSING
        if rng.random() < 0.1:
            l, r = rng.choice([(r, l), (clock(12, 0), MISSING), (clock(12, 0), clock(12, 0)),
                               (MISSING, clock(13, 0)), (1.2, 1.3), (-0.1, 0.5)])
        t = rng.choice([rng.uniform(0, 1), rng.uniform(s, e), s, e, l if l is not MISSING else s,
                        r if r is not MISSING else e, clock(rng.randint(0, 23), rng.randint(0, 59),
                                                              rng.randint(0, 59)), 1.5, -0.2, 1.0, 0.0])
        v = rng.choice([rng.randint(1, 5000000)] * 6 + [0, -10, 2147483647, 1])
        if rng.random() < 0.05:
            s, e = e, s
        args = [t, v, s, e, l, r]
        while args and args[-1] is MISSING:
            args.pop()
        scalar_case(sheet, rng, "VX.VOLPROJ", args, whole=True)


def indtaxa_cases(sheet, rng, count):
    for _ in range(count):
        spot = sometimes(rng, rng.randint(40000, 135000), [0, -1, 1])
        fut = sometimes(rng, int(spot * rng.uniform(0.9, 1.25)), [spot, 0, -3, 2147483647], 0.15)
        days = sometimes(rng, rng.randint(1, 1000), [252, 0, -2, 1], 0.15)
        f = ref.call("VX.INDTAXA", [float(fut), float(days), float(spot)])
        scale = abs(f) + 1 if isinstance(f, float) else None
        scalar_case(sheet, rng, "VX.INDTAXA", [fut, days, spot], scale)


def legs(rng):
    today = rng.randint(44927, 47118)             # 2023..2028
    t_s = today + rng.randint(15, 400)
    t_l = t_s + rng.randint(28, 720)
    n_s = max(1, int((t_s - today) * 252 / 365))
    n_l = int((t_l - today) * 252 / 365)
    r_s = rng.uniform(0.08, 0.15)
    r_l = r_s + rng.uniform(-0.02, 0.02)
    return today, t_s, t_l, n_s, n_l, r_s, r_l


def fx_scale(name, args, result):
    """Magnitude of Φ/K × 360/d, which the cancelling − 1 leaves behind."""
    if not isinstance(result, float):
        return None
    return abs(result) * 10 + 10.0


def fx_cases(sheet, rng, count):
    for _ in range(count):
        today, t_s, t_l, n_s, n_l, r_s, r_l = legs(rng)
        p_s = rng.choice([rng.uniform(4800, 5600), 0.0, MISSING, 2500.0, 5000.0])
        roll = rng.uniform(5, 60) if isinstance(p_s, float) and p_s > 0 else rng.uniform(-0.05, 0.15)
        c = rng.uniform(0.0, 0.09)
        # Validation boundaries now and then.
        pick = rng.random()
        if pick < 0.05:
            t_l = t_s
        elif pick < 0.08:
            t_l = t_s - rng.randint(1, 30)
        elif pick < 0.11:
            n_l = n_s
        elif pick < 0.13:
            r_s = rng.choice([0.0, -0.01])
        elif pick < 0.15:
            n_s = rng.choice([0, -4])
        elif pick < 0.17:
            p_s = -1.0
        elif pick < 0.19:                         # a discount term of exactly zero
            t_l = t_s + 360
            n_l = max(n_l, n_s + 1)
            roll, p_s, c = -1.0, MISSING, -1.0
        d = t_l - t_s
        a = [r_s, n_s, t_s, r_l, n_l, t_l, roll, p_s]
        res = ref.call("VX.CUPOM_FRA", a)
        scalar_case(sheet, rng, "VX.CUPOM_FRA", [x for x in a if x is not MISSING] if a[-1] is MISSING
                    else a, fx_scale("cupfra", a, res))
        # cupdesvimp inverts cupfra when the roll is a rate.
        if isinstance(res, float) and p_s is MISSING and rng.random() < 0.5:
            c = res
        ps2 = p_s if isinstance(p_s, float) else rng.uniform(4800, 5600)
        a = [c, t_l, n_l, r_s, n_s, t_s, r_l]
        scalar_case(sheet, rng, "VX.CUPOM_DESVIMP", a, fx_scale("", a, ref.call("VX.CUPOM_DESVIMP", a)))
        a = [c, t_l, n_l, r_s, n_s, ps2, t_s, r_l]
        res = ref.call("VX.CUPOM_ROLIMP", a)
        scalar_case(sheet, rng, "VX.CUPOM_ROLIMP", a,
                    abs(ps2) * 30 * 10 / max(abs(d), 1) + abs(res) if isinstance(res, float) else None)
        q = rng.choice([rng.randint(1, 5000), -rng.randint(1, 5000), 0, 2147483647, 100])
        cc = rng.choice([c, 0.0, -0.5, 0.025])
        if d == 360 and rng.random() < 0.5:
            cc = -1.0
        x = None
        if t_l > t_s:
            div = d * ref.INV360 * cc + 1
            x = q / div if div else None
        if x is None or not _near_half(x):
            scalar_case(sheet, rng, "VX.CUPOM_FRACRUTA", [cc, q, t_l, t_s], whole=True)

        # Dirty coupon: PTAX of today or a dollar future.
        x0 = sometimes(rng, rng.uniform(4.8, 5.6), [0.0, -1.0])
        if rng.random() < 0.5:
            t2, p2 = today, x0 * rng.uniform(0.98, 1.02) if x0 > 0 else 5.0
        else:
            t2, p2 = today + rng.randint(1, 60), rng.uniform(4800, 5700)
        tl = t2 + rng.randint(1, 700)
        t0 = today
        pick = rng.random()
        if pick < 0.05:
            tl = t2
        elif pick < 0.08:
            t0 = tl                               # no calendar days to the long leg
            t2 = tl - rng.randint(1, 10)
        elif pick < 0.1:
            t0 = today + rng.randint(-20, 20)
        nl = sometimes(rng, max(1, int((tl - today) * 252 / 365)), [0, -1])
        rtype = rng.choice([MISSING, False, True, 0, 1])
        roll = rng.uniform(0.0, 0.12) if rtype in (True, 1) else rng.uniform(0, 60)
        a = [x0, p2, t2, t0, rng.uniform(0.08, 0.15), nl, tl, roll, rtype]
        res = ref.call("VX.CUPOM_SUJO", a)
        scalar_case(sheet, rng, "VX.CUPOM_SUJO", a if rtype is not MISSING else a[:-1],
                    abs(res) * 10 + 400.0 / max(abs(tl - t0), 1) if isinstance(res, float) else None)


def calendar_cases(sheet, rng, count):
    """VX.DU and VX.DIAUTIL on trade dates of every era, around the change of 26 December 2023
    and at the limits; the DI1 price, rate and DV01."""
    change = ref.CHANGE_DATE
    for _ in range(count):
        a = rng.choice([rng.randint(36892, 58000), rng.randint(change - 700, change + 700),
                        rng.randint(2950000, 2958465)])
        a = sometimes(rng, a + rng.choice([0.0, 0.0, 0.25, 0.999]), [36891, 36891.5, 2958466, -1.0, 0.0], 0.08)
        b = sometimes(rng, a + rng.randint(-2500, 2500), [36891, 2958465, 2958466], 0.08)
        regime = sometimes(rng, rng.choice([MISSING, 0, 1, 1]), [2, -1, 0.5], 0.08)
        args = [a, b] + ([] if regime is MISSING else [regime])
        scalar_case(sheet, rng, "VX.DU", args, whole=True)
        n = sometimes(rng, rng.choice([0, rng.randint(-1500, 1500), rng.randint(-5, 5)]), [1.9, -1.9, 3e6], 0.08)
        scalar_case(sheet, rng, "VX.DIAUTIL", [a, n] + ([] if regime is MISSING else [regime]), whole=True)
        rate = sometimes(rng, rng.uniform(0.02, 0.30), [-1.0, -0.5, 0.0, -1.5])
        du_ = sometimes(rng, rng.randint(1, 2520), [0, -3, 1.5, 2520 * 40])
        for name in ("VX.DI1_PU", "VX.DI1_DV01"):
            scalar_case(sheet, rng, name, [rate, du_])
        pu = sometimes(rng, rng.uniform(30000.0, 99999.99), [0.0, -1.0, 100000.0, 1e-300])
        scalar_case(sheet, rng, "VX.DI1_TAXA", [pu, du_])


def fixed_block(sheet):
    """Hand-placed inputs at the edges: exact halves, 32-bit limits, the day-0 vertex."""
    # Beyond the last vertex the carry rate is exactly 0.5, so the fair value is 1.5 × spot.
    rows = [[0.1, 21.0], [0.2, 63.0], [0.5, 100.0]]
    top = sheet.block([[r[0] for r in rows], [r[1] for r in rows]], len(rows))
    c = addr(top, 0) + ":" + addr(top + 2, 1)
    curve = Matrix(rows)
    shown = "curve rows %r" % rows
    for spot in (30001, 3, 1431655764, 1431655765):            # halves round up
        sheet.formula(Case("=VX.INDJUSTO(%d;252;%s)" % (spot, c),
                           ref.call("VX.INDJUSTO", [float(spot), 252.0, curve]), whole=True, inputs=shown))
    for fut in (-2147483000, 2147483647, -1):                  # the difference beyond 32 bits
        sheet.formula(Case("=VX.INDDIF(1431655764;%d;252;%s)" % (fut, c),
                           ref.call("VX.INDDIF", [1431655764.0, float(fut), 252.0, curve]), whole=True,
                           inputs=shown))
    sheet.close_block()

    # A vertex at day 0, and a portfolio paid on day 0 only.
    rows = [[0.5, 252.0], [0.25, 504.0], [0.6, 756.0], [0.12, 0.5]]
    top = sheet.block([[r[0] for r in rows], [r[1] for r in rows], [], [1000.0, 0.0, 0.0, 1000.0],
                       [0.5, 0.5, 0.9, 21.0]], len(rows))
    c = addr(top, 0) + ":" + addr(top + 3, 1)
    curve = Matrix(rows)
    shown = "curve rows %r" % rows
    for a in (1, 100, 252, 300):
        sheet.formula(Case("=VX.INTERPOLEX(%d;%s)" % (a, c), ref.call("VX.INTERPOLEX", [float(a), curve]),
                           1.0, inputs=shown))
    for last in (2, 3):
        p = addr(top, 3) + ":" + addr(top + last - 1, 4)
        port = Matrix([[1000.0, 0.5], [0.0, 0.5], [0.0, 0.9], [1000.0, 21.0]][:last])
        sheet.formula(Case("=VX.DURATION(%s;%s)" % (c, p), ref.call("VX.DURATION", [curve, port]),
                           inputs=shown + "; portfolio %r" % port.rows))
    p = addr(top, 3) + ":" + addr(top + 3, 4)
    port = Matrix([[1000.0, 0.5], [0.0, 0.5], [0.0, 0.9], [1000.0, 21.0]])
    sheet.formula(Case("=VX.DURATION(%s;%s)" % (c, p), ref.call("VX.DURATION", [curve, port]),
                       [None, 1e4, 1e4, None, None], inputs=shown + "; portfolio %r" % port.rows))
    sheet.close_block()

    # A flat zero curve: equal rate risk on both sides is a tie, which the long side takes.
    rows = [[0.0, 21.0], [0.0, 252.0], [0.0, 504.0]]
    portfolio = [[2000.0, 100.0], [-1000.0, 200.0], [-1000.0, 100.0], [2000.0, 200.0]]
    top = sheet.block([[r[0] for r in rows], [r[1] for r in rows], [], [p[0] for p in portfolio],
                       [p[1] for p in portfolio]], len(portfolio))
    c = addr(top, 0) + ":" + addr(top + 2, 1)
    for first in (0, 2):
        p = addr(top + first, 3) + ":" + addr(top + first + 1, 4)
        port = Matrix(portfolio[first:first + 2])
        sheet.formula(Case("=VX.DURATION(%s;%s)" % (c, p), ref.call("VX.DURATION", [Matrix(rows), port]),
                           [None, 1e4, 1e4, None, None], inputs="zero curve; portfolio %r" % port.rows))
    # Halves of the short-leg count: the divisor is exactly 2 over 360 days at 100 %.
    for q in (195, -195, 197, -197, 2147483647):
        sheet.formula(Case("=VX.CUPOM_FRACRUTA(1;%d;45360;45000)" % q,
                           ref.call("VX.CUPOM_FRACRUTA", [1.0, float(q), 45360.0, 45000.0]), whole=True,
                           inputs="literal arguments"))
    sheet.close_block()


def limits_block(sheet):
    """Inputs at the limits of the integer types and of doubles."""
    curves = [
        [[0.18, 21.0], [0.19, 3e9], [0.2, 252.0]],              # a vertex beyond 31 bits
        [[0.18, 21.0], [0.19, 4294967295.5], [0.2, 252.0]],     # the last unsigned 32-bit day
        [[0.18, 21.0], [0.19, 4294967296.0]],                   # beyond 32 bits
        [[0.18, 21.0], [0.19, 5e9], ["Taxa", "Dias"]],
        [[1e300, 21.0], [1e300, 63.0], [1e300, 252.0]],         # absurd rates
        [[1e308, 21.0], [0.1, 63.0], [0.2, 252.0]],
    ]
    portfolio = [[1000.0, 40000.0], [1000.0, 5e9], [5e9, 21.0], [1000.0, 30000.0], [-3e9, 100.0],
                 [1000.0, 2147483647.0], [1000.0, 32767.0]]
    for rows in curves:
        top = sheet.block([[r[0] for r in rows], [r[1] for r in rows], [], [p[0] for p in portfolio],
                           [p[1] for p in portfolio]], max(len(rows), len(portfolio)))
        c = addr(top, 0) + ":" + addr(top + len(rows) - 1, 1)
        curve = Matrix(rows)
        shown = "curve rows %r" % rows
        for a in (10, 21, 100, 252, 300, 32767):
            for y in (MISSING, 1.0, 1e7, 1e12, 1e20, 1e300):
                if y is not MISSING and a < 300:
                    continue
                sheet.formula(Case("=VX.INTERPOLEX(%d;%s;%s)" % (a, c, literal(y)),
                                   ref.call("VX.INTERPOLEX", [float(a), curve, y]), 1.0, inputs=shown))
            sheet.formula(Case("=VX.CSPLINE(%d;%s)" % (a, c), ref.call("VX.CSPLINE", [float(a), curve]), 1.0,
                               inputs=shown))
            sheet.formula(Case("=VX.INDJUSTO(1000;%d;%s)" % (a, c),
                               ref.call("VX.INDJUSTO", [1000.0, float(a), curve]), whole=True, inputs=shown))
        for i in range(len(portfolio)):
            p = addr(top + i, 3) + ":" + addr(top + i, 4)
            port = Matrix([portfolio[i]])
            exp = ref.call("VX.DURATION", [curve, port])
            scale = [None, abs(exp[1]), abs(exp[2]), None, None] if isinstance(exp, list) else None
            sheet.formula(Case("=VX.DURATION(%s;%s)" % (c, p), exp, scale,
                               inputs=shown + "; portfolio %r" % port.rows))
        sheet.close_block()

    top = sheet.block([], 0)
    lo, hi = -2147483648, 2147483647
    fx = [
        ("VX.CUPOM_FRA", [0.1, 21, lo, 0.11, 63, hi, 0.05]),
        ("VX.CUPOM_FRA", [0.1, 21, -1, 0.11, 63, hi, 0.05]),
        ("VX.CUPOM_FRA", [0.1, 21, 0, 0.11, 63, hi, 0.05]),
        ("VX.CUPOM_DESVIMP", [0.05, hi, 63, 0.1, 21, lo, 0.11]),
        ("VX.CUPOM_ROLIMP", [0.05, hi, 63, 0.1, 21, 5000.0, lo, 0.11]),
        ("VX.CUPOM_FRACRUTA", [0.05, 1000, hi, lo]),
        ("VX.CUPOM_FRACRUTA", [0.05, 1000, hi, -1]),
        ("VX.CUPOM_FRACRUTA", [0.0, hi, 45100, 45000]),
        ("VX.CUPOM_FRACRUTA", [-0.0001, hi, 45100, 45000]),
        ("VX.CUPOM_FRACRUTA", [-3.6, 1000, 45100, 45000]),
        ("VX.CUPOM_SUJO", [5.0, 5.1, 45000, lo, 0.1, 100, 45100, 20.0]),
        ("VX.CUPOM_SUJO", [5.0, 5.1, 45000, hi, 0.1, 100, 45100, 20.0]),
        ("VX.CUPOM_SUJO", [5.0, 5.1, 45000, -hi, 0.1, 100, 45100, 20.0]),
        ("VX.CUPOM_SUJO", [5.0, 0.0, 45000, 45000, 0.1, 100, 45100, 20.0]),
        ("VX.CUPOM_SUJO", [5.0, 0.0, 45000, 45000, 0.1, 100, 45100, 0.05, True]),
        ("VX.CUPOM_SUJO", [5.0, 5000.0, 45010, 45000, 0.1, 100, 45100, -36.0, True]),
        ("VX.CUPOM_SUJO", [5.0, 5000.0, 45010, 45000, 0.1, 100, 45361, -1.0, True]),
        ("VX.CUPOM_SUJO", [5.0, 5000.0, 45010, 45000, 0.1, 100, 45100, -36000.0, True]),
        ("VX.CUPOM_SUJO", [1e-300, 5000.0, 45010, 45000, 0.1, 100, 45100, 20.0]),
        ("VX.INDTAXA", [hi, 1, 1]),
        ("VX.INDTAXA", [1, 1, hi]),
        ("VX.HEDGE", [1e-300, 1, 1000, 0.1, 100]),
        ("VX.HEDGE", [0.1, 1, hi, 1e-300, 32767, 0, 0.0, 1e300]),
        ("VX.HEDGE", [1e300, 32767, hi, 0.1, 32767]),
        ("VX.VOLPROJ", [0.5, hi, 0.375, 0.75]),
        ("VX.VOLPROJ", [0.375000000001, hi, 0.375, 0.75]),
        ("VX.VOLPROJ", [0.4, hi, 0.375, 0.75, 0.38, 0.74]),
        ("VX.VOLPROJ", [1.0, 1000, 0.0, 1.0, 1.0]),
    ]
    for name, args in fx:
        exp = ref.call(name, [float(a) if type(a) is int else a for a in args])
        whole = name in ("VX.CUPOM_FRACRUTA", "VX.HEDGE", "VX.VOLPROJ")
        scalar_case(sheet, None, name, args, abs(exp) * 10 + 1 if isinstance(exp, float) else None, whole)
    sheet.close_block()


# Realistic arguments and, per argument, a value that fails its check: every combination of
# failures is tried, so the first check in order must decide.
ORDER = [
    ("VX.HEDGE", [0.18, 252, 10000000, 0.19, 504, 126, 0.185, 1.0],
     [(0, 0.0), (1, 0), (3, -0.19), (4, 0), (5, -1), (6, 0.0)]),
    ("VX.VOLPROJ", [0.5, 1000000, 0.375, 0.75, 0.5, 0.5625],
     [(1, 0), (0, 1.5), (2, -0.1), (3, 1.01), (4, 2.0), (5, 0.45)]),
    ("VX.INDTAXA", [31000, 63, 30000], [(1, 0), (2, 0), (0, -1)]),
    ("VX.CUPOM_FRA", [0.18, 21, 39000, 0.185, 63, 39062, 25.0, 2500.0],
     [(0, 0.0), (1, 0), (7, -1.0), (4, 21), (5, 39000)]),
    ("VX.CUPOM_FRACRUTA", [0.05, 1000, 39090, 39000], [(2, 38000)]),
    ("VX.CUPOM_DESVIMP", [0.0477, 39062, 63, 0.18, 21, 39000, 0.185],
     [(1, 39000), (3, -0.18), (4, -21), (2, 20)]),
    ("VX.CUPOM_ROLIMP", [0.0477, 39062, 63, 0.18, 21, 2500.0, 39000, 0.185],
     [(1, 38000), (3, 0.0), (4, 0), (5, -2500.0), (2, 21)]),
    ("VX.CUPOM_SUJO", [2.5, 2.51, 39000, 39000, 0.185, 63, 39091, 25.0, False],
     [(0, 0.0), (5, 0), (6, 39000)]),
]


def order_block(sheet):
    import itertools
    sheet.block([], 0)
    for name, good, bad in ORDER:
        for count in range(len(bad) + 1):
            for chosen in itertools.combinations(bad, count):
                args = list(good)
                for i, v in chosen:
                    args[i] = v
                exp = ref.call(name, [float(a) if type(a) is int else a for a in args])
                whole = name in ("VX.CUPOM_FRACRUTA", "VX.HEDGE", "VX.VOLPROJ")
                scalar_case(sheet, None, name, args, abs(exp) * 10 + 1 if isinstance(exp, float) else None,
                            whole)
    sheet.close_block()
    # A curve that cannot be read loses to the checks made before it is read.
    rows = [[0.18, 21.0], [0.19, 5e9], [0.2, 63.0]]
    port = [[5e9, 21.0], [1000.0, 5e9]]
    top = sheet.block([[r[0] for r in rows], [r[1] for r in rows], [], [p[0] for p in port],
                       [p[1] for p in port]], 3)
    c = addr(top, 0) + ":" + addr(top + 2, 1)
    one = addr(top, 0) + ":" + addr(top + 1, 1)          # two rows, one beyond 32 bits
    curve, single = Matrix(rows), Matrix(rows[:2])
    for f, args in (("=VX.INTERPOLEX(0;%s)" % c, ["VX.INTERPOLEX", [0.0, curve]]),
                    ("=VX.CSPLINE(-1;%s)" % c, ["VX.CSPLINE", [-1.0, curve]]),
                    ("=VX.INDJUSTO(0;42;%s)" % c, ["VX.INDJUSTO", [0.0, 42.0, curve]]),
                    ("=VX.INDDIF(100;0;0;%s)" % c, ["VX.INDDIF", [100.0, 0.0, 0.0, curve]]),
                    ("=VX.INDJUSTO(100;42;%s)" % c, ["VX.INDJUSTO", [100.0, 42.0, curve]]),
                    ("=VX.DURATION(%s;%s)" % (one, addr(top, 3) + ":" + addr(top, 4)),
                     ["VX.DURATION", [single, Matrix(port[:1])]]),
                    ("=VX.DURATION(%s;%s)" % (one, addr(top + 1, 3) + ":" + addr(top + 1, 4)),
                     ["VX.DURATION", [single, Matrix(port[1:])]]),
                    ("=VX.DURATION(%s;%s)" % (c, addr(top, 3) + ":" + addr(top + 1, 4)),
                     ["VX.DURATION", [curve, Matrix(port)]])):
        sheet.formula(Case(f, ref.call(*args), inputs="curve rows %r; portfolio %r" % (rows, port)))
    sheet.close_block()


def build_sheet(rng, index):
    sheet = Sheet()
    if index == 0:
        fixed_block(sheet)
        limits_block(sheet)
        order_block(sheet)
    for _ in range(24):
        curve_block(sheet, rng)
    sheet.block([], 0)
    hedge_cases(sheet, rng, 60)
    volproj_cases(sheet, rng, 60)
    indtaxa_cases(sheet, rng, 30)
    fx_cases(sheet, rng, 40)
    calendar_cases(sheet, rng, 25)
    sheet.close_block()
    return sheet


def run(xlhost, sheet, path, addin=None):
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(sheet.csv_text())
    env = dict(os.environ)
    command = [xlhost] + (["--addin", addin] if addin else []) + ["--registry", path + ".registry", "calc", path]
    proc = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env, timeout=600)
    if proc.returncode != 0:
        print("xlhost calc %s exited %d:\n%s" % (path, proc.returncode, proc.stderr.decode(errors="replace")))
        return None
    grid = list(csv.reader(io.StringIO(proc.stdout.decode("utf-8"))))
    return grid


def answer_lines(path, sheet, grid):
    """One line a formula cell: where it is, its formula and the host's answer as text."""
    lines = []
    for (r, c), case in sorted(sheet.cases.items()):
        text = grid[r][c] if r < len(grid) and c < len(grid[r]) else ""
        lines.append("%s!%s%d\t%s\t%s" % (os.path.basename(path), col_name(c), r + 1, case.formula, text))
    return lines


def numbers_of(text):
    value = parse_value(text)
    values = value if isinstance(value, list) else [value]
    return [v if isinstance(v, float) else None for v in values]


def ulps_apart(x, y):
    """How many doubles lie between x and y (0 for the same bits)."""
    import struct

    def ordered(v):
        n = struct.unpack("<q", struct.pack("<d", v))[0]
        return n if n >= 0 else -(n & 0x7fffffffffffffff)
    return abs(ordered(x) - ordered(y))


def differences(these, those, label):
    """Prints how the answers `these` differ from `those` (the same cells, in the same order)."""
    if len(these) != len(those):
        print("%s: %d answers against %d" % (label, len(these), len(those)))
        return len(these) or 1
    differ, kind, most, shown = 0, 0, (0, None), 0
    per_function = {}
    for new, old in zip(these, those):
        if new == old:
            continue
        differ += 1
        cell, formula, new_text = new.split("\t")
        old_text = old.split("\t")[2]
        name = formula[1:formula.index("(")]
        per_function[name] = per_function.get(name, 0) + 1
        new_numbers, old_numbers = numbers_of(new_text), numbers_of(old_text)
        if len(new_numbers) != len(old_numbers) or any((a is None) != (b is None)
                                                       for a, b in zip(new_numbers, old_numbers)):
            kind += 1
        else:
            for a, b in zip(new_numbers, old_numbers):
                if a is not None and a != b:
                    apart = ulps_apart(a, b)
                    if apart > most[0]:
                        most = (apart, cell)
        if shown < 5:
            shown += 1
            print("  %s %s: %s against %s" % (cell, formula, new_text, old_text))
    print("%s: %d of %d answers differ (%s); %d between a number and an error or of another kind; "
          "largest difference %d units in the last place%s" % (
              label, differ, len(these), ", ".join("%s %d" % kv for kv in sorted(per_function.items())) or "none",
              kind, most[0], " (%s)" % most[1] if most[1] else ""))
    return differ


def main(argv):
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("xlhost")
    parser.add_argument("--seed", type=int, default=20240611)
    parser.add_argument("--sheets", type=int, default=6)
    parser.add_argument("--keep", help="folder to keep the generated sheets in")
    parser.add_argument("--answers", help="file to write every answer to")
    parser.add_argument("--same-as", help="file of answers, written before, to hold these against")
    parser.add_argument("--identical-to", help="a second host whose answers must be the same to the bit")
    parser.add_argument("--identical-addin", help="the add-in the second host loads")
    opts = parser.parse_args(argv)
    rng = random.Random(opts.seed)
    scratch = None if opts.keep else tempfile.TemporaryDirectory(prefix="vx-differential-")
    folder = opts.keep or scratch.name
    os.makedirs(folder, exist_ok=True)
    checked = failed = 0
    counts = {}
    answers, twins = [], []
    for i in range(opts.sheets):
        sheet = build_sheet(rng, i)
        path = os.path.join(folder, "sheet%d.csv" % i)
        grid = run(opts.xlhost, sheet, path)
        if grid is None:
            return 1
        answers += answer_lines(path, sheet, grid)
        if opts.identical_to:
            twin = run(opts.identical_to, sheet, path, opts.identical_addin)
            if twin is None:
                return 1
            twins += answer_lines(path, sheet, twin)
        for (r, c), case in sorted(sheet.cases.items()):
            text = grid[r][c] if r < len(grid) and c < len(grid[r]) else ""
            got = parse_value(text)
            checked += 1
            name = case.formula[1:case.formula.index("(")]
            counts[name] = counts.get(name, 0) + 1
            if not agrees(case, got):
                failed += 1
                print("MISMATCH %s!%s%d" % (os.path.basename(path), col_name(c), r + 1))
                print("  formula:   %s" % case.formula)
                print("  inputs:    %s" % case.inputs)
                print("  xlhost:    %s" % text)
                print("  reference: %r" % (case.expected,))
    print("checked %d cells in %d sheets (%s); %d mismatches" % (
        checked, opts.sheets, ", ".join("%s %d" % kv for kv in sorted(counts.items())), failed))
    if opts.answers:
        with open(opts.answers, "w", encoding="utf-8") as f:
            f.write("\n".join(answers) + "\n")
    if opts.same_as:
        with open(opts.same_as, encoding="utf-8") as f:
            differences(answers, f.read().splitlines(), "against " + opts.same_as)
    if opts.identical_to:
        if differences(answers, twins, "against " + opts.identical_to):
            failed += 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
