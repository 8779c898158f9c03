// A JPEG picture of a known size decoded from memory with libjpeg. Whatever the bytes hold, the
// answer is a result: a picture that is empty, damaged, truncated, of another size or with
// another number of colour components is refused and the bitmap stays empty.
#pragma once

#include <cstddef>
#include <string>

#include "imagem/bitmap.h"

namespace imagem {

enum class LeituraJpeg {
    ok,
    vazio,                // no bytes
    corrompido,           // not a JPEG, or damaged or truncated data
    tamanho_errado,       // a sound picture of another width or height
    componentes_errados,  // a sound picture with another number of colour components
};

struct FormatoEsperado {
    int largura;
    int altura;
    int componentes;  // 3 (red, green, blue) or 1 (grey)
};

// Decodes into `bitmap` (emptied first). `motivo`, when given, receives libjpeg's own words for
// a picture it refused, or "" when the refusal was ours.
LeituraJpeg decodifica_jpeg(const unsigned char* dados, std::size_t tamanho, const FormatoEsperado& esperado,
                            Bitmap* bitmap, std::string* motivo = nullptr);

}  // namespace imagem
