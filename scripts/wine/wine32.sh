# Sourced: whether the 32-bit Windows suites can run on this machine, and why not. They need
# Debian's wine32 (an i386 package); when scripts/setup.sh could not install it, it wrote apt's
# reason into BUILD/wine32-unavailable, and `make test` runs every other suite and says, loudly,
# at its start and its end, that these did not run.

vx_wine32_note() { echo "$1/wine32-unavailable"; }

vx_wine32_record_missing() {
    mkdir -p "$1"
    printf '%s\n' "$2" >"$(vx_wine32_note "$1")"
}

# Prints why wine32 cannot run the 32-bit suites and answers 0; answers 1 when it is installed.
# BUILD is the project's build folder.
vx_wine32_missing() {
    if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
        return 1
    fi
    local note
    note=$(vx_wine32_note "$1")
    if [ -s "$note" ]; then head -n 1 "$note"; else echo "wine32:i386 is not installed (run scripts/setup.sh windows)"; fi
}

vx_wine32_banner() {
    local rule="!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"
    printf '%s\n%s\n%s\n' "$rule" "32-bit Windows suites NOT RUN: wine32 could not be installed: $1" "$rule"
}
