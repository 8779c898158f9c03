# Sourced by the Wine scripts: the environment every Windows program of the build runs in.
# A 32-bit prefix, ANSI code page 1252 (LANG=C.UTF-8), no Wine chatter, and no installer
# prompts for Mono or Gecko, which would wait forever under Xvfb.
export WINEARCH=win32
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
