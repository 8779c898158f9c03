# Sourced by the Wine scripts: the environment every Windows program of the build runs in.
# ANSI code page 1252 (LANG=C.UTF-8), no Wine chatter, and no installer prompts for Mono or
# Gecko, which would wait forever under Xvfb. The prefix's kind (WINEARCH) is the build
# folder's: vx_use_build sets it.
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# The build folder's run prefix, made once per run by make-prefix.sh.
vx_base_prefix() { echo "$1/wine/prefix"; }

# A Unix path as Windows programs see it (drive Z: is the Unix root in every Wine prefix).
vx_windows_path() {
    local path
    path=$(realpath -m "$1")
    path=${path//\//\\}
    echo "Z:$path"
}

# The kind of prefix a build folder's programs need, as its CMake configuration wrote it:
# win32 for the 32-bit build, win64 (Wine's 64-bit side, which runs 32-bit programs too) for
# the 64-bit one.
vx_use_build() {
    local arch=win32
    if [ -f "$1/wine-arch" ]; then arch=$(head -n 1 "$1/wine-arch"); fi
    case "$arch" in
        win32|win64) export WINEARCH=$arch ;;
        *) echo "$1/wine-arch: unknown Wine architecture '$arch'" >&2; exit 1 ;;
    esac
}
