// A decoded picture: rows of pixels top to bottom, each pixel `componentes` samples (red, green,
// blue for 3). Empty when nothing was decoded.
#pragma once

#include <vector>

namespace imagem {

struct Bitmap {
    int largura = 0;
    int altura = 0;
    int componentes = 0;
    std::vector<unsigned char> pixels;

    bool vazio() const { return pixels.empty(); }
};

}  // namespace imagem
