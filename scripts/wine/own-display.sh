#!/usr/bin/env bash
# Runs a command on an X display of its own: a fresh Xvfb, which picks a free display number
# itself (-displayfd) and is stopped after the command. Suites that shared one X server failed
# now and then with an X protocol error inside Wine; and xvfb-run -a, started by several runs
# at once, can pick the same number twice.
# Usage: own-display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: own-display.sh COMMAND [ARGUMENTS...]" >&2; exit 2; }

state=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" >/dev/null 2>"$state/log" &
server=$!
finish() {
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    rm -rf "$state"
}
trap finish EXIT

# The number is written, with a line feed, once the server accepts connections.
for _ in $(seq 1 200); do
    if [ "$(wc -l < "$state/display")" -ge 1 ]; then break; fi
    if ! kill -0 "$server" 2>/dev/null; then
        echo "own-display.sh: Xvfb did not start:" >&2
        cat "$state/log" >&2
        exit 1
    fi
    sleep 0.05
done
number=$(head -n 1 "$state/display")
[ -n "$number" ] || { echo "own-display.sh: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$number" VX_OWN_DISPLAY=1
status=0
"$@" || status=$?
exit $status
