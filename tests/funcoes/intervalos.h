// Builders for the ranges the core tests feed to the curve-reading functions.
#pragma once

#include <initializer_list>
#include <utility>

#include "Funcoes/matriz.h"

namespace teste {

using funcoes::Celula;
using funcoes::Matriz;

inline Celula num(double v) { return Celula::numero(v); }
inline Celula inteiro(int v) { return Celula::inteiro(v); }
inline Celula vazio() { return Celula::outro(); }

// A range of rows of two cells.
inline Matriz linhas(std::initializer_list<std::pair<Celula, Celula>> rows) {
    Matriz m;
    m.linhas = rows.size();
    m.colunas = 2;
    for (const auto& r : rows) {
        m.celulas.push_back(r.first);
        m.celulas.push_back(r.second);
    }
    return m;
}

// The curve of the worked examples: (0.18, 21), (0.185, 63), (0.195, 126), (0.20, 252).
inline Matriz curva_exemplo() {
    return linhas({{num(0.18), num(21)}, {num(0.185), num(63)}, {num(0.195), num(126)},
                   {num(0.20), num(252)}});
}

// A value that is not an array: what the exports pass for one cell or a missing argument.
inline Matriz nao_matriz() { return Matriz{}; }

}  // namespace teste
