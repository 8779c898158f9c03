# Sourced by the scripts that crop pictures: finds ImageMagick's convert. A program named
# `convert` earlier on the PATH need not be ImageMagick (it may even mention ImageMagick in its
# own error text), so each candidate must answer `-version` with ImageMagick's first line.

# Prints the path of a convert that is ImageMagick's, or nothing (status 1).
vx_imagemagick_convert() {
    local candidate version
    for candidate in $(type -ap magick convert convert-im6.q16 convert-im6 2>/dev/null); do
        version=$("$candidate" -version 2>/dev/null || true)
        case "$version" in
            "Version: ImageMagick"*) echo "$candidate"; return 0 ;;
        esac
    done
    return 1
}
