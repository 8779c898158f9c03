// The add-in's JPEG decoder: a sound picture of the expected size decodes to its pixels; every
// other input (nothing, not a JPEG, truncated anywhere, damaged, another size, another number
// of components) is refused with its own result, an empty bitmap and no exit of the process.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imagem/jpeg.h"
#include "pictures.h"

namespace imagem_test {
namespace {

using imagem::Bitmap;
using imagem::LeituraJpeg;

constexpr imagem::FormatoEsperado logo_format{134, 133, 3};

LeituraJpeg decode(const std::vector<unsigned char>& bytes, Bitmap* bitmap, std::string* why = nullptr,
                   imagem::FormatoEsperado format = logo_format) {
    return imagem::decodifica_jpeg(bytes.data(), bytes.size(), format, bitmap, why);
}

void expect_pixel(const Bitmap& b, int x, int y, int red, int green, int blue) {
    const unsigned char* p = &b.pixels[(static_cast<size_t>(y) * b.largura + x) * 3];
    EXPECT_NEAR(p[0], red, 6) << x << "," << y;
    EXPECT_NEAR(p[1], green, 6) << x << "," << y;
    EXPECT_NEAR(p[2], blue, 6) << x << "," << y;
}

TEST(Jpeg, ASoundPictureOfTheExpectedSizeDecodesToItsPixels) {
    for (bool progressive : {false, true}) {
        Encoding e;
        e.progressive = progressive;
        Bitmap b;
        ASSERT_EQ(decode(encode(e), &b), LeituraJpeg::ok) << progressive;
        EXPECT_EQ(b.largura, 134);
        EXPECT_EQ(b.altura, 133);
        EXPECT_EQ(b.componentes, 3);
        ASSERT_EQ(b.pixels.size(), 134u * 133u * 3u);
        // Rows run top to bottom, pixels left to right, samples red, green, blue.
        expect_pixel(b, 0, 0, 255, 0, 0);
        expect_pixel(b, 60, 132, 255, 0, 0);
        expect_pixel(b, 75, 0, 0, 0, 255);
        expect_pixel(b, 133, 132, 0, 0, 255);
    }
}

TEST(Jpeg, OneComponentPicturesDecodeWhenOneIsExpected) {
    Encoding e;
    e.components = 1;
    e.space = JCS_GRAYSCALE;
    Bitmap b;
    ASSERT_EQ(decode(encode(e), &b, nullptr, {134, 133, 1}), LeituraJpeg::ok);
    EXPECT_NEAR(b.pixels[0], 80, 4);
    EXPECT_NEAR(b.pixels.back(), 200, 4);
}

TEST(Jpeg, NothingAtAllIsEmpty) {
    Bitmap b;
    b.pixels.assign(10, 1);  // whatever it held before goes
    EXPECT_EQ(imagem::decodifica_jpeg(nullptr, 0, logo_format, &b), LeituraJpeg::vazio);
    EXPECT_TRUE(b.vazio());
    const unsigned char byte = 0xFF;
    EXPECT_EQ(imagem::decodifica_jpeg(&byte, 0, logo_format, &b), LeituraJpeg::vazio);
    EXPECT_EQ(imagem::decodifica_jpeg(&byte, 1, logo_format, nullptr), LeituraJpeg::vazio);
}

TEST(Jpeg, BytesThatAreNoJpegAreRefusedInLibjpegsWords) {
    const std::string text = "GIF89a, or anything else that is not a JPEG picture";
    const std::vector<unsigned char> bytes(text.begin(), text.end());
    Bitmap b;
    std::string why;
    EXPECT_EQ(decode(bytes, &b, &why), LeituraJpeg::corrompido);
    EXPECT_TRUE(b.vazio());
    EXPECT_NE(why.find("JPEG"), std::string::npos) << why;
    for (const std::vector<unsigned char>& few : {std::vector<unsigned char>{0xFF},
                                                  std::vector<unsigned char>{0xFF, 0xD8},
                                                  std::vector<unsigned char>{0xFF, 0xD8, 0xFF, 0xD9}}) {
        EXPECT_EQ(decode(few, &b), LeituraJpeg::corrompido) << few.size();
        EXPECT_TRUE(b.vazio());
    }
}

// libjpeg would decode most truncated files with a warning and grey rows at the bottom.
TEST(Jpeg, APictureCutAnywhereIsRefused) {
    const std::vector<unsigned char> whole = encode({});
    Bitmap b;
    ASSERT_EQ(decode(whole, &b), LeituraJpeg::ok);
    for (size_t cut = 1; cut < whole.size(); ++cut) {
        const std::vector<unsigned char> part(whole.begin(), whole.begin() + static_cast<long>(cut));
        std::string why;
        const LeituraJpeg result = decode(part, &b, &why);
        ASSERT_EQ(result, LeituraJpeg::corrompido) << "cut at " << cut << " of " << whole.size();
        ASSERT_TRUE(b.vazio()) << cut;
        ASSERT_FALSE(why.empty()) << cut;
    }
}

TEST(Jpeg, DamagedDataIsRefused) {
    const std::vector<unsigned char> whole = encode({});
    size_t scan = 0;  // the first byte after the start-of-scan header
    for (size_t i = 0; i + 3 < whole.size(); ++i)
        if (whole[i] == 0xFF && whole[i + 1] == 0xDA) {
            scan = i + 2 + (static_cast<size_t>(whole[i + 2]) << 8 | whole[i + 3]);
            break;
        }
    ASSERT_GT(scan, 0u);
    Bitmap b;
    std::string why;
    // A marker in the middle of the coded data: the rest of the rows is missing.
    std::vector<unsigned char> marker = whole;
    marker[scan + 40] = 0xFF;
    marker[scan + 41] = 0xD9;
    EXPECT_EQ(decode(marker, &b, &why), LeituraJpeg::corrompido);
    EXPECT_TRUE(b.vazio());
    EXPECT_FALSE(why.empty());
    // The frame header names a component the scan does not code.
    std::vector<unsigned char> frame = whole;
    for (size_t i = 0; i + 1 < frame.size(); ++i)
        if (frame[i] == 0xFF && frame[i + 1] == 0xC0) {
            frame[i + 10] = 9;  // the first component's id: marker, length, precision, size, count
            break;
        }
    EXPECT_EQ(decode(frame, &b, &why), LeituraJpeg::corrompido);
    EXPECT_TRUE(b.vazio());
    // A Huffman table that does not exist.
    std::vector<unsigned char> table = whole;
    table[scan - 4] = 0x33;  // the last component's table selectors, before Ss, Se, Ah/Al
    EXPECT_EQ(decode(table, &b, &why), LeituraJpeg::corrompido);
    EXPECT_TRUE(b.vazio());
}

TEST(Jpeg, ASoundPictureOfAnotherSizeIsRefusedBeforeDecoding) {
    Bitmap b;
    for (const auto& [w, h] : {std::pair{133, 134}, std::pair{134, 134}, std::pair{1, 1}, std::pair{268, 266}}) {
        Encoding e;
        e.width = w;
        e.height = h;
        std::string why;
        EXPECT_EQ(decode(encode(e), &b, &why), LeituraJpeg::tamanho_errado) << w << "x" << h;
        EXPECT_TRUE(b.vazio());
        EXPECT_TRUE(why.empty()) << why;  // our refusal, not libjpeg's
    }
    // An expected size the decoder will not even try.
    const std::vector<unsigned char> logo = encode({});
    EXPECT_EQ(decode(logo, &b, nullptr, {0, 133, 3}), LeituraJpeg::tamanho_errado);
    EXPECT_EQ(decode(logo, &b, nullptr, {-134, -133, 3}), LeituraJpeg::tamanho_errado);
    EXPECT_EQ(decode(logo, &b, nullptr, {100000, 100000, 3}), LeituraJpeg::tamanho_errado);
}

TEST(Jpeg, ASoundPictureWithOtherComponentsIsRefused) {
    Bitmap b;
    Encoding grey;
    grey.components = 1;
    grey.space = JCS_GRAYSCALE;
    EXPECT_EQ(decode(encode(grey), &b), LeituraJpeg::componentes_errados);
    EXPECT_TRUE(b.vazio());
    Encoding cmyk;
    cmyk.components = 4;
    cmyk.space = JCS_CMYK;
    EXPECT_EQ(decode(encode(cmyk), &b), LeituraJpeg::componentes_errados);
    EXPECT_TRUE(b.vazio());
    // The colour picture where grey is expected, and counts the decoder does not produce.
    const std::vector<unsigned char> logo = encode({});
    EXPECT_EQ(decode(logo, &b, nullptr, {134, 133, 1}), LeituraJpeg::componentes_errados);
    EXPECT_EQ(decode(logo, &b, nullptr, {134, 133, 4}), LeituraJpeg::componentes_errados);
    EXPECT_EQ(decode(logo, &b, nullptr, {134, 133, 0}), LeituraJpeg::componentes_errados);
    EXPECT_TRUE(b.vazio());
}

}  // namespace
}  // namespace imagem_test
