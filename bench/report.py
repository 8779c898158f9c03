"""The benchmark table: the medians of a Google Benchmark JSON file written by varentis_bench,
the ratios the speed targets are stated in, and whether each target is met.

    python3 report.py out/bench.json [--wine LABEL=FILE ...]

With --wine, the same benchmarks of the Windows DLLs run under Wine (scripts/wine/bench.sh) are
set beside the native ones: time per call of each and their ratio, against the goal of 1.2×.

Times are CPU time (the machine is shared: wall time also counts the waits for a core), in
nanoseconds per call unless a table says otherwise. Markdown, so the README can take it whole.
"""

import json
import sys


def medians(benchmarks):
    """{(name, {arg: value}): benchmark entry} of the median aggregates (or of single runs)."""
    found = {}
    aggregated = any(b.get("run_type") == "aggregate" for b in benchmarks)
    for b in benchmarks:
        if aggregated and b.get("aggregate_name") != "median":
            continue
        if b.get("error_occurred"):
            continue
        name, *args = b["run_name"].split("/")
        found[(name, tuple(sorted(tuple(a.split(":")) for a in args)))] = b
    return found


SCALE = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


class Figures:
    def __init__(self, data):
        self.entries = medians(data["benchmarks"])

    def entry(self, name, **args):
        key = (name, tuple(sorted((k, str(v)) for k, v in args.items())))
        return self.entries.get(key)

    def ns(self, name, **args):
        e = self.entry(name, **args)
        return None if e is None else e["cpu_time"] * SCALE[e["time_unit"]]

    def counter(self, name, counter, **args):
        e = self.entry(name, **args)
        return None if e is None else e.get(counter)


def cell(value, digits=None):
    if value is None:
        return "–"
    if digits is not None:
        return "%.*f" % (digits, value)
    if value >= 100:
        return "%.0f" % value
    if value >= 10:
        return "%.1f" % value
    return "%.2f" % value


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(row) + " |" for row in rows]
    return "\n".join(lines)


def curve_table(f):
    sizes = (4, 50, 1000)
    rows = []

    def add(label, name, **args):
        rows.append([label] + [cell(f.ns(name, n=n, **args)) for n in sizes])

    for fn, bm in (("VX.INTERPOLEX", "BM_interpolex"), ("VX.CSPLINE", "BM_cspline")):
        for shuffled, beyond, what in ((0, 0, "sorted, interior day"), (1, 0, "shuffled, interior day"),
                                       (0, 1, "sorted, beyond the last vertex"),
                                       (1, 1, "shuffled, beyond the last vertex")):
            add("%s export, %s" % (fn, what), bm, shuffled=shuffled, beyond=beyond)
        if fn == "VX.INTERPOLEX":
            add("reading the 2n records and nothing else (the floor)", "BM_floor")
            add("QuantLib LogLinearInterpolation of discount factors, build + one query", "BM_ql_loglinear")
            add("QuantLib InterpolatedDiscountCurve<LogLinear>, build + one query", "BM_ql_discount_curve")
    add("QuantLib CubicInterpolation (knots at the vertex index), build + one query", "BM_ql_cubic")
    for fn, bm in (("VX.INTERPOLEX", "BM_interpolex"), ("VX.CSPLINE", "BM_cspline")):
        rows.append(["%s heap allocations per call (sorted, interior)" % fn] +
                    [cell(f.counter(bm, "allocs", n=n, shuffled=0, beyond=0)) for n in sizes])
    return table(["ns per call", "n = 4", "n = 50", "n = 1000"], rows)


def duration_table(f):
    payments = (10, 100, 1000, 10000, 65535)
    rows = [["n = %d" % n] + [cell(_us(f.ns("BM_duration", n=n, m=m))) for m in payments] for n in (50, 1000)]
    rows += [["n = %d, payments in order of days" % n] + [cell(_us(f.ns("BM_duration_sorted", n=n, m=m)))
                                                          for m in payments] for n in (50, 1000)]
    rows += [["n = %d, heap allocations per call" % n] +
             [cell(f.counter("BM_duration", "allocs", n=n, m=m)) for m in payments] for n in (50, 1000)]
    return table(["VX.DURATION, µs per call"] + ["m = %d" % m for m in payments], rows)


def grid_table(f):
    sizes = (4, 50, 1000)
    return table(["chart grid, 250 rows, µs"] + ["n = %d" % n for n in sizes],
                 [["both interpolations, every row"] + [cell(_us(f.ns("BM_chart_grid", n=n))) for n in sizes]])


HOST_SIZES = (1000, 5000, 20000, 60000)


def per_formula(f, formulas):
    ns = f.ns("BM_xlhost_calc", formulas=formulas)
    return None if ns is None else ns / formulas / 1e3


def host_table(f):
    return table(["xlhost calc, µs per formula"] + ["%d formulas" % n for n in HOST_SIZES],
                 [["recalculating the sheet"] + [cell(per_formula(f, n)) for n in HOST_SIZES]])


def _us(ns):
    return None if ns is None else ns / 1e3


def _ratio(a, b):
    return None if a is None or b is None or b == 0 else a / b


def maths_table(f, wines):
    """The elementary functions, musl's against the C runtime's, natively and under Wine."""
    header = ["ns per call", "musl, native", "glibc"]
    for label, _ in wines:
        header += ["musl, %s" % label, "mingw-w64, %s" % label]
    rows = []
    for fn in ("log1p", "expm1", "exp", "pow"):
        row = [fn, cell(f.ns("BM_%s_musl" % fn)), cell(f.ns("BM_%s_crt" % fn))]
        for _, w in wines:
            row += [cell(w.ns("BM_%s_musl" % fn)), cell(w.ns("BM_%s_crt" % fn))]
        rows.append(row)
    return table(header, rows)


def targets(f):
    """(what, measured text, target text, met) for each speed target."""
    out = []

    def add(what, value, target, met, unit="×"):
        out.append([what, "–" if value is None else cell(value) + unit, target,
                    "–" if value is None else ("met" if met(value) else "not met")])

    for n in (4, 50, 1000):
        add("QuantLib LogLinear / VX.INTERPOLEX (sorted), n = %d" % n,
            _ratio(f.ns("BM_ql_loglinear", n=n), f.ns("BM_interpolex", n=n, shuffled=0, beyond=0)),
            "≥ 5×", lambda v: v >= 5)
    for n, bound in ((50, 10), (1000, 5)):
        add("VX.INTERPOLEX (sorted) / floor, n = %d" % n,
            _ratio(f.ns("BM_interpolex", n=n, shuffled=0, beyond=0), f.ns("BM_floor", n=n)),
            "≤ %d×" % bound, lambda v, b=bound: v <= b)
    for n, bound in ((50, 2), (1000, 3)):
        add("QuantLib cubic / VX.CSPLINE (sorted), n = %d" % n,
            _ratio(f.ns("BM_ql_cubic", n=n), f.ns("BM_cspline", n=n, shuffled=0, beyond=0)),
            "≥ %d×" % bound, lambda v, b=bound: v >= b)
    add("VX.DURATION, n = 1000, m = 10⁴", _us(f.ns("BM_duration", n=1000, m=10000)), "< 1500 µs",
        lambda v: v < 1500, " µs")
    add("chart grid, 250 rows, n = 50", _us(f.ns("BM_chart_grid", n=50)), "< 50 µs", lambda v: v < 50, " µs")
    allocs = [f.counter(bm, "allocs", n=n, shuffled=s, beyond=b)
              for bm in ("BM_interpolex", "BM_cspline") for n in (4, 50, 1000) for s in (0, 1) for b in (0, 1)]
    allocs = None if None in allocs else max(allocs)
    add("heap allocations per call, VX.INTERPOLEX and VX.CSPLINE (most of any case)", allocs, "0",
        lambda v: v == 0, "")
    allocs = [f.counter("BM_duration", "allocs", n=n, m=m) for n in (50, 1000) for m in (10, 100, 1000, 10000, 65535)]
    allocs = None if None in allocs else max(allocs)
    add("VX.DURATION heap allocations per call besides its result array (most of any case)", allocs, "0",
        lambda v: v == 0, "")
    costs = [per_formula(f, n) for n in HOST_SIZES]
    add("xlhost calc, cost per formula, largest / smallest from 10³ to 6·10⁴",
        None if None in costs else max(costs) / min(costs), "≤ 1.25×", lambda v: v <= 1.25)
    return table(["target", "measured", "wanted", ""], out)


def machine(context):
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    load = context.get("load_avg")
    load_text = ", load average %s at the start" % " / ".join("%.2f" % x for x in load) if load else ""
    return "%s at %s MHz, %s cores%s (%s)" % (model, context.get("mhz_per_cpu", "?"), context.get("num_cpus", "?"),
                                              load_text, context.get("date", ""))


# The benchmarks the Windows DLLs run under Wine, and the goal for their time over the native one.
WINE_ROWS = [("VX.INTERPOLEX, sorted, interior day, n = %d" % n, "BM_interpolex", dict(n=n, shuffled=0, beyond=0))
             for n in (4, 50, 1000)]
WINE_ROWS += [("VX.CSPLINE, sorted, interior day, n = %d" % n, "BM_cspline", dict(n=n, shuffled=0, beyond=0))
              for n in (4, 50, 1000)]
WINE_ROWS += [("VX.DURATION, n = 1000, m = %d%s" % (m, ", in order" if sorted_ else ""),
               "BM_duration_sorted" if sorted_ else "BM_duration", dict(n=1000, m=m))
              for sorted_ in (False, True) for m in (1000, 10000)]
WINE_GOAL = 1.2


def wine_table(native, wines):
    header = ["ns per call", "native"]
    for label, _ in wines:
        header += [label, "ratio"]
    rows = []
    for what, name, args in WINE_ROWS:
        base = native.ns(name, **args)
        row = [what, cell(base)]
        for _, figures in wines:
            value = figures.ns(name, **args)
            ratio = _ratio(value, base)
            row += [cell(value), "–" if ratio is None else "%.2f×%s" % (ratio, "" if ratio <= WINE_GOAL else " (over %.1f×)" % WINE_GOAL)]
        rows.append(row)
    return table(header, rows)


def main(argv):
    wines = []
    args = list(argv[1:])
    while len(args) >= 2 and args[-2] == "--wine":
        label, _, path = args[-1].partition("=")
        with open(path) as file:
            wines.insert(0, (label, Figures(json.load(file))))
        args = args[:-2]
    if len(args) != 1:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    with open(args[0]) as file:
        data = json.load(file)
    f = Figures(data)
    repetitions = max((b.get("repetitions", 1) for b in data["benchmarks"]), default=1)
    print("Machine: %s. Medians of %d repetitions, CPU time.\n" % (machine(data.get("context", {})), repetitions))
    for part in (curve_table(f), duration_table(f), grid_table(f), host_table(f), maths_table(f, wines), targets(f)):
        print(part)
        print()
    if wines:
        print("The Windows DLLs under Wine, the same benchmarks in the same run (CPU time as Wine reports it):\n")
        print(wine_table(f, wines))
        print()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
