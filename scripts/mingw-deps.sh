#!/usr/bin/env bash
# Cross-builds the libraries that Debian ships only for Linux, for mingw-w64, from Debian's own
# source packages: libjpeg-turbo (the add-in's JPEG decoder) and libxlsxwriter (the Windows
# host's .xlsx export, with Debian's libz-mingw-w64-dev). Static libraries, built once and
# cached in BUILD/deps/ARCH/ (include/, lib/); BUILD/deps/ARCH/VERSIONS records what was built.
# A cache whose VERSIONS matches this recipe is kept as it is.
# Every target, the native one too, also gets musl's maths (see musl_math below), in its own cache.
# Usage: mingw-deps.sh [i686|x86_64|native] [BUILD_DIR]   (defaults: i686, build/ of the project;
# native builds musl's maths alone)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
arch=${1:-i686}
build=$(realpath -m "${2:-$root/build}")
case "$arch" in
  i686|x86_64|native) ;;
  *) echo "usage: $0 [i686|x86_64|native] [BUILD_DIR]" >&2; exit 2 ;;
esac

# Raise it when the options below change, so that every cache is rebuilt.
recipe=1
prefix="$build/deps/$arch"
sources="$prefix/src"
toolchain="$root/cmake/mingw-$arch.cmake"
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

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
    $sudo apt-get update -qq
}

# Unpacks a source package (once) and answers its folder and Debian version.
fetch_source() {
    local package=$1
    mkdir -p "$sources"
    local folder
    folder=$(find "$sources" -maxdepth 1 -type d -name "$package-*" | sort | tail -n 1)
    if [ -z "$folder" ]; then
        (cd "$sources" && apt-get source -qq "$package" 2>&1 | grep -v -e '^dpkg-source: info' -e 'unsandboxed' >&2 || true)
        folder=$(find "$sources" -maxdepth 1 -type d -name "$package-*" | sort | tail -n 1)
        [ -n "$folder" ] || { echo "mingw-deps.sh: apt-get source $package unpacked nothing" >&2; exit 1; }
    fi
    echo "$folder"
}

version_of() { dpkg-parsechangelog -l "$1/debian/changelog" -S Version; }

cmake_build() {
    local name=$1 folder=$2
    shift 2
    local tree="$prefix/build-$name"
    rm -rf "$tree"
    cmake -S "$folder" -B "$tree" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR="$prefix/lib" \
        -DBUILD_SHARED_LIBS=OFF "$@" >"$tree.log" 2>&1 &&
    cmake --build "$tree" -j "${JOBS:-2}" >>"$tree.log" 2>&1 &&
    cmake --install "$tree" >>"$tree.log" 2>&1 ||
        { echo "mingw-deps.sh: building $name failed; the log: $tree.log" >&2; tail -n 20 "$tree.log" >&2; exit 1; }
    rm -rf "$tree" "$tree.log"
}

# musl's maths (Debian source package musl): the elementary functions of the calculation cores,
# built from the same source with the same flags for every target, native included, so that all
# three compute the same bits (cmake/musl-math/). Cached apart in BUILD/deps/musl-math/ARCH/, by
# the musl version and a digest of the build files, which rebuild it when they change.
musl_math() {
    local into="$build/deps/musl-math/$arch"
    local recipe_line
    recipe_line="recipe $(cat "$root"/cmake/musl-math/CMakeLists.txt "$root"/cmake/musl-math/*.[ch] \
        "$root"/cmake/musl-math/compat/*.h "$root"/cmake/musl-math/shim/*.h | sha256sum | cut -c1-16)"
    if [ -f "$into/lib/libmusl_math.a" ] &&
       head -n 2 "$into/VERSIONS" 2>/dev/null | cmp -s - <(printf '%s\narch %s\n' "$recipe_line" "$arch"); then
        return
    fi
    local start tree source
    start=$(date +%s)
    rm -rf "$into"
    mkdir -p "$into"
    enable_debian_sources
    source=$(sources="$into/src" fetch_source musl)
    tree="$into/build"
    local target=()
    [ "$arch" = native ] || target=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
    cmake -S "$root/cmake/musl-math" -B "$tree" "${generator[@]}" "${target[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$into" -DMUSL_SOURCE="$source" >"$tree.log" 2>&1 &&
    cmake --build "$tree" -j "${JOBS:-2}" >>"$tree.log" 2>&1 &&
    cmake --install "$tree" >>"$tree.log" 2>&1 ||
        { echo "mingw-deps.sh: building musl's maths failed; the log: $tree.log" >&2; tail -n 20 "$tree.log" >&2; exit 1; }
    printf '%s\narch %s\nmusl %s\n' "$recipe_line" "$arch" "$(version_of "$source")" >"$into/VERSIONS"
    rm -rf "$tree" "$tree.log" "$into/src"
    echo "musl's maths for $arch in $(( $(date +%s) - start )) s, in $into: musl $(version_of_installed "$into")"
}
version_of_installed() { sed -n 's/^musl //p' "$1/VERSIONS"; }
musl_math
[ "$arch" != native ] || exit 0

# Built already by this recipe: nothing to do (and no need of apt or the network).
if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/lib/libxlsxwriter.a" ] &&
   head -n 2 "$prefix/VERSIONS" 2>/dev/null | cmp -s - <(printf 'recipe %s\narch %s\n' "$recipe" "$arch-w64-mingw32"); then
    exit 0
fi

start=$(date +%s)
rm -rf "$prefix"
mkdir -p "$prefix"
enable_debian_sources
jpeg_source=$(fetch_source libjpeg-turbo)
xlsx_source=$(fetch_source libxlsxwriter)
# The libjpeg v6b interface, as Debian's libjpeg62-turbo; no SIMD (it would need nasm, and the
# add-in decodes one small logo), no TurboJPEG interface, no Java.
cmake_build libjpeg-turbo "$jpeg_source" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
# The bundled minizip, MD5 and temporary-file code (Debian links system copies, which mingw
# lacks); zlib is Debian's mingw build.
cmake_build libxlsxwriter "$xlsx_source" -DUSE_SYSTEM_MINIZIP=OFF -DUSE_OPENSSL_MD5=OFF \
    -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DZLIB_USE_STATIC_LIBS=ON
printf 'recipe %s\narch %s\nlibjpeg-turbo %s\nlibxlsxwriter %s\nzlib %s\n' "$recipe" "$arch-w64-mingw32" \
    "$(version_of "$jpeg_source")" "$(version_of "$xlsx_source")" \
    "$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev)" >"$prefix/VERSIONS"
# Only the libraries and their headers are kept.
rm -rf "$prefix/bin" "$prefix/share" "$sources"
echo "Built for $arch-w64-mingw32 in $(( $(date +%s) - start )) s, in $prefix:"
sed -n 's/^\(libjpeg-turbo\|libxlsxwriter\|zlib\) /  \1 /p' "$prefix/VERSIONS"
