# Sourced by the set-up scripts: apt-get as a fresh machine needs it when the package source
# misbehaves. An index that cannot be fetched (a mirror half way through a sync serves a file of
# the wrong size) makes `apt-get update` fail as a whole, though every other index came in: the
# update is tried a few times and its failure alone stops nothing. What cannot be installed is
# named with apt's reason, one line a package; the rest is installed.
#
# VX_APT_UPDATE_TRIES (default 3) and VX_APT_UPDATE_PAUSE (seconds between tries, default 15)
# tune the retries.

vx_sudo=""
if [ "$(id -u)" -ne 0 ]; then vx_sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# Another apt or dpkg at work (another build's set-up, an unattended upgrade): wait for it.
vx_apt_options=(-o DPkg::Lock::Timeout=600)

# Whether a package (NAME or NAME:ARCH) is installed.
vx_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Each of the given packages that is not installed, one a line.
vx_missing() {
    local package
    for package in "$@"; do
        vx_installed "$package" || echo "$package"
    done
}

# apt's reason for a failure, on one line, from its output: the unmet dependencies and the
# error lines (E:), without the notes and progress around them (nor apt's closing remark that some
# index files failed, which the failed fetch before it says better).
vx_apt_reason() {
    awk '
        /^E: Some index files failed to download/ { next }
        /^E: / { sub(/^E: /, ""); reasons[n++] = $0; next }
        /^ [^ ].* : / || /^  +(Pre)?Depends:|^  +Breaks:|^  +Conflicts:|^  +Recommends:/ {
            line = $0; gsub(/^ +| +$/, "", line); gsub(/  +/, " ", line); reasons[n++] = line
        }
        END {
            for (i = 0; i < n; i++) printf "%s%s", (i ? "; " : ""), reasons[i]
            if (n == 0) printf "apt-get gave no reason"
        }'
}

# `apt-get update`, tried VX_APT_UPDATE_TRIES times. Answers 0 once a try succeeds; else says
# why in one line (also in vx_update_failure) and answers 1: the indices that came in are kept,
# and the caller goes on with them.
vx_update_failure=""
vx_apt_update() {
    local tries=${VX_APT_UPDATE_TRIES:-3} pause=${VX_APT_UPDATE_PAUSE:-15} try output
    vx_update_failure=""
    for ((try = 1; try <= tries; try++)); do
        if output=$($vx_sudo apt-get "${vx_apt_options[@]}" update -qq 2>&1); then
            return 0
        fi
        vx_update_failure=$(printf '%s\n' "$output" | vx_apt_reason)
        if [ "$try" -lt "$tries" ]; then
            echo "apt-get update failed (try $try of $tries), again in $pause s: $vx_update_failure"
            sleep "$pause"
        fi
    done
    echo "apt-get update failed $tries times; going on with the package lists apt has: $vx_update_failure"
    return 1
}

# Installs the given packages: all at once, or, if that fails, each on its own, so that all that
# can be installed is. Each package that could not be installed is named with apt's reason, one
# line each ("cannot install NAME: REASON"), in vx_install_failures too ("NAME<TAB>REASON" lines).
# Answers 0 when every package is installed.
vx_install_failures=""
vx_apt_install() {
    local output package status=0
    vx_install_failures=""
    [ $# -gt 0 ] || return 0
    echo "Installing: $*"
    if output=$($vx_sudo apt-get "${vx_apt_options[@]}" install -y -qq --no-install-recommends "$@" 2>&1); then
        return 0
    fi
    if [ $# -eq 1 ]; then
        vx_install_failed "$1" "$(printf '%s\n' "$output" | vx_apt_reason)"
        return 1
    fi
    for package in "$@"; do
        vx_installed "$package" && continue
        if ! output=$($vx_sudo apt-get "${vx_apt_options[@]}" install -y -qq --no-install-recommends "$package" 2>&1); then
            vx_install_failed "$package" "$(printf '%s\n' "$output" | vx_apt_reason)"
            status=1
        fi
    done
    return $status
}

vx_install_failed() {
    echo "cannot install $1: $2" >&2
    vx_install_failures+="$1"$'\t'"$2"$'\n'
}
