#!/usr/bin/env bash
# Builds, from Debian's own source packages, the libraries a build cannot take from Debian's
# binary packages, as static libraries into BUILD/deps/FLAVOUR/ (include/, lib/, and VERSIONS,
# which records what was built):
#   i686, x86_64   for mingw-w64 (Debian ships them only for Linux): libjpeg-turbo (the add-in's
#                  JPEG decoder) and libxlsxwriter (the Windows host's .xlsx export, with Debian's
#                  libz-mingw-w64-dev)
#   fuzz           for the fuzz build, with its compiler and instrumentation (libFuzzer sees only
#                  instrumented code): libjpeg-turbo
#   native         for the Linux builds: musl's maths alone
# Every target but fuzz gets musl's maths (Debian source package musl): the elementary functions
# of the calculation cores, built from the same source with the same flags for every target, so
# that all compute the same bits (cmake/musl-math/; the fuzz build takes the native one).
# Each library is built once per flavour, Debian version, recipe and compiler, and kept in a cache
# outside the build tree (VX_DEPS_CACHE, default ~/.cache/varentis/deps), so that a fresh clone or
# `make clean` copies it instead of building it again. A BUILD/deps/FLAVOUR whose VERSIONS matches
# the recipes below is kept as it is (no apt, no network).
# A library more is one line in the flavour's list and a function `options_NAME` that gives its
# CMake options (NAME with - as _).
# Usage: mingw-deps.sh [i686|x86_64|native|fuzz] [BUILD_DIR]   (defaults: i686, build/ of the project)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
flavour=${1:-i686}
build=$(realpath -m "${2:-$root/build}")

# musl's recipe is a digest of the files that build it, so that any change to them rebuilds it.
musl_recipe=$(cat "$root"/cmake/musl-math/CMakeLists.txt "$root"/cmake/musl-math/*.[ch] \
    "$root"/cmake/musl-math/compat/*.h "$root"/cmake/musl-math/shim/*.h | sha256sum | cut -c1-16)
# Each flavour's libraries as NAME:RECIPE; raise a RECIPE when its options change, so that every
# cache of it is rebuilt.
case "$flavour" in
  i686|x86_64) libraries=(libjpeg-turbo:1 libxlsxwriter:1 "musl:$musl_recipe") ;;
  native) libraries=("musl:$musl_recipe") ;;
  fuzz) libraries=(libjpeg-turbo:1) ;;
  *) echo "usage: $0 [i686|x86_64|native|fuzz] [BUILD_DIR]" >&2; exit 2 ;;
esac

# The libjpeg v6b interface, as Debian's libjpeg62-turbo; no SIMD (it would need nasm, and the
# add-in decodes one small logo; for the fuzzer, plain C is code it can see), no TurboJPEG
# interface, no Java.
options_libjpeg_turbo() {
  echo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
}
# The bundled minizip, MD5 and temporary-file code (Debian links system copies, which mingw
# lacks); zlib is Debian's mingw build.
options_libxlsxwriter() {
  echo -DUSE_SYSTEM_MINIZIP=OFF -DUSE_OPENSSL_MD5=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DZLIB_USE_STATIC_LIBS=ON
}
# musl is built by our own CMake project over its unpacked source (only the maths, renamed).
project_musl() { echo "$root/cmake/musl-math"; }
options_musl() { echo "-DMUSL_SOURCE=$1"; }

prefix="$build/deps/$flavour"
cache=${VX_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/varentis/deps}
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
case "$flavour" in
  fuzz)
    # The fuzz build's compiler and coverage instrumentation (CMakeLists.txt, VX_FUZZ), position
    # independent since the add-in is a shared library.
    fuzz_flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    compiler=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_POSITION_INDEPENDENT_CODE=ON
              "-DCMAKE_C_FLAGS=$fuzz_flags" "-DCMAKE_CXX_FLAGS=$fuzz_flags" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    cc=clang
    triplet=x86_64-linux-gnu-fuzz ;;
  native)
    compiler=(-DCMAKE_BUILD_TYPE=Release)
    cc=gcc
    triplet=x86_64-linux-gnu ;;
  *)
    compiler=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$flavour.cmake" -DCMAKE_BUILD_TYPE=Release)
    cc=$flavour-w64-mingw32-gcc
    triplet=$flavour-w64-mingw32 ;;
esac

. "$here/apt.sh"
sudo=$vx_sudo

# One run per flavour at a time: both lanes of `make test` may ask for the same one.
mkdir -p "$build/deps"
exec 9>"$build/deps/.$flavour.lock"
flock 9

# Built already by these recipes: nothing to do.
header=$(printf 'recipe %s\narch %s' "${libraries[*]}" "$triplet")
if head -n 2 "$prefix/VERSIONS" 2>/dev/null | cmp -s - <(printf '%s\n' "$header"); then
  exit 0
fi

# Source packages come from the deb-src twin of the Debian archive that apt already uses: the
# same URIs and suites, of this release only.
enable_debian_sources() {
    if apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then return; fi
    . /etc/os-release
    local stanzas="" lines="" part file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        part=$(awk -v codename="$VERSION_CODENAME" '
            BEGIN { RS = ""; ORS = "\n" }
            {
                binary = 0; release = 0; out = ""
                n = split($0, fields, "\n")
                for (i = 1; i <= n; i++) {
                    field = fields[i]
                    if (field ~ /^Types:/) {
                        if ((" " substr(field, 7) " ") ~ / deb /) binary = 1
                        field = "Types: deb-src"
                    }
                    if (field ~ /^Suites:/ && (" " substr(field, 8) " ") ~ (" " codename "[ -]")) release = 1
                    out = out field "\n"
                }
                if (binary && release) print out
            }' "$file")
        [ -z "$part" ] || stanzas+="$part"$'\n\n'
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        part=$(sed -n -E "s/^deb (.* $VERSION_CODENAME([ -].*)?)$/deb-src \1/p" "$file")
        [ -z "$part" ] || lines+="$part"$'\n'
    done
    if [ -z "$stanzas$lines" ]; then
        echo "mingw-deps.sh: apt uses no Debian archive of $VERSION_CODENAME" >&2
        exit 1
    fi
    if [ -n "$stanzas" ]; then
        echo "Adding Debian's source packages to apt: /etc/apt/sources.list.d/varentis-deb-src.sources"
        printf '%s' "$stanzas" | $sudo tee /etc/apt/sources.list.d/varentis-deb-src.sources >/dev/null
    fi
    if [ -n "$lines" ]; then
        echo "Adding Debian's source packages to apt: /etc/apt/sources.list.d/varentis-deb-src.list"
        printf '%s' "$lines" | $sudo tee /etc/apt/sources.list.d/varentis-deb-src.list >/dev/null
    fi
    # A failed update (an index of another architecture or suite served broken) stops nothing:
    # what matters is whether apt-get source finds the packages below.
    vx_apt_update || true
}

# The newest version of a source package that apt knows; nothing when it knows none (apt-cache
# then exits 100, which under pipefail would end the script before the sources are enabled).
source_version() {
    { apt-cache showsrc --only-source "$1" 2>/dev/null || true; } | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

# Unpacks the given version of a source package into a new folder under $2 and answers the
# package's folder.
fetch_source() {
    local package=$1 version=$2 into=$3 output folder
    mkdir -p "$into"
    output=$(cd "$into" && apt-get source -qq "$package=$version" 2>&1) || true
    folder=$(find "$into" -maxdepth 1 -type d -name "$package-*" | sort | tail -n 1)
    if [ -z "$folder" ]; then
        echo "mingw-deps.sh: apt-get source $package=$version failed: $(printf '%s\n' "$output" | vx_apt_reason)" >&2
        exit 1
    fi
    echo "$folder"
}

# Builds one library into its cache entry (include/, lib/), unless the entry is there: built in
# a folder of its own and renamed into place, so that two builds at once never see half of one.
build_library() {
    local name=$1 recipe=$2 version=$3 entry=$4 work
    [ -d "$entry/lib" ] && return 0
    mkdir -p "$(dirname "$entry")"
    work=$(mktemp -d "$entry.building.XXXXXX")
    local folder
    folder=$(fetch_source "$name" "$version" "$work/src")
    local options project=$folder
    read -r -a options <<<"$("options_${name//-/_}" "$folder")"
    if declare -F "project_${name//-/_}" >/dev/null; then project=$("project_${name//-/_}"); fi
    if ! { cmake -S "$project" -B "$work/tree" "${generator[@]}" "${compiler[@]}" \
               -DCMAKE_INSTALL_PREFIX="$work/install" -DCMAKE_INSTALL_LIBDIR="$work/install/lib" \
               -DBUILD_SHARED_LIBS=OFF "${options[@]}" &&
           cmake --build "$work/tree" -j "${JOBS:-2}" &&
           cmake --install "$work/tree"; } >"$work/log" 2>&1; then
        echo "mingw-deps.sh: building $name for $triplet failed; the log: $work/log" >&2
        tail -n 20 "$work/log" >&2
        exit 1
    fi
    printf '%s %s (recipe %s, %s)\n' "$name" "$version" "$recipe" "$("$cc" --version | head -n 1)" >"$work/install/BUILT"
    # Only the libraries, their headers and the licences that must travel with them are kept.
    rm -rf "$work/install/bin" "$work/install/share/doc" "$work/install/share/man"
    mv -T "$work/install" "$entry" 2>/dev/null || true  # another build may have been first
    rm -rf "$work"
}

start=$(date +%s)
rm -rf "$prefix"
mkdir -p "$prefix/include" "$prefix/lib"
compiler_key=$("$cc" --version | head -n 1 | cksum | cut -d' ' -f1)
versions=()
for library in "${libraries[@]}"; do
  name=${library%%:*}
  recipe=${library#*:}
  version=$(source_version "$name")
  if [ -z "$version" ]; then
    enable_debian_sources
    version=$(source_version "$name")
    [ -n "$version" ] || { echo "mingw-deps.sh: apt knows no source package $name" >&2; exit 1; }
  fi
  entry="$cache/$triplet/$name/${version//:/_}-recipe$recipe-cc$compiler_key"
  build_library "$name" "$recipe" "$version" "$entry"
  cp -a "$entry/include/." "$prefix/include/"
  cp -a "$entry/lib/." "$prefix/lib/"
  [ ! -d "$entry/share" ] || { mkdir -p "$prefix/share" && cp -a "$entry/share/." "$prefix/share/"; }
  versions+=("$name $version")
done
{
  printf '%s\n' "$header" "${versions[@]}"
  case "$flavour" in i686|x86_64) echo "zlib $(dpkg-query -W -f='${Version}' libz-mingw-w64-dev)" ;; esac
} >"$prefix/VERSIONS"
echo "Libraries for $triplet in $prefix ($(( $(date +%s) - start )) s; cache $cache):"
sed -n '3,$s/^/  /p' "$prefix/VERSIONS"
