#include "imagem/jpeg.h"

#include <utility>

#include "imagem/jpeg_memoria.h"

namespace imagem {
namespace {

// Far above any picture the add-in shows; keeps the buffer's size well inside size_t.
constexpr int lado_maximo = 4096;

LeituraJpeg leitura_de(int resultado) {
    switch (resultado) {
        case vx_jpeg_ok: return LeituraJpeg::ok;
        case vx_jpeg_vazio: return LeituraJpeg::vazio;
        case vx_jpeg_tamanho_errado: return LeituraJpeg::tamanho_errado;
        case vx_jpeg_componentes_errados: return LeituraJpeg::componentes_errados;
        default: return LeituraJpeg::corrompido;
    }
}

}  // namespace

LeituraJpeg decodifica_jpeg(const unsigned char* dados, std::size_t tamanho, const FormatoEsperado& esperado,
                            Bitmap* bitmap, std::string* motivo) {
    if (motivo != nullptr) motivo->clear();
    if (bitmap == nullptr) return LeituraJpeg::vazio;
    *bitmap = Bitmap{};
    if (dados == nullptr || tamanho == 0) return LeituraJpeg::vazio;
    if (esperado.componentes != 1 && esperado.componentes != 3) return LeituraJpeg::componentes_errados;
    if (esperado.largura <= 0 || esperado.altura <= 0 || esperado.largura > lado_maximo ||
        esperado.altura > lado_maximo)
        return LeituraJpeg::tamanho_errado;

    const std::size_t capacidade = static_cast<std::size_t>(esperado.largura) *
                                   static_cast<std::size_t>(esperado.altura) *
                                   static_cast<std::size_t>(esperado.componentes);
    std::vector<unsigned char> pixels(capacidade);
    char palavras[VX_JPEG_TAMANHO_MOTIVO] = "";
    const int resultado = vx_jpeg_decodifica(dados, tamanho, static_cast<unsigned>(esperado.largura),
                                             static_cast<unsigned>(esperado.altura), esperado.componentes,
                                             pixels.data(), pixels.size(), palavras, sizeof palavras);
    if (resultado != vx_jpeg_ok) {
        if (motivo != nullptr) *motivo = palavras;
        return leitura_de(resultado);
    }
    bitmap->largura = esperado.largura;
    bitmap->altura = esperado.altura;
    bitmap->componentes = esperado.componentes;
    bitmap->pixels = std::move(pixels);
    return LeituraJpeg::ok;
}

}  // namespace imagem
