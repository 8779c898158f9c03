#include "Funcoes/exports/resposta.h"

#include <cstdlib>
#include <new>

#include "xll/values.h"

namespace funcoes {

std::uint16_t codigo(Erro erro) {
    switch (erro) {
        case Erro::na: return xlerrNA;
        case Erro::valor: return xlerrValue;
        case Erro::num: return xlerrNum;
        case Erro::div0: return xlerrDiv0;
        case Erro::nenhum: break;
    }
    return xlerrNull;
}

namespace {

void escreve_numero(XLOPER& registro, double valor) { registro = xll::number(valor); }

}  // namespace

Matriz matriz_de(const XLOPER* valor) {
    Matriz m;
    if (valor == nullptr || xll::base_type(*valor) != xltypeMulti ||
        valor->val.array.lparray == nullptr)
        return m;
    m.linhas = valor->val.array.rows;
    m.colunas = valor->val.array.columns;
    m.celulas.reserve(m.linhas * m.colunas);
    for (std::size_t i = 0; i < m.linhas * m.colunas; ++i)
        m.celulas.push_back(celula_de(valor->val.array.lparray[i]));
    return m;
}

void escreve(XLOPER& registro, const ResultadoDuration& resultado) {
    if (resultado.erro != Erro::nenhum) {
        xll::set_error(registro, codigo(resultado.erro));
        return;
    }
    // Released by xlAutoFree with the C heap's free.
    auto* linhas = static_cast<XLOPER*>(std::malloc(5 * sizeof(XLOPER)));
    if (linhas == nullptr) throw std::bad_alloc();
    linhas[0].xltype = xltypeInt;
    linhas[0].val.w = resultado.linhas.dias;
    escreve_numero(linhas[1], resultado.linhas.exposicao);
    escreve_numero(linhas[2], resultado.linhas.exposicao_final);
    escreve_numero(linhas[3], resultado.linhas.convexidade);
    escreve_numero(linhas[4], resultado.linhas.duration_modificada);
    registro.xltype = xltypeMulti | xlbitDLLFree;
    registro.val.array.lparray = linhas;
    registro.val.array.rows = 5;
    registro.val.array.columns = 1;
}

}  // namespace funcoes
