#include "Funcoes/dias_uteis.h"

#include <cmath>
#include <optional>

namespace funcoes {

namespace {

// 0 (or omitted): the market's calendar of the start date; 1: the current calendar.
enum class Regime { mercado, atual };

std::optional<Regime> le_regime(double regime) {
    if (regime == 0.0) return Regime::mercado;
    if (regime == 1.0) return Regime::atual;
    return std::nullopt;  // NaN too
}

Calendario calendario_de(Regime regime, std::int32_t data_inicial) {
    return regime == Regime::atual ? Calendario::atual : calendario_do_mercado(data_inicial);
}

// A year argument, fraction dropped, within the calendar's years.
struct LeituraAno {
    Erro erro = Erro::nenhum;
    int ano = 0;
};

LeituraAno le_ano(double ano) {
    if (std::isnan(ano)) return {Erro::valor, 0};
    // Compared before any conversion: a double beyond int's range must not be converted.
    if (!(ano >= primeiro_ano && ano < ultimo_ano + 1.0)) return {Erro::num, 0};
    return {Erro::nenhum, static_cast<int>(ano)};
}

// The business day `n` business days from the index of `data` in one calendar.
std::optional<std::int32_t> passo(std::int32_t data, std::int64_t n, Calendario c) {
    return dia_util_de_indice(static_cast<std::int64_t>(uteis_antes(data, c)) + n, c);
}

}  // namespace

LeituraData le_data(double data) {
    if (std::isnan(data)) return {Erro::valor, 0};
    // The range is checked on the double, so that the conversion below always fits; within it
    // the conversion drops the fraction, which for positive dates is the floor.
    if (!(data >= primeira_data && data < ultima_data + 1.0)) return {Erro::num, 0};
    return {Erro::nenhum, static_cast<std::int32_t>(data)};
}

Resultado du(double data_inicial, double data_final, double regime) {
    const LeituraData a = le_data(data_inicial);
    if (a.erro != Erro::nenhum) return Resultado::falha(a.erro);
    const LeituraData b = le_data(data_final);
    if (b.erro != Erro::nenhum) return Resultado::falha(b.erro);
    const auto r = le_regime(regime);
    if (!r) return Resultado::falha(Erro::valor);
    if (a.serial <= b.serial) return Resultado::numero(dias_uteis(a.serial, b.serial, calendario_de(*r, a.serial)));
    return Resultado::numero(-dias_uteis(b.serial, a.serial, calendario_de(*r, b.serial)));
}

Resultado diautil(double data, double n, double regime) {
    const LeituraData d = le_data(data);
    if (d.erro != Erro::nenhum) return Resultado::falha(d.erro);
    if (std::isnan(n)) return Resultado::falha(Erro::valor);
    const auto r = le_regime(regime);
    if (!r) return Resultado::falha(Erro::valor);
    // No count of business days between the calendar's limits reaches 3 million.
    if (!(std::fabs(n) < 3e6)) return Resultado::falha(Erro::num);
    const std::int64_t passos = static_cast<std::int32_t>(n);  // toward zero, within 32 bits
    std::optional<std::int32_t> x;
    if (passos >= 0 || *r == Regime::atual) {
        // Forwards, the start date is `data`; regime 1 has one calendar either way.
        x = passo(d.serial, passos, calendario_de(*r, d.serial));
    } else {
        // Backwards, the start date is the answer itself: the answer in the current calendar
        // if it lies on or after the change, else the one in the old calendar if it lies before.
        x = passo(d.serial, passos, Calendario::atual);
        if (x && calendario_do_mercado(*x) != Calendario::atual) {
            x = passo(d.serial, passos, Calendario::antigo);
            if (x && calendario_do_mercado(*x) != Calendario::antigo) x.reset();
        }
    }
    if (!x) return Resultado::falha(Erro::num);
    return Resultado::numero(*x);
}

ResultadoLogico ehdiautil(double data) {
    const LeituraData d = le_data(data);
    if (d.erro != Erro::nenhum) return ResultadoLogico::falha(d.erro);
    return ResultadoLogico::logico(eh_dia_util(d.serial, Calendario::atual));
}

ResultadoFeriados feriados(double ano_inicial, double ano_final) {
    const LeituraAno de = le_ano(ano_inicial);
    if (de.erro != Erro::nenhum) return {de.erro, 0, 0};
    LeituraAno ate = ano_final == 0.0 ? de : le_ano(ano_final);
    if (ate.erro != Erro::nenhum) return {ate.erro, 0, 0};
    if (ate.ano < de.ano || ate.ano - de.ano >= max_anos_feriados) return {Erro::valor, 0, 0};
    return {Erro::nenhum, de.ano, ate.ano};
}

}  // namespace funcoes
