// A row of the chart's selection against the same cells read by le_curva: the chart keeps the
// sign of a rate, needs at least one business day, and skips a day count no point can hold,
// where the worksheet functions take the absolute rate, keep any positive count, and refuse the
// whole curve.
#include <gtest/gtest.h>

#include <limits>

#include "Cmp/ponto_da_selecao.h"

namespace {

using funcoes::Celula;

struct Linha {
    const char* caso;
    Celula taxa;
    Celula dias;
    bool no_grafico;
    std::uint32_t dias_no_grafico;
    double taxa_no_grafico;
};

const double infinito = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

const Linha linhas[] = {
    {"a number and an integer", Celula::numero(0.18), Celula::inteiro(21), true, 21, 0.18},
    {"an integer rate", Celula::inteiro(1), Celula::numero(42), true, 42, 1.0},
    {"days truncated", Celula::numero(0.18), Celula::numero(21.7), true, 21, 0.18},
    {"one business day", Celula::numero(0.18), Celula::numero(1), true, 1, 0.18},
    {"a negative rate", Celula::numero(-0.19), Celula::numero(42), true, 42, -0.19},
    {"the last day a point holds", Celula::numero(0.1), Celula::numero(4294967295.9), true, 4294967295u, 0.1},
    {"below one day", Celula::numero(0.18), Celula::numero(0.9), false, 0, 0},
    {"no days", Celula::numero(0.18), Celula::numero(0), false, 0, 0},
    {"negative days", Celula::numero(0.18), Celula::inteiro(-5), false, 0, 0},
    {"beyond 32 bits", Celula::numero(0.18), Celula::numero(4294967296.0), false, 0, 0},
    {"infinite days", Celula::numero(0.18), Celula::numero(infinito), false, 0, 0},
    {"NaN days", Celula::numero(0.18), Celula::numero(nan), false, 0, 0},
    {"a text rate", Celula::outro(), Celula::numero(42), false, 0, 0},
    {"a text day count", Celula::numero(0.18), Celula::outro(), false, 0, 0},
};

TEST(PontoDaSelecao, EachRowByTheChartsRule) {
    for (const Linha& linha : linhas) {
        SCOPED_TRACE(linha.caso);
        const auto ponto = cmp::ponto_da_selecao(linha.taxa, linha.dias);
        ASSERT_EQ(ponto.has_value(), linha.no_grafico);
        if (!ponto) continue;
        EXPECT_EQ(ponto->workdays, linha.dias_no_grafico);
        EXPECT_EQ(ponto->rate, linha.taxa_no_grafico);
    }
}

// The two rows of a curve, the first a vertex both rules accept, the second the case.
funcoes::LeituraCurva le_curva_com(const Celula& taxa, const Celula& dias) {
    funcoes::Matriz m;
    m.linhas = 2;
    m.colunas = 2;
    m.celulas = {Celula::numero(0.2), Celula::numero(300), taxa, dias};
    return funcoes::le_curva(m);
}

TEST(PontoDaSelecao, DiffersFromTheWorksheetFunctionsWhereItMeansTo) {
    // A negative rate: its absolute value for le_curva.
    auto lida = le_curva_com(Celula::numero(-0.19), Celula::numero(42));
    ASSERT_EQ(lida.erro, funcoes::Erro::nenhum);
    EXPECT_EQ(lida.curva[0].rate, 0.19);
    EXPECT_EQ(cmp::ponto_da_selecao(Celula::numero(-0.19), Celula::numero(42))->rate, -0.19);
    // Half a day: day 0 for le_curva, no point for the chart.
    lida = le_curva_com(Celula::numero(0.18), Celula::numero(0.5));
    ASSERT_EQ(lida.erro, funcoes::Erro::nenhum);
    EXPECT_EQ(lida.curva[0].workdays, 0u);
    EXPECT_FALSE(cmp::ponto_da_selecao(Celula::numero(0.18), Celula::numero(0.5)));
    // Beyond 32 bits: the whole curve refused by le_curva, the row alone skipped by the chart.
    EXPECT_EQ(le_curva_com(Celula::numero(0.18), Celula::numero(1e12)).erro, funcoes::Erro::num);
    EXPECT_FALSE(cmp::ponto_da_selecao(Celula::numero(0.18), Celula::numero(1e12)));
}

}  // namespace
