#!/usr/bin/env bash
# The Windows side of `make test`: one fresh Wine prefix for the run, then every Windows suite
# of the build folder through ctest (each in its own copy of the prefix), all under one Xvfb.
# Usage: test-windows.sh BUILD_DIR [CTEST_ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:?usage: test-windows.sh BUILD_DIR [CTEST_ARGUMENTS...]}")
shift

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$@"
fi
"$here/make-prefix.sh" "$build"
cd "$build"
ctest --output-on-failure --schedule-random -j "${VX_JOBS:-2}" "$@"
