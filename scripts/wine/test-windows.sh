#!/usr/bin/env bash
# The Windows side of `make test`: one fresh Wine prefix for the run, then every Windows suite
# of the build folder through ctest, each in its own copy of the prefix and on its own Xvfb.
# Usage: test-windows.sh BUILD_DIR [CTEST_ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:?usage: test-windows.sh BUILD_DIR [CTEST_ARGUMENTS...]}")
shift

"$here/make-prefix.sh" "$build"
cd "$build"
ctest --output-on-failure --schedule-random -j "${VX_JOBS:-2}" "$@"
