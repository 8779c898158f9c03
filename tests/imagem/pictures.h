// JPEG pictures made for the tests with libjpeg's own encoder, so that every size, component
// count and colour space the decoder must refuse can be written down next to the test.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace imagem_test {

struct Encoding {
    int width = 134;
    int height = 133;
    int components = 3;
    J_COLOR_SPACE space = JCS_RGB;
    bool progressive = false;
};

// The left half red, the right half blue (grey levels 80 and 200 for one component; four
// equal samples for CMYK), at quality 95 without chroma subsampling.
inline std::vector<unsigned char> encode(const Encoding& e) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(e.width);
    info.image_height = static_cast<JDIMENSION>(e.height);
    info.input_components = e.components;
    info.in_color_space = e.space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    if (e.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(e.width) * static_cast<size_t>(e.components));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < e.width; ++x) {
            unsigned char* pixel = &row[static_cast<size_t>(x) * static_cast<size_t>(e.components)];
            const bool left = x < e.width / 2;
            if (e.components == 3) {
                pixel[0] = left ? 255 : 0;
                pixel[1] = 0;
                pixel[2] = left ? 0 : 255;
            } else {
                for (int c = 0; c < e.components; ++c) pixel[c] = left ? 80 : 200;
            }
        }
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

}  // namespace imagem_test
