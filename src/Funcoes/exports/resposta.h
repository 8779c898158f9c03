// The boundary between Excel's value records and the calculation cores: reading a range
// argument into the cores' view, and writing a core's answer into a function's static result
// record. Every worksheet export answers through `responde`, so nothing escapes into Excel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Funcoes/dias_uteis.h"
#include "Funcoes/duration.h"
#include "Funcoes/matriz.h"
#include "Funcoes/resultado.h"
#include "xll/boundary.h"
#include "xll/xloper.h"

namespace funcoes {

// The cells of an array argument; any other value (one cell, missing, a reference) is a
// matrix of 0 rows, which no function accepts as a range.
Matriz matriz_de(const XLOPER* valor);

// One element of an array argument as the cores see a cell.
inline Celula celula_de(const XLOPER& x) {
    switch (xll::base_type(x)) {
        case xltypeNum: return Celula::numero(x.val.num);
        case xltypeInt: return Celula::inteiro(x.val.w);
        default: return Celula::outro();
    }
}

// An array argument read in place, cell by cell, with the shape of a `Matriz`: a curve or a
// portfolio is read from Excel's own records once, without a copy. Any other value is a range
// of 0 rows.
struct IntervaloExcel {
    std::size_t linhas = 0;
    std::size_t colunas = 0;
    const XLOPER* registros = nullptr;  // linhas × colunas, row by row

    explicit IntervaloExcel(const XLOPER* valor) {
        if (valor == nullptr || xll::base_type(*valor) != xltypeMulti || valor->val.array.lparray == nullptr)
            return;
        linhas = valor->val.array.rows;
        colunas = valor->val.array.columns;
        registros = valor->val.array.lparray;
    }
    Celula at(std::size_t linha, std::size_t coluna) const { return celula_de(registros[linha * colunas + coluna]); }
};

// The Excel error value of a core's reason for giving no number.
std::uint16_t codigo(Erro erro);

// A number, or the Excel error value of the core's reason. Inline: every call of a worksheet
// function ends here.
inline void escreve(XLOPER& registro, const Resultado& resultado) {
    if (resultado.ok()) {
        // Field by field: a whole record built apart and copied in would be read back before
        // its parts are written, a stall on every call.
        registro.val.num = resultado.valor();
        registro.xltype = xltypeNum;
    } else {
        xll::set_error(registro, codigo(resultado.erro()));
    }
}

// The five rows of VX.DURATION as a 5 × 1 array whose element storage comes from the C heap
// and goes back through xlAutoFree; or the error value. Throws std::bad_alloc when the storage
// cannot be had.
void escreve(XLOPER& registro, const ResultadoDuration& resultado);

// TRUE or FALSE, or the error value.
void escreve(XLOPER& registro, const ResultadoLogico& resultado);

// The national holidays of the years asked, ascending, as an n × 1 array of serials whose
// element storage comes from the C heap and goes back through xlAutoFree; or the error value.
// Throws std::bad_alloc when the storage cannot be had.
void escreve(XLOPER& registro, const ResultadoFeriados& resultado);

// Runs the calculation and writes its answer into the function's static record. A failure
// raised while computing (memory exhausted, anything thrown) leaves #NULL! in the record.
template <class Calculo>
LPXLOPER responde(XLOPER& registro, Calculo&& calculo) noexcept {
    xll::set_error(registro, xlerrNull);
    return xll::guarded(&registro, [&] {
        escreve(registro, calculo());
        return &registro;
    });
}

}  // namespace funcoes
