"""The x87 instructions on the paths of the worksheet functions in a built add-in: every function
the exports reach through direct calls and jumps (the calculation cores, the maths library,
whatever of the C runtime they call), disassembled with the target's objdump.

    python3 x87_in_cores.py OBJDUMP ADDIN [--most-moves N] [--list]

x87 instructions are counted in two kinds. Moves: the loads and stores of a whole double that
the i386 calling convention makes to return one (fld or fstp of a 64-bit operand, fstp of st(0)
to drop one) and what the compiler does to such a value on its way without rounding (its sign
cleared or turned by fabs or fchs, a 0 or 1 loaded by fldz or fld1): they carry its bits
unchanged. Arithmetic: everything else (a sum, a product or a power in 80-bit registers, a
conversion, a comparison, a change of the control word), which can round unlike SSE2. Exits 1
when the paths hold any arithmetic, or more moves than --most-moves (default: no limit).
"""

import argparse
import collections
import re
import subprocess
import sys

import os  # noqa: E402

# The worksheet exports, as the add-in declares them to its catalogue: a new one is followed
# without a word here.
EXPORTS_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "Funcoes",
                              "exports", "exports.h")
with open(EXPORTS_HEADER, encoding="utf-8") as header:
    EXPORTS = tuple(re.findall(r"VX_EXPORT\s+LPXLOPER\s+VX_STDCALL\s+(\w+)\s*\(", header.read()))

# What the exports also reach and is not arithmetic: memory, exceptions, the stack probe.
NOT_FOLLOWED = re.compile(r"operator new|operator delete|\bmalloc\b|\bfree\b|\bmem(cpy|move|set|cmp)\b|__cxa_|"
                          r"_Unwind_|__gxx_|std::__throw|\babort\b|chkstk|__stack_chk|\b_?_?(terminate|raise)\b")

X87 = re.compile(r"^f(?!emms|xsave|xrstor)[a-z0-9]*$")


def functions(objdump, addin):
    """{name: [(mnemonic, operands)]} and {name: set of called names} from the disassembly."""
    text = subprocess.run([objdump, "-d", "-C", "--no-show-raw-insn", addin], check=True,
                          stdout=subprocess.PIPE, universal_newlines=True).stdout
    bodies, calls = collections.defaultdict(list), collections.defaultdict(set)
    current = None
    for line in text.splitlines():
        head = re.match(r"^[0-9a-f]+ <(.+)>:$", line)
        if head:
            current = head.group(1)
            continue
        if current is None or "\t" not in line:
            continue
        instruction = line.split("\t", 1)[1].strip()
        if not instruction:
            continue
        mnemonic, _, operands = instruction.partition(" ")
        operands = operands.strip()
        bodies[current].append((mnemonic, operands))
        target = re.search(r"<([^>+]+)(\+0x[0-9a-f]+)?>", operands)
        if target and (mnemonic.startswith("call") or mnemonic.startswith("j")):
            if target.group(1) != current:
                calls[current].add(target.group(1))
    return bodies, calls


def plain(name):
    """An export's name without the i386 decoration (_interpol@16)."""
    return re.sub(r"^_|@\d+$", "", name)


def reached(bodies, calls):
    starts = [name for name in bodies if plain(name) in EXPORTS]
    seen, todo = set(), list(starts)
    while todo:
        name = todo.pop()
        if name in seen or NOT_FOLLOWED.search(name):
            continue
        seen.add(name)
        todo.extend(calls.get(name, ()))
    return starts, seen


def is_move(mnemonic, operands):
    """A load or store of a whole double (64-bit memory operand), dropping st(0), or an exact
    operation on st(0): its sign, or a constant 0 or 1."""
    if mnemonic in ("fldl", "fstpl", "fstl", "fabs", "fchs", "fldz", "fld1"):
        return True
    return mnemonic == "fstp" and operands in ("%st(0)", "%st")


def main(argv):
    options = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    options.add_argument("objdump")
    options.add_argument("addin")
    options.add_argument("--most-moves", type=int, default=None)
    options.add_argument("--list", action="store_true", help="print every function that holds x87 code")
    args = options.parse_args(argv)
    bodies, calls = functions(args.objdump, args.addin)
    starts, seen = reached(bodies, calls)
    if len(starts) != len(EXPORTS):
        print("found %d of the %d exports in %s" % (len(starts), len(EXPORTS), args.addin), file=sys.stderr)
        return 1
    moves, arithmetic = collections.Counter(), collections.Counter()
    for name in seen:
        for mnemonic, operands in bodies[name]:
            if not X87.match(mnemonic):
                continue
            if is_move(mnemonic, operands):
                moves[name] += 1
            else:
                arithmetic[name] += 1
    print("%s: %d functions on the exports' paths; x87 instructions: %d arithmetic, %d moves of a whole double"
          % (args.addin, len(seen), sum(arithmetic.values()), sum(moves.values())))
    if args.list:
        for name in sorted(set(moves) | set(arithmetic), key=lambda n: -(moves[n] + arithmetic[n])):
            print("  %5d arithmetic %5d moves  %s" % (arithmetic[name], moves[name], name))
    failed = sum(arithmetic.values()) > 0
    if args.most_moves is not None and sum(moves.values()) > args.most_moves:
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
