#include "Cmp/endereco.h"

#include <algorithm>

namespace cmp {

std::string letras_coluna(std::uint32_t coluna) {
    // Bijective base 26: A..Z, then AA..ZZ, and so on.
    std::string letras;
    std::uint64_t resto = static_cast<std::uint64_t>(coluna) + 1;
    while (resto > 0) {
        --resto;
        letras.push_back(static_cast<char>('A' + resto % 26));
        resto /= 26;
    }
    std::reverse(letras.begin(), letras.end());
    return letras;
}

std::string endereco_intervalo(std::uint32_t linha_ini, std::uint32_t linha_fim,
                               std::uint32_t coluna_ini, std::uint32_t coluna_fim) {
    return "=$" + letras_coluna(coluna_ini) + "$" +
           std::to_string(static_cast<std::uint64_t>(linha_ini) + 1) + ":$" +
           letras_coluna(coluna_fim) + "$" +
           std::to_string(static_cast<std::uint64_t>(linha_fim) + 1);
}

}  // namespace cmp
