// The boundary between Excel's value records and the calculation cores: reading a range
// argument into the cores' view, and writing a core's answer into a function's static result
// record. Every worksheet export answers through `responde`, so nothing escapes into Excel.
#pragma once

#include "Funcoes/duration.h"
#include "Funcoes/matriz.h"
#include "Funcoes/resultado.h"
#include "xll/boundary.h"
#include "xll/xloper.h"

namespace funcoes {

// The cells of an array argument; any other value (one cell, missing, a reference) is a
// matrix of 0 rows, which no function accepts as a range.
Matriz matriz_de(const XLOPER* valor);

// A number, or the Excel error value of the core's reason.
void escreve(XLOPER& registro, const Resultado& resultado);

// The five rows of VX.DURATION as a 5 × 1 array whose element storage comes from the C heap
// and goes back through xlAutoFree; or the error value. Throws std::bad_alloc when the storage
// cannot be had.
void escreve(XLOPER& registro, const ResultadoDuration& resultado);

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
