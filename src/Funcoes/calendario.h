// The national business-day calendar: Monday to Friday, less the national holidays. Dates are
// Excel serial numbers of the 1900 date system, from 1 January 2001 to 31 December 9999.
// Counting and stepping take constant time whatever the span: the weekdays of a span have a
// closed form, and the weekday holidays before each year are counted once, in a table built on
// first use.
#pragma once

#include <cstdint>
#include <optional>

namespace funcoes {

// Which holidays a count sees. 20 November became a national holiday from 2024 on; the
// market's prices took it in from 26 December 2023.
enum class Calendario : std::uint8_t {
    antigo = 0,  // 20 November a business day in every year
    atual = 1,   // 20 November a holiday from 2024 on
};

constexpr std::int32_t primeira_data = 36892;     // 2001-01-01, a Monday
constexpr std::int32_t ultima_data = 2958465;     // 9999-12-31
constexpr std::int32_t data_da_mudanca = 45286;   // 2023-12-26, the first prices with 20 November
constexpr int primeiro_ano = 2001;
constexpr int ultimo_ano = 9999;
constexpr int max_feriados_por_ano = 13;

struct DataCivil {
    int ano, mes, dia;
};

// The serial number of a date of the Gregorian calendar (from 1 March 1900 on, where Excel's
// serials count days without its 1900 leap-year slip).
std::int32_t serial_de(int ano, int mes, int dia);
DataCivil civil_de(std::int32_t serial);

// 0 Saturday, 1 Sunday, 2 Monday … 6 Friday, as serial mod 7.
inline int dia_da_semana(std::int32_t serial) { return serial % 7; }
inline bool eh_fim_de_semana(std::int32_t serial) { return dia_da_semana(serial) < 2; }

// Easter Sunday of a Gregorian year, as a serial.
std::int32_t pascoa(int ano);

// Every national holiday of the year in that calendar, also those on a weekend, ascending
// and without repeats (none fall on one day): the count written into `saida`.
int feriados_do_ano(int ano, Calendario calendario, std::int32_t (&saida)[max_feriados_por_ano]);

// The calendar the market counted with from a start date.
inline Calendario calendario_do_mercado(std::int32_t data_inicial) {
    return data_inicial < data_da_mudanca ? Calendario::antigo : Calendario::atual;
}

// Dates in [primeira_data, ultima_data].
bool eh_dia_util(std::int32_t data, Calendario calendario);

// The business days in [primeira_data, data), for data in [primeira_data, ultima_data + 1].
std::int32_t uteis_antes(std::int32_t data, Calendario calendario);

// The business days d with de ≤ d < ate (de ≤ ate, both in range).
std::int32_t dias_uteis(std::int32_t de, std::int32_t ate, Calendario calendario);

// The business day x with uteis_antes(x) = indice (counted from 0 at the first business day
// of 2001), or nothing when it would fall after ultima_data or indice is negative.
std::optional<std::int32_t> dia_util_de_indice(std::int64_t indice, Calendario calendario);

}  // namespace funcoes
