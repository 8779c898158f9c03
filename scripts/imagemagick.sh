# Sourced by the scripts that crop pictures: finds ImageMagick's convert. A program named
# `convert` earlier on the PATH need not be ImageMagick (it may even mention ImageMagick in its
# own error text), so each candidate must answer `-version` with ImageMagick's first line.

# Prints the path of a convert that is ImageMagick's, or nothing (status 1).
vx_imagemagick_convert() {
    local candidate
    for candidate in $(type -ap magick convert convert-im6.q16 convert-im6 2>/dev/null); do
        if "$candidate" -version 2>/dev/null | head -n 1 | grep -q '^Version: ImageMagick'; then
            echo "$candidate"
            return 0
        fi
    done
    return 1
}
