// The national calendar against facts found apart from its code: dates and weekdays of known
// days, Easter Sundays, the published holiday lists, counts worked out by hand, and a calendar
// of this file's own that walks day by day with Easter from another algorithm (Oudin's).
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "Funcoes/calendario.h"

using namespace funcoes;

namespace {

std::int32_t d(int ano, int mes, int dia) { return serial_de(ano, mes, dia); }

// Easter by Oudin's algorithm (1940), a different derivation from the one in the calendar.
std::int32_t pascoa_oudin(int y) {
    const int g = y % 19, c = y / 100;
    const int h = (c - c / 4 - (8 * c + 13) / 25 + 19 * g + 15) % 30;
    const int i = h - (h / 28) * (1 - (h / 28) * (29 / (h + 1)) * ((21 - g) / 11));
    const int j = (y + y / 4 + i + 2 - c + c / 4) % 7;
    const int l = i - j;
    const int mes = 3 + (l + 40) / 44;
    return d(y, mes, l + 28 - 31 * (mes / 4));
}

// The holidays of a year as the law lists them, from the day-walking calendar's own rules.
std::set<std::int32_t> feriados_da_lei(int ano, bool com_20_de_novembro) {
    const std::int32_t p = pascoa_oudin(ano);
    std::set<std::int32_t> f = {d(ano, 1, 1),  d(ano, 4, 21), d(ano, 5, 1),   d(ano, 9, 7), d(ano, 10, 12),
                                d(ano, 11, 2), d(ano, 11, 15), d(ano, 12, 25), p - 48,       p - 47,
                                p - 2,         p + 60};
    if (com_20_de_novembro && ano >= 2024) f.insert(d(ano, 11, 20));
    return f;
}

// Walks day by day: business days d with de ≤ d < ate.
struct CalendarioAndante {
    bool com_20_de_novembro;
    mutable int ano = 0;  // the year whose holidays are at hand
    mutable std::set<std::int32_t> feriados;
    bool util(std::int32_t x) const {
        if (eh_fim_de_semana(x)) return false;
        if (civil_de(x).ano != ano) {
            ano = civil_de(x).ano;
            feriados = feriados_da_lei(ano, com_20_de_novembro);
        }
        return feriados.count(x) == 0;
    }
    std::int32_t conta(std::int32_t de, std::int32_t ate) const {
        std::int32_t n = 0;
        for (std::int32_t x = de; x < ate; ++x) n += util(x) ? 1 : 0;
        return n;
    }
};

std::vector<std::int32_t> lista(int ano, Calendario c) {
    std::int32_t saida[max_feriados_por_ano];
    const int n = feriados_do_ano(ano, c, saida);
    return {saida, saida + n};
}

TEST(Calendario, SerialsAndWeekdaysOfKnownDays) {
    struct Caso {
        int ano, mes, dia;
        std::int32_t serial;
        int semana;  // 0 Saturday … 6 Friday
    };
    for (const Caso& c : std::vector<Caso>{{2001, 1, 1, 36892, 2},    {2025, 2, 3, 45691, 2},
                                           {2026, 1, 2, 46024, 6},    {2023, 2, 2, 44959, 5},
                                           {2025, 1, 2, 45659, 5},    {2023, 12, 26, 45286, 3},
                                           {2024, 11, 20, 45616, 4},  {2000, 2, 29, 36585, 3},
                                           {1900, 3, 1, 61, 5},       {9999, 12, 31, 2958465, 6}}) {
        EXPECT_EQ(serial_de(c.ano, c.mes, c.dia), c.serial) << c.ano << "-" << c.mes << "-" << c.dia;
        EXPECT_EQ(dia_da_semana(c.serial), c.semana) << c.serial;
        const DataCivil back = civil_de(c.serial);
        EXPECT_EQ(back.ano * 10000 + back.mes * 100 + back.dia, c.ano * 10000 + c.mes * 100 + c.dia);
    }
}

TEST(Calendario, EveryDayOfTheRangeRoundTrips) {
    DataCivil antes = civil_de(primeira_data - 1);
    for (std::int32_t x = primeira_data; x <= ultima_data; ++x) {
        const DataCivil c = civil_de(x);
        ASSERT_EQ(serial_de(c.ano, c.mes, c.dia), x);
        // Consecutive: the next day of the same month, or the first of the next.
        const bool seguinte = (c.ano == antes.ano && c.mes == antes.mes && c.dia == antes.dia + 1) ||
                              (c.dia == 1 && (c.mes == antes.mes + 1 || (c.mes == 1 && c.ano == antes.ano + 1)));
        ASSERT_TRUE(seguinte) << x;
        antes = c;
    }
}

TEST(Calendario, EasterSundaysOfKnownYears) {
    const std::pair<int, std::int32_t> conhecidas[] = {
        {2001, d(2001, 4, 15)}, {2002, d(2002, 3, 31)}, {2008, d(2008, 3, 23)}, {2011, d(2011, 4, 24)},
        {2019, d(2019, 4, 21)}, {2024, d(2024, 3, 31)}, {2025, d(2025, 4, 20)}, {2038, d(2038, 4, 25)},
        {2285, d(2285, 3, 22)}, {2079, d(2079, 4, 23)}};
    for (const auto& [ano, domingo] : conhecidas) {
        EXPECT_EQ(pascoa(ano), domingo) << ano;
        EXPECT_EQ(dia_da_semana(pascoa(ano)), 1) << ano;
    }
    for (int ano = primeiro_ano; ano <= ultimo_ano; ++ano) ASSERT_EQ(pascoa(ano), pascoa_oudin(ano)) << ano;
}

TEST(Calendario, PublishedHolidayLists) {
    struct Caso {
        int ano;
        Calendario calendario;
        std::vector<std::int32_t> feriados;
    };
    const std::vector<Caso> casos = {
        {2025, Calendario::atual,
         {d(2025, 1, 1), d(2025, 3, 3), d(2025, 3, 4), d(2025, 4, 18), d(2025, 4, 21), d(2025, 5, 1), d(2025, 6, 19),
          d(2025, 9, 7), d(2025, 10, 12), d(2025, 11, 2), d(2025, 11, 15), d(2025, 11, 20), d(2025, 12, 25)}},
        {2024, Calendario::atual,
         {d(2024, 1, 1), d(2024, 2, 12), d(2024, 2, 13), d(2024, 3, 29), d(2024, 4, 21), d(2024, 5, 1), d(2024, 5, 30),
          d(2024, 9, 7), d(2024, 10, 12), d(2024, 11, 2), d(2024, 11, 15), d(2024, 11, 20), d(2024, 12, 25)}},
        {2024, Calendario::antigo,
         {d(2024, 1, 1), d(2024, 2, 12), d(2024, 2, 13), d(2024, 3, 29), d(2024, 4, 21), d(2024, 5, 1), d(2024, 5, 30),
          d(2024, 9, 7), d(2024, 10, 12), d(2024, 11, 2), d(2024, 11, 15), d(2024, 12, 25)}},
        // Before 2024 no calendar has 20 November.
        {2023, Calendario::atual,
         {d(2023, 1, 1), d(2023, 2, 20), d(2023, 2, 21), d(2023, 4, 7), d(2023, 4, 21), d(2023, 5, 1), d(2023, 6, 8),
          d(2023, 9, 7), d(2023, 10, 12), d(2023, 11, 2), d(2023, 11, 15), d(2023, 12, 25)}},
        // Good Friday on 21 April: one holiday for both.
        {2079, Calendario::atual,
         {d(2079, 1, 1), d(2079, 3, 6), d(2079, 3, 7), d(2079, 4, 21), d(2079, 5, 1), d(2079, 6, 22), d(2079, 9, 7),
          d(2079, 10, 12), d(2079, 11, 2), d(2079, 11, 15), d(2079, 11, 20), d(2079, 12, 25)}},
    };
    for (const Caso& c : casos) EXPECT_EQ(lista(c.ano, c.calendario), c.feriados) << c.ano;
}

TEST(Calendario, DaysThatLookLikeHolidaysAreBusinessDays) {
    // Ash Wednesday, Holy Thursday, 24 and 31 December; 20 November 2023 (a Monday).
    for (std::int32_t x : {d(2025, 3, 5), d(2025, 4, 17), d(2025, 12, 24), d(2025, 12, 31), d(2023, 11, 20)}) {
        EXPECT_TRUE(eh_dia_util(x, Calendario::atual)) << x;
        EXPECT_TRUE(eh_dia_util(x, Calendario::antigo)) << x;
    }
    EXPECT_FALSE(eh_dia_util(d(2024, 11, 20), Calendario::atual));
    EXPECT_TRUE(eh_dia_util(d(2024, 11, 20), Calendario::antigo));
    EXPECT_FALSE(eh_dia_util(d(2025, 3, 1), Calendario::atual));  // a Saturday
}

// NETWORKDAYS(a; b; holidays) − 1 for business days a and b, counted by hand.
TEST(Calendario, CountsWorkedOutByHand) {
    struct Caso {
        std::int32_t de, ate, uteis;
    };
    for (const Caso& c : std::vector<Caso>{
             {d(2025, 2, 3), d(2025, 2, 7), 4},     // Monday to Friday
             {d(2025, 2, 28), d(2025, 3, 7), 3},    // over Carnival: 28, 5, 6
             {d(2024, 11, 19), d(2024, 11, 22), 2}, // 19 and 21
             {d(2024, 12, 23), d(2025, 1, 3), 7},   // 23 24 26 27 30 31 2
             {d(2025, 4, 17), d(2025, 4, 22), 1},   // Holy Thursday; Good Friday and Tiradentes off
             {d(2025, 2, 3), d(2026, 1, 2), 230},   // the worked DI1F26 example
         })
        EXPECT_EQ(dias_uteis(c.de, c.ate, Calendario::atual), c.uteis) << c.de << " to " << c.ate;
}

TEST(Calendario, AgreesWithAWalkDayByDay) {
    const CalendarioAndante atual{true, 0, {}}, antigo{false, 0, {}};
    // Every day of the first and the last century, and of the change.
    for (auto [de, ate] : {std::pair{d(2001, 1, 1), d(2031, 1, 1)}, std::pair{d(2023, 1, 1), d(2026, 1, 1)},
                           std::pair{d(9990, 1, 1), ultima_data + 1}}) {
        std::int32_t n_atual = uteis_antes(de, Calendario::atual), n_antigo = uteis_antes(de, Calendario::antigo);
        for (std::int32_t x = de; x < ate; ++x) {
            ASSERT_EQ(eh_dia_util(x, Calendario::atual), atual.util(x)) << x;
            ASSERT_EQ(eh_dia_util(x, Calendario::antigo), antigo.util(x)) << x;
            n_atual += atual.util(x) ? 1 : 0;
            n_antigo += antigo.util(x) ? 1 : 0;
            ASSERT_EQ(uteis_antes(x + 1, Calendario::atual), n_atual) << x;
            ASSERT_EQ(uteis_antes(x + 1, Calendario::antigo), n_antigo) << x;
        }
    }
    // Spans anywhere, up to a few years long.
    std::mt19937 gerador(21);
    std::uniform_int_distribution<std::int32_t> data(primeira_data, ultima_data - 2000), duracao(0, 2000);
    for (int i = 0; i < 300; ++i) {
        const std::int32_t de = data(gerador), ate = de + duracao(gerador);
        ASSERT_EQ(dias_uteis(de, ate, Calendario::atual), atual.conta(de, ate)) << de << " to " << ate;
        ASSERT_EQ(dias_uteis(de, ate, Calendario::antigo), antigo.conta(de, ate)) << de << " to " << ate;
    }
}

TEST(Calendario, EveryBusinessDayIsFoundFromItsIndex) {
    for (Calendario c : {Calendario::atual, Calendario::antigo}) {
        std::int64_t indice = 0;
        for (std::int32_t x = primeira_data; x <= ultima_data; ++x) {
            if (!eh_dia_util(x, c)) continue;
            ASSERT_EQ(dia_util_de_indice(indice, c), std::optional<std::int32_t>(x)) << x;
            ++indice;
        }
        EXPECT_EQ(indice, uteis_antes(ultima_data + 1, c));
        EXPECT_EQ(dia_util_de_indice(indice, c), std::nullopt);
        EXPECT_EQ(dia_util_de_indice(-1, c), std::nullopt);
    }
}

TEST(Calendario, Limits) {
    EXPECT_EQ(uteis_antes(primeira_data, Calendario::atual), 0);
    // 1 January 2001 is a holiday; 2 January the first business day.
    EXPECT_EQ(dia_util_de_indice(0, Calendario::atual), std::optional<std::int32_t>(d(2001, 1, 2)));
    // 31 December 9999 is a Friday and a business day: the last.
    const std::int32_t total = uteis_antes(ultima_data + 1, Calendario::atual);
    EXPECT_EQ(dia_util_de_indice(total - 1, Calendario::atual), std::optional<std::int32_t>(ultima_data));
    // One 20 November more a year from 2024 on, when it falls on a weekday.
    EXPECT_GT(uteis_antes(ultima_data + 1, Calendario::antigo), total + 5000);
}

}  // namespace
