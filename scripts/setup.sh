#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the project.
# Runs apt-get only for packages that are missing. For the Windows side it also cross-builds,
# once, the libraries that Debian ships only for Linux (scripts/mingw-deps.sh, cached in
# build/deps/, one folder per architecture). Usage: setup.sh [native|windows|fuzz|bench|all]
# `bench` is what only `make bench` needs: QuantLib, the peer the benchmarks measure against
# (the add-in and the test suites never link it).
set -euo pipefail

side=${1:-all}

native=(build-essential cmake ninja-build pkg-config git
        libgtest-dev libgmock-dev googletest libbenchmark-dev
        libffi-dev libxlsxwriter-dev zlib1g-dev libjpeg62-turbo-dev python3 python3-openpyxl dpkg-dev)
# Both Windows builds: i686 (varentis.xll) and x86_64 (varentis64.xll); wine64 runs the 64-bit
# programs, wine32 the 32-bit ones, both in one win64 prefix.
windows=(cmake ninja-build googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64
         xvfb xauth fonts-wine libz-mingw-w64-dev dpkg-dev)
bench=(libquantlib0-dev)
# libFuzzer and the sanitizers' runtimes come with Debian's clang.
fuzz=(cmake ninja-build pkg-config clang libclang-rt-14-dev libffi-dev libxlsxwriter-dev zlib1g-dev dpkg-dev)

wanted=()
case "$side" in
  native) wanted=("${native[@]}") ;;
  windows) wanted=("${windows[@]}") ;;
  fuzz) wanted=("${fuzz[@]}") ;;
  bench) wanted=("${native[@]}" "${bench[@]}") ;;
  all) wanted=("${native[@]}" "${windows[@]}" "${fuzz[@]}") ;;
  *) echo "usage: $0 [native|windows|fuzz|bench|all]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

  for package in "${missing[@]}"; do
    if [[ "$package" == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
      $sudo dpkg --add-architecture i386
    fi
  done

  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# musl's maths, which every build compiles the calculation cores against (the Linux ones too).
"$(dirname "$0")/mingw-deps.sh" native
if [ "$side" = windows ] || [ "$side" = all ]; then
  "$(dirname "$0")/mingw-deps.sh" i686
  "$(dirname "$0")/mingw-deps.sh" x86_64
fi
