#!/usr/bin/env bash
# Runs one Windows program (a test suite) under Wine, in a prefix of its own (in-prefix.sh),
# from the program's folder.
# Usage: run-suite.sh PROGRAM.exe [ARGUMENTS...]
# The build folder is VX_WINE_BUILD, or else the folder above the program's bin/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:?usage: run-suite.sh PROGRAM.exe [ARGUMENTS...]}")
shift
export VX_WINE_BUILD=${VX_WINE_BUILD:-$(dirname "$(dirname "$program")")}
cd "$(dirname "$program")"
exec "$here/in-prefix.sh" "$(basename "$program" .exe)" wine "$program" "$@"
