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

void escreve(XLOPER& registro, const ResultadoLogico& resultado) {
    if (resultado.erro != Erro::nenhum) {
        xll::set_error(registro, codigo(resultado.erro));
        return;
    }
    registro = xll::logical(resultado.valor);
}

void escreve(XLOPER& registro, const ResultadoFeriados& resultado) {
    if (resultado.erro != Erro::nenhum) {
        xll::set_error(registro, codigo(resultado.erro));
        return;
    }
    const int anos = resultado.ano_final - resultado.ano_inicial + 1;
    // Released by xlAutoFree with the C heap's free; room for every year's most.
    auto* linhas = static_cast<XLOPER*>(std::malloc(static_cast<std::size_t>(anos) * max_feriados_por_ano * sizeof(XLOPER)));
    if (linhas == nullptr) throw std::bad_alloc();
    int n = 0;
    for (int ano = resultado.ano_inicial; ano <= resultado.ano_final; ++ano) {
        std::int32_t datas[max_feriados_por_ano];
        const int k = feriados_do_ano(ano, Calendario::atual, datas);
        for (int i = 0; i < k; ++i) escreve_numero(linhas[n++], datas[i]);
    }
    registro.xltype = xltypeMulti | xlbitDLLFree;
    registro.val.array.lparray = linhas;
    registro.val.array.rows = static_cast<std::uint16_t>(n);
    registro.val.array.columns = 1;
}

}  // namespace funcoes
