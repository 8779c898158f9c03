// The worksheet functions of the business-day calendar: VX.DU, VX.DIAUTIL, VX.EHDIAUTIL and
// VX.FERIADOS, on the arguments as Excel passes them (doubles), checked as every function of
// the add-in checks them: a date's fraction (a time) is dropped, a date before 2001 or after
// 9999 is #NUM!, NaN is #VALUE!, a regime other than 0 or 1 is #VALUE!.
#pragma once

#include <cstdint>

#include "Funcoes/calendario.h"
#include "Funcoes/resultado.h"

namespace funcoes {

// A date argument as a serial in range, or the reason it is not one.
struct LeituraData {
    Erro erro = Erro::nenhum;
    std::int32_t serial = 0;
};
LeituraData le_data(double data);

// VX.DU: the business days d with data_inicial ≤ d < data_final, negative when the dates are
// reversed. Regime 0: the calendar of the earlier date (calendario_do_mercado); 1: the current.
Resultado du(double data_inicial, double data_final, double regime);

// VX.DIAUTIL: the business day x with VX.DU(data; x; regime) = n (n truncated toward zero, as
// WORKDAY truncates its days). In regime 0 a count backwards from after 20 November 2024 can
// ask for a number of days that no date gives, since the calendar changes with the earlier
// date: #NUM! then, as beyond the last date.
Resultado diautil(double data, double n, double regime);

// VX.EHDIAUTIL: whether the date is a business day of the current calendar.
ResultadoLogico ehdiautil(double data);

// VX.FERIADOS: the years whose holidays are listed, at most 100 of them; ano_final 0 (omitted)
// is ano_inicial. The list itself comes from feriados_do_ano, current calendar.
struct ResultadoFeriados {
    Erro erro = Erro::nenhum;
    int ano_inicial = 0;
    int ano_final = 0;
};
constexpr int max_anos_feriados = 100;
ResultadoFeriados feriados(double ano_inicial, double ano_final);

}  // namespace funcoes
