"""The precision check of VX.INTERPOLEX, VX.CSPLINE and VX.DURATION: random cases, the add-in's
answers through its exports, the exact answers, and the largest errors.

    python3 run.py --driver COMMAND [--count N] [--seed S] [--work DIR]
                   [--addin PATH --answers NAME] [--baseline NAME] [--identical-to NAME]
                   [--most GROUP=ERROR,...]

The cases and their exact answers are kept in DIR (they take long to compute) and made again
only when missing; the add-in's answers are always made afresh, from the add-in built beside
the driver or from the one --addin names, into DIR/NAME (default answers.txt). The driver is a
command line (under Wine: "wine PATH/precision_driver.exe"). With --baseline, the answers are
also held against that earlier file of the same cases; with --identical-to, against the answers
of another build (the native one, for the Windows DLLs), and the run fails when any line differs
in any bit. With --most, the run
fails when a group's largest error relative to the terms exceeds its ERROR (in units of 2^-52;
groups: interpolex, extrapolation, cspline, exposure, final, convexity, modified), or when a
number meets an error value, a copied rate differs or a whole-day duration differs.
"""

import argparse
import os
import shlex
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import compare  # noqa: E402


def made(path, command, stdin_path=None):
    """Runs command with its output into path, through a temporary file in the same folder."""
    folder = os.path.dirname(path) or "."
    handle, partial = tempfile.mkstemp(dir=folder, prefix=".partial-")
    try:
        with os.fdopen(handle, "w") as out:
            stdin = open(stdin_path) if stdin_path else subprocess.DEVNULL
            try:
                subprocess.run(command, stdin=stdin, stdout=out, check=True)
            finally:
                if stdin_path:
                    stdin.close()
        os.replace(partial, path)
    finally:
        if os.path.exists(partial):
            os.remove(partial)


def limits(text):
    """{"interpolex": 1000.0, ...} from interpolex=1000,cspline=4,..."""
    found = {}
    for part in text.split(","):
        key, _, value = part.partition("=")
        if key not in dict(compare.Comparison.GROUPS):
            raise argparse.ArgumentTypeError("no group " + key)
        found[key] = float(value)
    return found


def read_lines(path):
    with open(path) as file:
        return file.read().splitlines()


def main():
    options = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    options.add_argument("--driver", required=True)
    options.add_argument("--count", type=int, default=10 ** 6)
    options.add_argument("--seed", type=int, default=1)
    options.add_argument("--work", default=None)
    options.add_argument("--addin", default=None)
    options.add_argument("--answers", default="answers.txt")
    options.add_argument("--baseline", default=None)
    options.add_argument("--identical-to", default=None)
    options.add_argument("--most", type=limits, default=None)
    args = options.parse_args()

    scratch = None
    if args.work is None:
        scratch = tempfile.TemporaryDirectory(prefix="vx-precision-")
        args.work = scratch.name
    os.makedirs(args.work, exist_ok=True)
    python = sys.executable
    cases_path = os.path.join(args.work, "cases-%d-%d.txt" % (args.count, args.seed))
    exact_path = os.path.join(args.work, "exact-%d-%d.txt" % (args.count, args.seed))
    answers_path = os.path.join(args.work, args.answers)
    try:
        if not os.path.exists(cases_path):
            made(cases_path, [python, os.path.join(HERE, "cases.py"), str(args.count), str(args.seed)])
        if not os.path.exists(exact_path):
            made(exact_path, [python, os.path.join(HERE, "exact.py")], cases_path)
        made(answers_path, shlex.split(args.driver) + (["--addin", args.addin] if args.addin else []), cases_path)
    except (OSError, subprocess.CalledProcessError) as failure:
        print("precision check: %s" % failure, file=sys.stderr)
        return 1

    cases, exact, answers = read_lines(cases_path), read_lines(exact_path), read_lines(answers_path)
    if not (len(cases) == len(exact) == len(answers)):
        print("the cases, the exact answers and the add-in's answers differ in length", file=sys.stderr)
        return 1
    comparison = compare.Comparison()
    for line, (case, answer, truth) in enumerate(zip(cases, answers, exact), 1):
        comparison.add(line, case, answer, truth)
    print("%d lines of cases, at least %d answers (seed %d): %s" % (len(cases), args.count, args.seed, answers_path))
    print()
    print(comparison.table())
    if args.baseline:
        baseline_path = os.path.join(args.work, args.baseline)
        if os.path.exists(baseline_path):
            print(compare.changes(cases, read_lines(baseline_path), answers))
        else:
            print("No baseline yet (%s): `make precision-baseline` makes it." % baseline_path)
    if args.identical_to:
        twin_path = os.path.join(args.work, args.identical_to)
        twin = read_lines(twin_path) if os.path.exists(twin_path) else []
        differ = sum(1 for x, y in zip(answers, twin) if x != y) + abs(len(answers) - len(twin))
        print("Against %s: %d of %d lines of answers differ in some bit" % (twin_path, differ, len(answers)))
        if differ:
            return 1
    if args.most is not None:
        beyond = comparison.beyond(args.most)
        if beyond or comparison.kind_mismatches or comparison.days_mismatches:
            print("FAILED: %s" % ", ".join(["%s beyond %g × 2^-52 of the terms" % (key, args.most[key])
                                            for key in beyond] + ["answers of the wrong kind"] *
                                           bool(comparison.kind_mismatches or comparison.days_mismatches)))
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
