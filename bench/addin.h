// The add-in as Excel calls it: loaded, attached and opened once through xlhost, its worksheet
// exports at the addresses Excel would call, and ranges built as Excel passes them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "xll/xlcall.h"
#include "xll/xloper.h"

namespace xlhost {
class Host;
}

namespace vx_bench {

// The add-in loaded, attached and opened once through xlhost, for the life of the program (one
// host at a time can hold it).
xlhost::Host& excel();
// Loads the add-in at `caminho` in place of the one built beside the host; before the first excel().
void usa_addin(const std::string& caminho);

// The worksheet exports, called as Excel calls them, at the addresses Excel would call.
struct Exportacoes {
    LPXLOPER(VX_STDCALL* interpol)(std::int16_t dias, LPXLOPER curva, double anos_flat);
    LPXLOPER(VX_STDCALL* cspline)(std::int16_t dias, LPXLOPER curva);
    LPXLOPER(VX_STDCALL* duration)(LPXLOPER curva, LPXLOPER portfolio);
    LPXLOPER(VX_STDCALL* du)(double data_inicial, double data_final, double regime);
    LPXLOPER(VX_STDCALL* diautil)(double data, double n, double regime);
    void(VX_STDCALL* xl_auto_free)(LPXLOPER valor);
};
const Exportacoes& exportacoes();

// A range as Excel passes it for a type P argument: an array value of rows × 2 number records,
// row by row. The records stay where they are for the life of the object.
class Intervalo {
public:
    explicit Intervalo(const std::vector<std::pair<double, double>>& linhas);
    Intervalo(const Intervalo&) = delete;
    Intervalo& operator=(const Intervalo&) = delete;

    LPXLOPER valor() { return &valor_; }
    const std::vector<XLOPER>& registros() const { return registros_; }

private:
    std::vector<XLOPER> registros_;
    XLOPER valor_{};
};

}  // namespace vx_bench
