#!/usr/bin/env bash
# make bench's Windows half: the benchmarks of the worksheet exports through each shipped DLL
# (build/windows/bin/varentis.xll, build/windows64/bin/varentis64.xll) under Wine, into
# out/bench-ARCH.json, for report.py to set beside the native figures of the same run. The
# benchmark program is built apart with the posix thread model (Google Benchmark needs it).
# Usage: bench.sh OUT_DIR [BENCHMARK FLAGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/env.sh"
out=$(realpath -m "${1:?usage: bench.sh OUT_DIR [BENCHMARK FLAGS...]}")
shift
mkdir -p "$out"
# Random interleaving of the repetitions faults in Google Benchmark 1.7.1 under Wine: the
# repetitions run in turn there.
flags=()
for flag in "$@"; do
    case "$flag" in --benchmark_enable_random_interleaving*) ;; *) flags+=("$flag") ;; esac
done
# The exports the goals are stated for, at the sizes they are stated for, and the maths beneath.
filter='^BM_(interpolex|cspline)/n:[0-9]+/shuffled:0/beyond:0$|^BM_duration(_sorted)?/n:1000/m:(1000|10000)$|^BM_[a-z0-9]+_(musl|crt)$'
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

for arch in i686 x86_64; do
    case "$arch" in
        i686) build=build/windows addin=varentis.xll ;;
        x86_64) build=build/windows64 addin=varentis64.xll ;;
    esac
    if [ "$arch" = i686 ] && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
        echo "bench.sh: no 32-bit Wine (Debian wine32:i386) on this machine: the 32-bit DLL is not measured" >&2
        rm -f "$out/bench-$arch.json"
        continue
    fi
    "$here/benchmark-deps.sh" "$arch" "$root/build"
    cmake --build "$root/$build" -j "${JOBS:-2}" --target varentis
    tree="$root/$build-bench"
    [ -f "$tree/CMakeCache.txt" ] ||
        cmake -S "$root" -B "$tree" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
            -DVX_MINGW_POSIX_THREADS=ON -DVX_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$tree" -j "${JOBS:-2}" --target varentis_bench
    VX_WINE_BUILD="$root/$build" VARENTIS_ADDIN="$root/$build/bin/$addin" \
        "$here/in-prefix.sh" "bench-$arch" wine "$tree/bin/varentis_bench.exe" "${flags[@]}" --benchmark_filter="$filter" \
        --benchmark_out="$(vx_windows_path "$out/bench-$arch.json")" --benchmark_out_format=json
done
