#!/usr/bin/env bash
# `make test` as a new user runs it on a fresh Debian 12 machine whose package source serves the
# i386 indices of the security suite broken (cut to half their size, as a mirror half way through
# a sync does): a minimal Debian 12 made by debootstrap (with git and make) in a folder of its
# own, its apt going through broken-index-proxy.py on the loopback, a fresh clone of COMMIT in it.
# The machine's own packages and apt sources are left alone. Needs root and debootstrap.
# Usage: run.sh FOLDER [COMMIT]   (output: FOLDER/make-test.log; wall time at its end)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
folder=$(realpath -m "${1:?usage: run.sh FOLDER [COMMIT]}")
commit=${2:-HEAD}
port=${VX_PROXY_PORT:-3142}
system=$folder/bookworm

if [ ! -x "$system/usr/bin/git" ]; then
    debootstrap --variant=minbase --include=git,make,ca-certificates bookworm "$system" http://deb.debian.org/debian
fi
# The sources of a fresh Debian 12, reached through the proxy.
rm -f "$system/etc/apt/sources.list"
cat >"$system/etc/apt/sources.list.d/debian.sources" <<'SOURCES'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
echo "Acquire::http::Proxy \"http://127.0.0.1:$port/\";" >"$system/etc/apt/apt.conf.d/99broken-index-proxy"
cp /etc/resolv.conf "$system/etc/resolv.conf"

python3 "$here/broken-index-proxy.py" "$port" 2>"$folder/proxy.log" &
proxy=$!
rm -rf "$system/root/varentis"
git clone -q "$root" "$system/root/varentis"
git -C "$system/root/varentis" checkout -q "$(git -C "$root" rev-parse "$commit")"
mount -t proc proc "$system/proc"
mount -t sysfs sys "$system/sys"
mount --rbind /dev "$system/dev"
mount --make-rslave "$system/dev"
finish() {
    umount -R "$system/dev" 2>/dev/null || umount -l "$system/dev" || true
    umount "$system/sys" "$system/proc" 2>/dev/null || true
    kill "$proxy" 2>/dev/null || true
}
trap finish EXIT
start=$(date +%s)
status=0
chroot "$system" /usr/bin/env -i HOME=/root TERM=xterm LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c 'cd /root/varentis && make test; status=$?; times; exit $status' >"$folder/make-test.log" 2>&1 || status=$?
echo "make test exited $status after $(( $(date +%s) - start )) s" | tee -a "$folder/make-test.log"
exit $status
