// VX.INDJUSTO, VX.INDTAXA and VX.INDDIF: index futures.
#include <gtest/gtest.h>

#include <cmath>

#include "Funcoes/indice_futuro.h"
#include "intervalos.h"
#include "verifica.h"

using namespace funcoes;
using namespace teste;

TEST(IndiceFuturo, WorkedExamples) {
    const Matriz c = curva_exemplo();
    EXPECT_TRUE(e_numero(indjusto(30000, 42, c), 30855));
    EXPECT_TRUE(e_numero(inddif(30000, 31000, 42, c), 145));
    EXPECT_TRUE(e_numero(indjusto(30000, 100, c), 32170));
    EXPECT_TRUE(e_numero(indjusto(30000, 300, c), 37272));  // beyond the last point: its rate
    EXPECT_TRUE(e_numero(indtaxa(31000, 63, 30000), 0.140149383, 5e-10));
    // The carry at a vertex uses that vertex's rate.
    EXPECT_TRUE(e_numero(indjusto(30000, 63, c), std::round(30000 * std::pow(1.185, 0.25))));
}

TEST(IndiceFuturo, FairValueRoundsHalvesUp) {
    // On a flat curve the carry factor over 252 days is 1 + r: a spot of 2 carries to 2.5.
    const Matriz plana = linhas({{num(0.25), num(1)}, {num(0.25), num(252)}, {num(0.25), num(504)}});
    EXPECT_TRUE(e_numero(indjusto(2, 252, plana), 3));  // 2.5 → 3
    const Matriz abaixo = linhas({{num(0.2499), num(1)}, {num(0.2499), num(252)}, {num(0.2499), num(504)}});
    EXPECT_TRUE(e_numero(indjusto(2, 252, abaixo), 2));  // 2.4998 → 2
}

TEST(IndiceFuturo, CurveEdges) {
    const Matriz dois = linhas({{num(0.18), num(21)}, {num(0.20), num(252)}});
    EXPECT_TRUE(e_numero(indjusto(30000, 300, dois), 30000));  // rate 0 beyond a two-point curve
    EXPECT_TRUE(e_numero(inddif(30000, 31000, 300, dois), 1000));
    const Matriz negativa = linhas({{num(-0.18), num(21)}, {num(-0.185), num(63)}, {num(-0.195), num(126)},
                                    {num(-0.20), num(252)}});
    EXPECT_EQ(indjusto(30000, 42, negativa).valor(), 30855);
    EXPECT_TRUE(e_numero(inddif(30000, 0, 42, curva_exemplo()), -30855));  // the future is not validated
}

TEST(IndiceFuturo, RejectedInput) {
    const Matriz c = curva_exemplo();
    for (const Matriz& m : {nao_matriz(), linhas({{num(0.18), num(21)}}),
                            linhas({{vazio(), num(21)}, {vazio(), num(63)}}),
                            linhas({{num(0.18), num(0)}, {num(0.18), num(-4)}}),
                            linhas({{num(0.18), num(21)}, {num(0.19), num(21)}})}) {
        EXPECT_TRUE(e_erro(indjusto(30000, 42, m), Erro::na));
        EXPECT_TRUE(e_erro(inddif(30000, 31000, 42, m), Erro::na));
    }
    EXPECT_TRUE(e_erro(indjusto(30000, 0, c), Erro::na));
    EXPECT_TRUE(e_erro(indjusto(0, 42, c), Erro::na));
    EXPECT_TRUE(e_erro(inddif(-1, 31000, 42, c), Erro::na));
    EXPECT_TRUE(e_erro(inddif(30000, 31000, -3, c), Erro::na));
    EXPECT_TRUE(e_erro(indtaxa(31000, 0, 30000), Erro::na));
    EXPECT_TRUE(e_erro(indtaxa(31000, 63, 0), Erro::na));
    EXPECT_TRUE(e_erro(indtaxa(0, 63, 30000), Erro::na));
    // Spot is tested before the curve is read.
    EXPECT_TRUE(e_erro(indjusto(0, 42, linhas({{num(0.18), num(21)}, {num(0.19), num(1e12)}})), Erro::na));
    EXPECT_TRUE(e_erro(indjusto(30000, 42, linhas({{num(0.18), num(21)}, {num(0.19), num(1e12)}})), Erro::num));
}

TEST(IndiceFuturo, ImpliedRate) {
    EXPECT_TRUE(e_numero(indtaxa(30000, 63, 30000), 0));
    EXPECT_LT(indtaxa(29000, 63, 30000).valor(), 0);
    EXPECT_EQ(indtaxa(31000, 252, 30000).valor(), 31000.0 / 30000 - 1);
    // A ratio that overflows its power.
    EXPECT_TRUE(e_erro(indtaxa(2000000000, 1, 1), Erro::num));
}

TEST(IndiceFuturo, ValuesBeyondThirtyTwoBits) {
    const Matriz c = curva_exemplo();
    EXPECT_TRUE(e_erro(indjusto(2000000000, 300, c), Erro::num));
    EXPECT_TRUE(e_erro(inddif(2000000000, 31000, 300, c), Erro::num));
    // A fair value that fits, but a difference that does not.
    EXPECT_TRUE(e_erro(inddif(2000000000, -2000000000, 1, linhas({{num(0), num(1)}, {num(0), num(2)}})),
                       Erro::num));
}
