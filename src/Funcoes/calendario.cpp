#include "Funcoes/calendario.h"

#include <algorithm>
#include <array>

namespace funcoes {

namespace {

// The days from 1970-01-01 of a Gregorian date (years from 0 on), and back.
std::int64_t dias_desde_1970(std::int64_t ano, int mes, int dia) {
    ano -= mes <= 2 ? 1 : 0;
    const std::int64_t era = ano / 400;
    const std::int64_t ano_da_era = ano - era * 400;
    const std::int64_t dia_do_ano = (153 * (mes > 2 ? mes - 3 : mes + 9) + 2) / 5 + dia - 1;
    const std::int64_t dia_da_era = ano_da_era * 365 + ano_da_era / 4 - ano_da_era / 100 + dia_do_ano;
    return era * 146097 + dia_da_era - 719468;
}

constexpr std::int32_t serial_de_1970 = 25569;  // 1970-01-01

// Weekdays in [primeira_data, data): primeira_data is a Monday.
inline std::int32_t dias_de_semana_antes(std::int32_t data) {
    const std::int32_t t = data - primeira_data;
    return 5 * (t / 7) + std::min(t % 7, 5);
}

// The weekday of index k counted from 0 at primeira_data.
inline std::int32_t dia_de_semana_de_indice(std::int32_t k) { return primeira_data + 7 * (k / 5) + k % 5; }

constexpr std::uint16_t nenhum_dia = 0xFFFF;
constexpr int anos_na_tabela = ultimo_ano - primeiro_ano + 2;  // and the year after the last, empty
// Business-day indices are grouped in blocks of 128, fewer than any year holds, so that a block
// starts in one of two years at most.
constexpr int bloco = 128;
constexpr int blocos = (ultima_data - primeira_data) / bloco + 2;

struct Ano {
    std::int32_t inicio = 0;                    // serial of 1 January
    std::int32_t feriados_antes[2] = {0, 0};    // weekday holidays in [primeira_data, inicio), per calendar
    // The year's weekday holidays of the current calendar, as days after 1 January, ascending;
    // nenhum_dia beyond the last.
    std::uint16_t dias[max_feriados_por_ano] = {};
    std::uint16_t novembro_20 = nenhum_dia;     // among them, 20 November when it is one

    std::int32_t uteis_antes(Calendario c) const {
        return dias_de_semana_antes(inicio) - feriados_antes[static_cast<int>(c)];
    }
    // The weekday holidays of the calendar before day `d` of the year (0 is 1 January).
    std::int32_t feriados_antes_do_dia(std::int32_t d, Calendario c) const {
        std::int32_t n = 0;
        for (std::uint16_t h : dias) n += h < d ? 1 : 0;
        if (c == Calendario::antigo && novembro_20 < d) --n;
        return n;
    }
};

class Tabela {
public:
    Tabela() {
        std::int32_t feriados[2] = {0, 0};
        for (int i = 0; i < anos_na_tabela; ++i) {
            Ano& a = anos_[i];
            const int ano = primeiro_ano + i;
            a.inicio = serial_de(ano, 1, 1);
            a.feriados_antes[0] = feriados[0];
            a.feriados_antes[1] = feriados[1];
            std::fill(std::begin(a.dias), std::end(a.dias), nenhum_dia);
            if (ano > ultimo_ano) continue;
            std::int32_t todos[max_feriados_por_ano];
            const int n = feriados_do_ano(ano, Calendario::atual, todos);
            const std::int32_t novembro_20 = serial_de(ano, 11, 20);
            int k = 0;
            for (int j = 0; j < n; ++j) {
                if (eh_fim_de_semana(todos[j])) continue;
                a.dias[k++] = static_cast<std::uint16_t>(todos[j] - a.inicio);
                ++feriados[1];
                if (todos[j] == novembro_20)
                    a.novembro_20 = static_cast<std::uint16_t>(todos[j] - a.inicio);
                else
                    ++feriados[0];
            }
        }
        for (int c = 0; c < 2; ++c) {
            const Calendario cal = static_cast<Calendario>(c);
            int i = 0;
            for (int b = 0; b < blocos; ++b) {
                const std::int64_t indice = static_cast<std::int64_t>(b) * bloco;
                while (i + 1 < anos_na_tabela && anos_[i + 1].uteis_antes(cal) <= indice) ++i;
                ano_do_bloco_[c][b] = static_cast<std::uint16_t>(i);
            }
            total_[c] = uteis_antes_de(ultima_data + 1, cal);
        }
    }

    // The table's row of the year that holds `data` (up to the first day after ultima_data).
    const Ano& ano_de(std::int32_t data) const {
        int i = static_cast<int>(static_cast<std::int64_t>(data - primeira_data) * 400 / 146097);
        i = std::min(i, anos_na_tabela - 1);
        while (i + 1 < anos_na_tabela && anos_[i + 1].inicio <= data) ++i;
        while (i > 0 && anos_[i].inicio > data) --i;
        return anos_[i];
    }

    std::int32_t uteis_antes_de(std::int32_t data, Calendario c) const {
        const Ano& a = ano_de(data);
        const std::int32_t feriados = a.feriados_antes[static_cast<int>(c)] + a.feriados_antes_do_dia(data - a.inicio, c);
        return dias_de_semana_antes(data) - feriados;
    }

    std::optional<std::int32_t> dia_util(std::int64_t indice, Calendario c) const {
        const int ci = static_cast<int>(c);
        if (indice < 0 || indice >= total_[ci]) return std::nullopt;
        const auto m = static_cast<std::int32_t>(indice);
        int i = ano_do_bloco_[ci][m / bloco];
        if (i + 1 < anos_na_tabela && anos_[i + 1].uteis_antes(c) <= m) ++i;
        const Ano& a = anos_[i];
        // The m-th business day is the (m + holidays skipped)-th weekday; the year's holidays,
        // ascending, each push it one weekday further when they fall on or before it.
        std::int32_t k = m + a.feriados_antes[ci];
        std::int32_t x = dia_de_semana_de_indice(k);
        for (std::uint16_t h : a.dias) {
            if (h == nenhum_dia) break;
            if (c == Calendario::antigo && h == a.novembro_20) continue;
            if (a.inicio + h <= x) x = dia_de_semana_de_indice(++k);
        }
        return x;
    }

private:
    std::array<Ano, anos_na_tabela> anos_;
    std::uint16_t ano_do_bloco_[2][blocos];
    std::int32_t total_[2] = {0, 0};  // business days up to ultima_data, per calendar
};

const Tabela& tabela() {
    static const Tabela t;
    return t;
}

}  // namespace

std::int32_t serial_de(int ano, int mes, int dia) {
    return static_cast<std::int32_t>(dias_desde_1970(ano, mes, dia) + serial_de_1970);
}

DataCivil civil_de(std::int32_t serial) {
    const std::int64_t z = static_cast<std::int64_t>(serial) - serial_de_1970 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dia_da_era = z - era * 146097;
    const std::int64_t ano_da_era = (dia_da_era - dia_da_era / 1460 + dia_da_era / 36524 - dia_da_era / 146096) / 365;
    const std::int64_t dia_do_ano = dia_da_era - (365 * ano_da_era + ano_da_era / 4 - ano_da_era / 100);
    const std::int64_t mp = (5 * dia_do_ano + 2) / 153;
    const int dia = static_cast<int>(dia_do_ano - (153 * mp + 2) / 5 + 1);
    const int mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int ano = static_cast<int>(ano_da_era + era * 400 + (mes <= 2 ? 1 : 0));
    return {ano, mes, dia};
}

// The anonymous Gregorian computus (Meeus, Jones, Butcher).
std::int32_t pascoa(int ano) {
    const int a = ano % 19, b = ano / 100, c = ano % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int mes = (h + l - 7 * m + 114) / 31;
    const int dia = (h + l - 7 * m + 114) % 31 + 1;
    return serial_de(ano, mes, dia);
}

int feriados_do_ano(int ano, Calendario calendario, std::int32_t (&saida)[max_feriados_por_ano]) {
    const std::int32_t p = pascoa(ano);
    int n = 0;
    for (const auto& [mes, dia] : {std::pair{1, 1}, std::pair{4, 21}, std::pair{5, 1}, std::pair{9, 7},
                                   std::pair{10, 12}, std::pair{11, 2}, std::pair{11, 15}, std::pair{12, 25}})
        saida[n++] = serial_de(ano, mes, dia);
    if (calendario == Calendario::atual && ano >= 2024) saida[n++] = serial_de(ano, 11, 20);
    saida[n++] = p - 48;  // Carnival Monday
    saida[n++] = p - 47;  // Carnival Tuesday
    saida[n++] = p - 2;   // Good Friday
    saida[n++] = p + 60;  // Corpus Christi
    std::sort(saida, saida + n);
    // Good Friday falls on 21 April in some years (2079, 2152, 2220, ...): one day, one holiday.
    return static_cast<int>(std::unique(saida, saida + n) - saida);
}

bool eh_dia_util(std::int32_t data, Calendario calendario) {
    return uteis_antes(data + 1, calendario) != uteis_antes(data, calendario);
}

std::int32_t uteis_antes(std::int32_t data, Calendario calendario) {
    return tabela().uteis_antes_de(data, calendario);
}

std::optional<std::int32_t> dia_util_de_indice(std::int64_t indice, Calendario calendario) {
    return tabela().dia_util(indice, calendario);
}

}  // namespace funcoes
