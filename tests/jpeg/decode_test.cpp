// The JPEG library is linked and decodes: Debian's libjpeg62-turbo on Linux, the cross-built
// libjpeg-turbo in the Windows build. A small picture of known colours, decoded from memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "two_squares_jpeg.h"

namespace {

struct Decoded {
    unsigned width = 0, height = 0;
    int components = 0;
    std::vector<unsigned char> pixels;  // rows of width x components samples
};

Decoded decode(const unsigned char* data, unsigned long size) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    Decoded out;
    if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK && jpeg_start_decompress(&info)) {
        out.width = info.output_width;
        out.height = info.output_height;
        out.components = info.output_components;
        const size_t stride = static_cast<size_t>(out.width) * out.components;
        out.pixels.resize(stride * out.height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = out.pixels.data() + stride * info.output_scanline;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return out;
}

void expect_colour(const Decoded& picture, unsigned x, unsigned y, int red, int green, int blue) {
    const unsigned char* pixel = &picture.pixels[(static_cast<size_t>(y) * picture.width + x) * 3];
    EXPECT_NEAR(pixel[0], red, 4) << "red at " << x << "," << y;
    EXPECT_NEAR(pixel[1], green, 4) << "green at " << x << "," << y;
    EXPECT_NEAR(pixel[2], blue, 4) << "blue at " << x << "," << y;
}

TEST(Jpeg, DecodesAPictureFromMemory) {
    const Decoded picture = decode(two_squares_jpeg, sizeof two_squares_jpeg);
    ASSERT_EQ(picture.width, 16u);
    ASSERT_EQ(picture.height, 8u);
    ASSERT_EQ(picture.components, 3);
    for (unsigned y : {0u, 7u}) {
        for (unsigned x : {0u, 7u}) expect_colour(picture, x, y, 255, 0, 0);
        for (unsigned x : {8u, 15u}) expect_colour(picture, x, y, 0, 0, 255);
    }
}

}  // namespace
