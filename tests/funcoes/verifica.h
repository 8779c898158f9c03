// Assertions on what a core answers.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

#include "Funcoes/resultado.h"

namespace teste {

inline const char* nome(funcoes::Erro e) {
    switch (e) {
        case funcoes::Erro::nenhum: return "a number";
        case funcoes::Erro::na: return "#N/A";
        case funcoes::Erro::valor: return "#VALUE!";
        case funcoes::Erro::num: return "#NUM!";
        case funcoes::Erro::div0: return "#DIV/0!";
    }
    return "?";
}

// A number within `tolerancia` of `esperado`.
inline ::testing::AssertionResult e_numero(const funcoes::Resultado& r, double esperado,
                                           double tolerancia = 0.0) {
    if (!r.ok()) return ::testing::AssertionFailure() << "got " << nome(r.erro());
    if (std::fabs(r.valor() - esperado) > tolerancia)
        return ::testing::AssertionFailure()
               << "got " << std::setprecision(17) << r.valor() << ", expected " << esperado;
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult e_erro(const funcoes::Resultado& r, funcoes::Erro esperado) {
    if (r.erro() == esperado) return ::testing::AssertionSuccess();
    auto f = ::testing::AssertionFailure() << "got " << nome(r.erro());
    if (r.ok()) f << " " << std::setprecision(17) << r.valor();
    return f << ", expected " << nome(esperado);
}

}  // namespace teste
