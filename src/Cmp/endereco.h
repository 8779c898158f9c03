// The address text that the chart dialog shows for the selected range: absolute A1 notation of
// the rectangle, "=$B$3:$C$14".
#pragma once

#include <cstdint>
#include <string>

namespace cmp {

// Excel's column letters for a 0-based column: 0 is A, 25 is Z, 26 is AA, 255 is IV.
std::string letras_coluna(std::uint32_t coluna);

// "=$" column "$" row ":$" column "$" row, with 0-based rows and columns.
std::string endereco_intervalo(std::uint32_t linha_ini, std::uint32_t linha_fim,
                               std::uint32_t coluna_ini, std::uint32_t coluna_fim);

}  // namespace cmp
