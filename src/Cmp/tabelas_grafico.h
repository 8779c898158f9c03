// What the comparison chart writes and how it draws: the texts of the data sheet and of the
// chart (counted strings in writable storage, handed to Excel in place), the series range
// formulas, and the line and marker formats of the three series.
#pragma once

#include <array>

namespace cmp {

// Texts that are the same in both languages.
enum Fixo {
    auxiliar, arial, normal, formato_taxa, cs_x_exp, nome_s1, nome_s2, nome_s3, s1, s2, s3,
    titulo, eixo1, formato_eixo, texto_eixo1, eixo2, texto_eixo2, grade1, legenda, cspline,
    fixos,
};
char* fixo(Fixo qual);

// Texts that differ by language; the one of the language setting.
enum DoIdioma {
    titulo_dados, cabecalho_exp, cabecalho_pontos, titulo_grafico, titulo_taxa, titulo_dias,
    negrito, do_idioma,
};
char* do_idioma_atual(DoIdioma qual);

// A range formula of a series ("=Auxiliar!R4C1:R%dC1" with the last data row), counted in
// place: reserved byte, text, NUL.
struct TextoSerie {
    char bytes[40];
    TextoSerie(const char* formato, int ultima_linha);
};

// Line and marker of a series, PATTERNS's eight arguments for an XY series in Excel's order
// (line auto, style, colour, weight; marker auto, style, foreground, background); -1 is a
// missing argument.
using FormatoSerie = std::array<int, 8>;
constexpr FormatoSerie linha_s1_cores = {0, 1, 6, 2, 2, -1, 6, 6};
constexpr FormatoSerie linha_s1_pb = {0, 3, 1, 2, 2, -1, 1, 2};
constexpr FormatoSerie linha_s2_cores = {0, 1, 3, 2, 2, -1, 3, 3};
constexpr FormatoSerie linha_s2_pb = {0, 1, 1, 2, 2, -1, 1, 2};
constexpr FormatoSerie linha_s3 = {2, -1, -1, -1, 0, 1, 1, 2};

}  // namespace cmp
