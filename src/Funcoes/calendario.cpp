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

// A year's weekday holidays are kept as their weekday indices counted from the year's first
// weekday, 16-bit lanes four to a word, and counted against a bound all lanes at once.
constexpr std::int32_t nenhum_dia = 0x7FFF;  // beyond every weekday of a year, below a lane's top bit
constexpr int vagas = 16;                    // the year's most holidays, rounded up to whole words
constexpr int palavras = vagas / 4;
constexpr std::uint64_t bits_altos = 0x8000800080008000ULL;
constexpr std::uint64_t bits_baixos = 0x0001000100010001ULL;

using Faixas = std::uint64_t[palavras];

// The lanes below `limite` (0 to 0x7FFF), without a branch: 0x7FFF + limite − lane never
// borrows across lanes (each lane is at most 0x7FFF) and has its top bit set exactly when
// lane < limite. Each word leaves 0 or 1 a lane; the product sums the four lanes.
inline std::int32_t abaixo_de(const Faixas& faixas, std::int32_t limite) {
    const std::uint64_t teto = bits_baixos * static_cast<std::uint64_t>(0x7FFF + limite);
    std::uint64_t uns = 0;
    for (std::uint64_t palavra : faixas) uns += ((teto - palavra) & bits_altos) >> 15;
    return static_cast<std::int32_t>((uns * bits_baixos) >> 48);
}

// The same, of each lane less its position (lane j − j): the ascending holidays as the number
// of business days of the year before each one.
inline std::int32_t abaixo_de_menos_posicao(const Faixas& faixas, std::int32_t limite) {
    static constexpr std::uint64_t posicoes[palavras] = {0x0003000200010000ULL, 0x0007000600050004ULL,
                                                         0x000B000A00090008ULL, 0x000F000E000D000CULL};
    const std::uint64_t teto = bits_baixos * static_cast<std::uint64_t>(0x7FFF + limite);
    std::uint64_t uns = 0;
    for (int j = 0; j < palavras; ++j) uns += ((teto - (faixas[j] - posicoes[j])) & bits_altos) >> 15;
    return static_cast<std::int32_t>((uns * bits_baixos) >> 48);
}

// And the year after the last, empty, and one more that no date reaches, for ano_de's step.
constexpr int anos_na_tabela = ultimo_ano - primeiro_ano + 3;
// Business-day indices are grouped in blocks of 128, fewer than any year holds, so that a block
// starts in one of two years at most.
constexpr int bloco = 128;
constexpr int blocos = (ultima_data - primeira_data) / bloco + 2;
// Days are grouped in blocks of 256, shorter than a year: a block starts in one of two years.
constexpr int bits_do_dia = 8;
constexpr int blocos_de_dias = ((ultima_data + 1 - primeira_data) >> bits_do_dia) + 1;

struct Ano {
    std::int32_t inicio = 0;                  // serial of 1 January
    std::int32_t semana = 0;                  // weekdays in [primeira_data, inicio)
    std::int32_t feriados_antes[2] = {0, 0};  // weekday holidays in [primeira_data, inicio), per calendar
    Faixas feriados[2] = {};                  // the year's weekday holidays per calendar, ascending

    std::int32_t uteis_antes(int c) const { return semana - feriados_antes[c]; }
};

void poe_faixa(Faixas& faixas, int j, std::int32_t valor) {
    const int desvio = 16 * (j % 4);
    faixas[j / 4] = (faixas[j / 4] & ~(0xFFFFULL << desvio)) | (static_cast<std::uint64_t>(valor) << desvio);
}

class Tabela {
public:
    Tabela() {
        std::int32_t feriados[2] = {0, 0};
        for (int i = 0; i < anos_na_tabela; ++i) {
            Ano& a = anos_[i];
            const int ano = primeiro_ano + i;
            a.inicio = serial_de(ano, 1, 1);
            a.semana = dias_de_semana_antes(a.inicio);
            for (int c = 0; c < 2; ++c) {
                a.feriados_antes[c] = feriados[c];
                for (int j = 0; j < vagas; ++j) poe_faixa(a.feriados[c], j, nenhum_dia);
                if (ano > ultimo_ano) continue;
                std::int32_t todos[max_feriados_por_ano];
                const int n = feriados_do_ano(ano, static_cast<Calendario>(c), todos);
                int k = 0;
                for (int j = 0; j < n; ++j) {
                    if (eh_fim_de_semana(todos[j])) continue;
                    poe_faixa(a.feriados[c], k++, dias_de_semana_antes(todos[j]) - a.semana);
                    ++feriados[c];
                }
            }
        }
        for (int b = 0, i = 0; b < blocos_de_dias; ++b) {
            const std::int32_t inicio = primeira_data + (b << bits_do_dia);
            while (anos_[i + 1].inicio <= inicio) ++i;
            ano_do_dia_[b] = static_cast<std::uint16_t>(i);
        }
        for (int c = 0; c < 2; ++c) {
            int i = 0;
            for (int b = 0; b < blocos; ++b) {
                const std::int64_t indice = static_cast<std::int64_t>(b) * bloco;
                while (i + 1 < anos_na_tabela && anos_[i + 1].uteis_antes(c) <= indice) ++i;
                ano_do_bloco_[c][b] = static_cast<std::uint16_t>(i);
            }
            total_[c] = uteis_antes_de(ultima_data + 1, static_cast<Calendario>(c));
        }
    }

    // The table's row of the year that holds `data` (up to the first day after ultima_data):
    // the year where its block of days starts, or the next one; no branch to mispredict.
    const Ano& ano_de(std::int32_t data) const {
        int i = ano_do_dia_[(data - primeira_data) >> bits_do_dia];
        i += anos_[i + 1].inicio <= data ? 1 : 0;
        return anos_[i];
    }

    // Weekdays before the date, less the weekday holidays before it: those of the years before,
    // and those of its year whose weekday index is below the date's.
    std::int32_t uteis_antes_de(std::int32_t data, Calendario c) const {
        const int ci = static_cast<int>(c);
        const Ano& a = ano_de(data);
        const std::int32_t semana = dias_de_semana_antes(data);
        return semana - a.feriados_antes[ci] - abaixo_de(a.feriados[ci], semana - a.semana);
    }

    // The m-th business day: in weekday indices of its year, the r-th weekday that is not a
    // holiday is r plus the holidays that have at most r business days before them.
    std::optional<std::int32_t> dia_util(std::int64_t indice, Calendario c) const {
        const int ci = static_cast<int>(c);
        if (indice < 0 || indice >= total_[ci]) return std::nullopt;
        const auto m = static_cast<std::int32_t>(indice);
        int i = ano_do_bloco_[ci][m / bloco];
        i += anos_[i + 1].uteis_antes(ci) <= m ? 1 : 0;
        const Ano& a = anos_[i];
        const std::int32_t r = m - a.uteis_antes(ci);
        return dia_de_semana_de_indice(a.semana + r + abaixo_de_menos_posicao(a.feriados[ci], r + 1));
    }

private:
    std::array<Ano, anos_na_tabela> anos_;
    std::uint16_t ano_do_bloco_[2][blocos];
    std::uint16_t ano_do_dia_[blocos_de_dias];
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

std::int32_t dias_uteis(std::int32_t de, std::int32_t ate, Calendario calendario) {
    const Tabela& t = tabela();
    return t.uteis_antes_de(ate, calendario) - t.uteis_antes_de(de, calendario);
}

std::optional<std::int32_t> dia_util_de_indice(std::int64_t indice, Calendario calendario) {
    return tabela().dia_util(indice, calendario);
}

}  // namespace funcoes
