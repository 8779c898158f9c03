// A worksheet range as the cores see it: rows × columns cells, row by row, each a number, a
// 16-bit integer or something else. The exports build it from Excel's array value; a value
// that is not an array (one cell, a missing argument) is a matrix of 0 rows and 0 columns.
#pragma once

#include <cstddef>
#include <vector>

namespace funcoes {

struct Celula {
    enum class Tipo { numero, inteiro, outro };  // "outro": empty, text, boolean, error, missing
    Tipo tipo = Tipo::outro;
    double valor = 0.0;  // the number, or the integer converted to a double

    static Celula numero(double v) { return {Tipo::numero, v}; }
    static Celula inteiro(int v) { return {Tipo::inteiro, static_cast<double>(v)}; }
    static Celula outro() { return {Tipo::outro, 0.0}; }
};

struct Matriz {
    std::size_t linhas = 0;
    std::size_t colunas = 0;
    std::vector<Celula> celulas;  // linhas × colunas, row by row

    const Celula& at(std::size_t linha, std::size_t coluna) const {
        return celulas[linha * colunas + coluna];
    }
};

}  // namespace funcoes
