#!/usr/bin/env bash
# Cross-builds Google Benchmark (Debian source package benchmark) for mingw-w64 with the
# compilers of the posix thread model, which the library needs (std::thread, std::mutex), as a
# static library in BUILD/deps/benchmark/ARCH/; only `make bench-windows` uses it. Cached by the
# Debian version; needs the deb-src entries that scripts/mingw-deps.sh adds.
# Usage: benchmark-deps.sh i686|x86_64 [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
arch=${1:?usage: benchmark-deps.sh i686|x86_64 [BUILD_DIR]}
build=$(realpath -m "${2:-$root/build}")
case "$arch" in i686|x86_64) ;; *) echo "usage: $0 i686|x86_64 [BUILD_DIR]" >&2; exit 2 ;; esac
into="$build/deps/benchmark/$arch"
recipe="recipe 2 arch $arch"
if [ -f "$into/lib/libbenchmark.a" ] && head -n 1 "$into/VERSIONS" 2>/dev/null | grep -qx "$recipe"; then
    exit 0
fi
rm -rf "$into"
mkdir -p "$into/src"
(cd "$into/src" && apt-get source -qq benchmark 2>&1 | grep -v -e '^dpkg-source: info' -e 'unsandboxed' >&2 || true)
source=$(find "$into/src" -maxdepth 1 -type d -name "benchmark-*" | head -n 1)
[ -n "$source" ] || { echo "benchmark-deps.sh: apt-get source benchmark unpacked nothing" >&2; exit 1; }
# Debian's patch reads the version from GIT_VERSION instead of git tags, as its rules pass it;
# left empty, the library's targets get an empty VERSION and CMake refuses them.
upstream=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version | sed -e 's/^[0-9]*://' -e 's/-[^-]*$//')
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S "$source" -B "$into/build" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
    -DVX_MINGW_POSIX_THREADS=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$into" -DBUILD_SHARED_LIBS=OFF -DGIT_VERSION="$upstream" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DBENCHMARK_INSTALL_DOCS=OFF >"$into/build.log" 2>&1 &&
cmake --build "$into/build" -j "${JOBS:-2}" >>"$into/build.log" 2>&1 &&
cmake --install "$into/build" >>"$into/build.log" 2>&1 ||
    { echo "benchmark-deps.sh: building Google Benchmark failed; the log: $into/build.log" >&2; tail -n 20 "$into/build.log" >&2; exit 1; }
printf '%s\nbenchmark %s\n' "$recipe" "$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)" >"$into/VERSIONS"
rm -rf "$into/build" "$into/build.log" "$into/src"
