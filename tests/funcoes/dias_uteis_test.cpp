// VX.DU, VX.DIAUTIL, VX.EHDIAUTIL and VX.FERIADOS on their arguments as Excel passes them:
// the worked examples, both regimes across the change of 26 December 2023 and 20 November 2024,
// the identity VX.DU(a; VX.DIAUTIL(a; n)) = n, and every bad argument.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

#include "Funcoes/calendario.h"
#include "Funcoes/dias_uteis.h"
#include "verifica.h"

using namespace funcoes;
using teste::e_erro;
using teste::e_numero;

namespace {

double dt(int ano, int mes, int dia) { return serial_de(ano, mes, dia); }
constexpr double nan_ = std::numeric_limits<double>::quiet_NaN();
constexpr double inf_ = std::numeric_limits<double>::infinity();

TEST(DiasUteis, WorkedExamples) {
    EXPECT_TRUE(e_numero(du(45691, 46024, 0), 230));
    EXPECT_TRUE(e_numero(du(44959, 45659, 0), 480));  // the count of that day: 20 November a business day
    EXPECT_TRUE(e_numero(du(44959, 45659, 1), 479));
    EXPECT_TRUE(e_numero(du(dt(2024, 11, 19), dt(2024, 11, 22), 0), 2));
    EXPECT_TRUE(e_numero(diautil(dt(2025, 3, 1), 0, 0), dt(2025, 3, 5)));   // Saturday before Carnival
    EXPECT_TRUE(e_numero(diautil(dt(2025, 3, 1), 1, 0), dt(2025, 3, 6)));
    EXPECT_TRUE(e_numero(diautil(dt(2025, 3, 1), -1, 0), dt(2025, 2, 28)));
    EXPECT_TRUE(e_numero(diautil(dt(2025, 2, 8), 1, 0), dt(2025, 2, 11)));  // Saturday, 1: the Tuesday
}

TEST(DiasUteis, ReversedDatesCountNegative) {
    EXPECT_TRUE(e_numero(du(46024, 45691, 0), -230));
    EXPECT_TRUE(e_numero(du(45659, 44959, 0), -480));  // the earlier date chooses the calendar
    EXPECT_TRUE(e_numero(du(45659, 44959, 1), -479));
    EXPECT_TRUE(e_numero(du(45691, 45691, 0), 0));
}

TEST(DiasUteis, RegimesAcrossTheChange) {
    struct Caso {
        double de, ate;
    };
    for (const Caso& c : std::vector<Caso>{
             // Started before 26 December 2023: no 20 November in regime 0, in any year.
             {dt(2023, 12, 22), dt(2024, 11, 22)},
             {dt(2023, 12, 25), dt(2026, 1, 1)},
             {dt(2023, 2, 2), dt(2025, 1, 2)},
             // Started on or after it: both regimes count alike.
             {dt(2023, 12, 26), dt(2026, 1, 1)},
             {dt(2024, 11, 19), dt(2024, 11, 22)},
             // Ending on or before 20 November 2024: no difference at all.
             {dt(2023, 1, 2), dt(2024, 11, 20)},
         }) {
        const Resultado r0 = du(c.de, c.ate, 0), r1 = du(c.de, c.ate, 1);
        ASSERT_TRUE(r0.ok() && r1.ok());
        const double diferenca = r0.valor() - r1.valor();
        // 20 November 2024 (Wednesday) and 2025 (Thursday) are weekdays.
        const double esperada = c.de < data_da_mudanca ? (c.ate > dt(2025, 11, 20) ? 2 : c.ate > dt(2024, 11, 20) ? 1 : 0) : 0;
        EXPECT_EQ(diferenca, esperada) << c.de << " to " << c.ate;
    }
    // From the last day of the old count, 20 November 2024 is a business day; from the first of
    // the new one it is not.
    EXPECT_TRUE(e_numero(du(dt(2023, 12, 22), dt(2024, 11, 21), 0), du(dt(2023, 12, 22), dt(2024, 11, 20), 0).valor() + 1));
    EXPECT_TRUE(e_numero(du(dt(2023, 12, 26), dt(2024, 11, 21), 0), du(dt(2023, 12, 26), dt(2024, 11, 20), 0).valor()));
    // Stepping from a start date before the change lands on 20 November 2024 in regime 0 only.
    const double antes = du(dt(2023, 12, 22), dt(2024, 11, 20), 0).valor();
    EXPECT_TRUE(e_numero(diautil(dt(2023, 12, 22), antes, 0), dt(2024, 11, 20)));
    EXPECT_TRUE(e_numero(diautil(dt(2023, 12, 22), antes, 1), dt(2024, 11, 21)));
}

TEST(DiasUteis, CountingBackOverTheChange) {
    // From 21 November 2024 back: on or after 26 December 2023 the current calendar counts, before
    // it the old one, which has one business day more (20 November 2024) in the span.
    const double data = dt(2024, 11, 21);
    const double k = du(data_da_mudanca, data, 1).valor();
    EXPECT_TRUE(e_numero(diautil(data, -k, 0), data_da_mudanca));
    EXPECT_TRUE(e_numero(diautil(data, -(k + 2), 0), dt(2023, 12, 22)));
    EXPECT_TRUE(e_numero(du(dt(2023, 12, 22), data, 0), k + 2));
    // No date has k + 1 business days to 21 November 2024 in regime 0.
    EXPECT_TRUE(e_erro(diautil(data, -(k + 1), 0), Erro::num));
    EXPECT_TRUE(e_numero(diautil(data, -(k + 1), 1), dt(2023, 12, 22)));
}

TEST(DiasUteis, StepAndCountAreInverse) {
    std::mt19937 gerador(2024);
    std::uniform_int_distribution<int> data(primeira_data, ultima_data), passos(-3000, 3000);
    std::uniform_int_distribution<int> perto(data_da_mudanca - 800, data_da_mudanca + 1200);
    int verificados = 0;
    for (int i = 0; i < 20000; ++i) {
        const double a = i % 2 ? data(gerador) : perto(gerador);
        const double n = passos(gerador);
        for (double regime : {0.0, 1.0}) {
            const Resultado x = diautil(a, n, regime);
            if (!x.ok()) {
                // Only beyond the limits, or in regime 0's gap backwards over the change.
                ASSERT_EQ(x.erro(), Erro::num);
                continue;
            }
            // A business day of the calendar that counts: the one of the earlier date in regime 0.
            const auto inicio = static_cast<std::int32_t>(std::min(a, x.valor()));
            const Calendario c = regime == 1 ? Calendario::atual : calendario_do_mercado(inicio);
            ASSERT_TRUE(eh_dia_util(static_cast<std::int32_t>(x.valor()), c)) << a << " " << n;
            ASSERT_TRUE(e_numero(du(a, x.valor(), regime), n)) << a << " " << n << " regime " << regime;
            ++verificados;
        }
    }
    EXPECT_GT(verificados, 35000);
}

TEST(DiasUteis, StepOfZeroAndFractions) {
    EXPECT_TRUE(e_numero(diautil(dt(2025, 2, 3), 0, 0), dt(2025, 2, 3)));       // a business day: itself
    EXPECT_TRUE(e_numero(diautil(dt(2025, 2, 3) + 0.75, 0, 0), dt(2025, 2, 3)));  // a time dropped
    EXPECT_TRUE(e_numero(diautil(dt(2025, 2, 3), 1.9, 0), dt(2025, 2, 4)));     // days toward zero
    EXPECT_TRUE(e_numero(diautil(dt(2025, 2, 3), -1.9, 0), dt(2025, 1, 31)));
    EXPECT_TRUE(e_numero(du(45691.9, 46024.1, 0), 230));
}

TEST(DiasUteis, Limits) {
    EXPECT_TRUE(e_numero(diautil(primeira_data, 0, 0), dt(2001, 1, 2)));  // New Year's Day
    EXPECT_TRUE(e_numero(diautil(ultima_data, 0, 0), ultima_data));        // a Friday
    EXPECT_TRUE(e_numero(diautil(ultima_data + 0.5, 0, 1), ultima_data));
    EXPECT_TRUE(e_erro(diautil(ultima_data, 1, 0), Erro::num));
    EXPECT_TRUE(e_erro(diautil(dt(2001, 1, 2), -1, 0), Erro::num));
    EXPECT_TRUE(e_numero(du(primeira_data, primeira_data + 1, 0), 0));
    EXPECT_TRUE(ehdiautil(ultima_data).valor);
    const Resultado tudo = du(primeira_data, ultima_data, 1);
    ASSERT_TRUE(tudo.ok());
    EXPECT_TRUE(e_numero(diautil(primeira_data, tudo.valor() - 1, 1), dt(9999, 12, 30)));
}

TEST(DiasUteis, BadArguments) {
    struct Caso {
        double a, b, regime;
        Erro erro;
    };
    for (const Caso& c : std::vector<Caso>{
             {36891, 45691, 0, Erro::num},   {36891.999, 45691, 0, Erro::num}, {45691, 2958466, 0, Erro::num},
             {-1, 45691, 0, Erro::num},      {45691, -inf_, 0, Erro::num},     {inf_, 45691, 0, Erro::num},
             {1e300, 45691, 0, Erro::num},   {nan_, 45691, 0, Erro::valor},    {45691, nan_, 0, Erro::valor},
             {45691, 46024, 2, Erro::valor}, {45691, 46024, -1, Erro::valor},  {45691, 46024, 0.5, Erro::valor},
             {45691, 46024, nan_, Erro::valor},
         }) {
        EXPECT_TRUE(e_erro(du(c.a, c.b, c.regime), c.erro)) << c.a << " " << c.b << " " << c.regime;
        // VX.DIAUTIL reads its date and regime alike.
        if (c.b == 45691 || c.b == 46024) {
            EXPECT_TRUE(e_erro(diautil(c.a, 1, c.regime), c.erro)) << c.a << " " << c.regime;
        }
    }
    for (double n : {inf_, -inf_, 1e300, -3e6, 3e6}) EXPECT_TRUE(e_erro(diautil(45691, n, 0), Erro::num)) << n;
    EXPECT_TRUE(e_erro(diautil(45691, nan_, 0), Erro::valor));
    EXPECT_EQ(ehdiautil(36891).erro, Erro::num);
    EXPECT_EQ(ehdiautil(nan_).erro, Erro::valor);
}

TEST(DiasUteis, IsBusinessDayUsesTodaysCalendar) {
    EXPECT_FALSE(ehdiautil(dt(2024, 11, 20)).valor);
    EXPECT_TRUE(ehdiautil(dt(2023, 11, 20)).valor);
    EXPECT_FALSE(ehdiautil(dt(2025, 3, 1)).valor);
    EXPECT_TRUE(ehdiautil(dt(2025, 3, 5) + 0.99).valor);
    EXPECT_EQ(ehdiautil(dt(2025, 3, 5)).erro, Erro::nenhum);
}

TEST(DiasUteis, HolidayYears) {
    struct Caso {
        double de, ate;
        Erro erro;
        int ano_inicial, ano_final;
    };
    for (const Caso& c : std::vector<Caso>{
             {2025, 0, Erro::nenhum, 2025, 2025},    {2024, 2025, Erro::nenhum, 2024, 2025},
             {2025.7, 0, Erro::nenhum, 2025, 2025},  {2001, 2100, Erro::nenhum, 2001, 2100},
             {9999, 9999, Erro::nenhum, 9999, 9999}, {2001, 2101, Erro::valor, 0, 0},
             {2025, 2024, Erro::valor, 0, 0},        {2000, 0, Erro::num, 0, 0},
             {10000, 0, Erro::num, 0, 0},            {2025, 10000, Erro::num, 0, 0},
             {nan_, 0, Erro::valor, 0, 0},           {2025, nan_, Erro::valor, 0, 0},
             {-inf_, 0, Erro::num, 0, 0},            {1e300, 0, Erro::num, 0, 0},
         }) {
        const ResultadoFeriados r = feriados(c.de, c.ate);
        EXPECT_EQ(r.erro, c.erro) << c.de << " " << c.ate;
        if (c.erro == Erro::nenhum) {
            EXPECT_EQ(r.ano_inicial, c.ano_inicial);
            EXPECT_EQ(r.ano_final, c.ano_final);
        }
    }
}

}  // namespace
