// VX.DURATION: Macaulay duration, exposures, convexity and modified duration of a portfolio.
#include <gtest/gtest.h>

#include <cmath>

#include "Funcoes/duration.h"
#include "intervalos.h"

using namespace funcoes;
using namespace teste;

namespace {

void espera(const ResultadoDuration& r, int dias, double exposicao, double final_, double convexidade,
            double modificada, double tol_valor = 0.005, double tol_taxa = 5e-7) {
    ASSERT_EQ(r.erro, Erro::nenhum);
    EXPECT_EQ(r.linhas.dias, dias);
    EXPECT_NEAR(r.linhas.exposicao, exposicao, tol_valor);
    EXPECT_NEAR(r.linhas.exposicao_final, final_, tol_valor);
    EXPECT_NEAR(r.linhas.convexidade, convexidade, tol_taxa);
    EXPECT_NEAR(r.linhas.duration_modificada, modificada, tol_taxa);
}

}  // namespace

TEST(Duration, WorkedExamples) {
    espera(duration(curva_exemplo(), linhas({{num(1000000), num(63)}, {num(1000000), num(252)}})),
           151, 1790666.33, 1994039.68, 0.764993, 0.500422);
    // The short side carries more rate risk and sets the duration; both sides: no C, no M.
    espera(duration(curva_exemplo(), linhas({{num(1000000), num(63)}, {num(-500000), num(252)}})),
           252, -174020.57, -208824.68, 0, 0, 0.005, 0);
}

TEST(Duration, ASingleFlowIsItsOwnZeroCoupon) {
    // D = w, M = (w/252)/(1 + r), E = F/(1 + r)^(w/252) and a final exposure of F; beyond the
    // last vertex the flow is discounted at the last rate.
    struct Caso { int w; double taxa; };
    for (const Caso k : {Caso{15, 0.18}, Caso{63, 0.185}, Caso{252, 0.20}, Caso{400, 0.20}}) {
        const double f = 2500000;
        const ResultadoDuration r = duration(curva_exemplo(), linhas({{num(f), num(k.w)}}));
        const double anos = k.w / 252.0;
        espera(r, k.w, f / std::pow(1 + k.taxa, anos), f,
               anos * ((k.w + 252) / 252.0) / ((1 + k.taxa) * (1 + k.taxa)), anos / (1 + k.taxa), 1e-6, 1e-12);
    }
    // Beyond the last vertex of a two-vertex curve the rate is 0.
    espera(duration(linhas({{num(0.18), num(21)}, {num(0.20), num(252)}}), linhas({{num(700), num(300)}})),
           300, 700, 700, (300 / 252.0) * (552 / 252.0), 300 / 252.0, 1e-9, 1e-12);
}

TEST(Duration, PortfolioReadingRule) {
    const Matriz c = curva_exemplo();
    const ResultadoDuration base = duration(c, linhas({{num(1000), num(100)}}));
    for (const Matriz& p : {linhas({{num(1000.9), num(100.7)}}), linhas({{inteiro(1000), inteiro(100)}}),
                            linhas({{vazio(), vazio()}, {num(1000), num(100)}, {num(5), vazio()},
                                    {num(5), num(0)}, {num(5), num(-3)}, {vazio(), num(30)}})}) {
        const ResultadoDuration r = duration(c, p);
        ASSERT_EQ(r.erro, Erro::nenhum);
        EXPECT_EQ(r.linhas.exposicao, base.linhas.exposicao);
        EXPECT_EQ(r.linhas.duration_modificada, base.linhas.duration_modificada);
    }
    // A face value of 0 goes to the short side without changing any sum, and does not make a
    // portfolio of two sides.
    const ResultadoDuration com_zero = duration(
        c, linhas({{num(1000000), num(63)}, {num(0), num(100)}, {num(1000000), num(252)}}));
    espera(com_zero, 151, 1790666.33, 1994039.68, 0.764993, 0.500422);
}

TEST(Duration, TheLongSideWinsATie) {
    // Zero rates make the risks exact: long 2 × 126/252 = 1, short −1 × 252/252 = −1.
    const Matriz zero = linhas({{num(0), num(21)}, {num(0), num(252)}});
    espera(duration(zero, linhas({{num(2), num(126)}, {num(-1), num(252)}})), 126, 0, 0, 0, 0, 0, 0);
    espera(duration(zero, linhas({{num(2), num(126)}, {num(-2), num(252)}})), 252, -1, -1, 0, 0, 1e-12, 0);
}

TEST(Duration, RejectedInput) {
    const Matriz p = linhas({{num(1000), num(100)}});
    EXPECT_EQ(duration(nao_matriz(), p).erro, Erro::na);
    EXPECT_EQ(duration(linhas({{num(0.18), num(21)}}), p).erro, Erro::na);
    EXPECT_EQ(duration(curva_exemplo(), nao_matriz()).erro, Erro::na);
    Matriz tres;
    tres.linhas = 1;
    tres.colunas = 3;
    tres.celulas = {num(1000), num(100), num(1)};
    EXPECT_EQ(duration(curva_exemplo(), tres).erro, Erro::na);
    EXPECT_EQ(duration(linhas({{num(0.18), num(21)}, {num(0.19), num(21)}}), p).erro, Erro::na);
    EXPECT_EQ(duration(curva_exemplo(), linhas({{num(1000), vazio()}, {num(2000), vazio()}})).erro, Erro::na);
    // The curve is read before the portfolio.
    EXPECT_EQ(duration(linhas({{num(0.18), num(21)}}), linhas({{num(5e9), num(100)}})).erro, Erro::na);
}

TEST(Duration, NoSoundAnswerBecomesAnError) {
    const Matriz c = curva_exemplo();
    // Every present value 0: no duration to divide the risk by.
    EXPECT_EQ(duration(c, linhas({{num(0), num(63)}, {num(0), num(252)}})).erro, Erro::div0);
    // Face values and day counts beyond 32 bits.
    EXPECT_EQ(duration(c, linhas({{num(3e9), num(63)}})).erro, Erro::num);
    EXPECT_EQ(duration(c, linhas({{num(-3e9), num(63)}})).erro, Erro::num);
    EXPECT_EQ(duration(c, linhas({{num(1000), num(3e9)}})).erro, Erro::num);
    // A duration beyond the 16-bit row 1.
    EXPECT_EQ(duration(c, linhas({{num(1000), num(40000)}})).erro, Erro::num);
    EXPECT_EQ(duration(c, linhas({{num(1000), num(32767)}})).linhas.dias, 32767);
}

TEST(Duration, APaymentDueTodayOnADayZeroVertex) {
    // 0.5 days is day 0 in both ranges; its rate is the day-0 vertex's, its present value F.
    const Matriz c = linhas({{num(0.5), num(0.5)}, {num(0.18), num(21)}, {num(0.20), num(252)}});
    const ResultadoDuration r = duration(c, linhas({{num(1000000), num(0.5)}, {num(1000000), num(252)}}));
    ASSERT_EQ(r.erro, Erro::nenhum);
    const double pv = 1000000 / 1.2, soma = 1000000 + pv;
    EXPECT_EQ(r.linhas.dias, 115);  // 252 × pv / soma = 114.545
    EXPECT_NEAR(r.linhas.duration_modificada, (252 * pv / (1.2 * 252)) / soma, 1e-12);
    // Only payments due today: a duration of 0 days.
    EXPECT_EQ(duration(c, linhas({{num(1000000), num(0.5)}})).erro, Erro::div0);
}
