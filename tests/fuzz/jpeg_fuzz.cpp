// The add-in's JPEG decoder on any bytes, as the logo's 134 x 133 colour picture and as a small
// 16 x 8 one (which the fuzzer reaches far more often with a sound header). Invariants: no
// crash, no undefined behaviour, no exit; a refusal leaves the bitmap empty; a success fills it
// exactly.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "imagem/jpeg.h"

namespace {

void decode_as(const uint8_t* bytes, size_t size, const imagem::FormatoEsperado& format) {
    imagem::Bitmap bitmap;
    std::string why;
    const imagem::LeituraJpeg result = imagem::decodifica_jpeg(bytes, size, format, &bitmap, &why);
    if (result != imagem::LeituraJpeg::ok) {
        if (!bitmap.vazio()) fuzz::violation("a refused picture left pixels behind");
        if (size == 0 && result != imagem::LeituraJpeg::vazio) fuzz::violation("no bytes, yet not empty");
        return;
    }
    const size_t expected = static_cast<size_t>(format.largura) * format.altura * format.componentes;
    if (bitmap.pixels.size() != expected || bitmap.largura != format.largura ||
        bitmap.altura != format.altura || bitmap.componentes != format.componentes)
        fuzz::violation("a decoded picture of the wrong shape");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    decode_as(bytes, size, {134, 133, 3});
    decode_as(bytes, size, {16, 8, 3});
    return 0;
}
