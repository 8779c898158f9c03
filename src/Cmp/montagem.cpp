// The OK handler of the chart dialog: a new workbook with the data sheet "Auxiliar" (a grid of
// business days with the spline rate, the exponential rate and the curve's own points) and the
// XY chart sheet "CS x Exp" over it, in colour or in black and white, built through Excel's macro
// commands in a fixed order. The data sheet ends very hidden.
#include <array>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "Cmp/grade.h"
#include "Cmp/tf_cmp.h"
#include "addin/excel_window.h"
#include "addin/settings.h"
#include "xll/call_excel.h"
#include "xll/counted_text.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace cmp {
namespace {

// Texts that are the same in both languages.
enum Fixo {
    auxiliar, arial, normal, formato_taxa, cs_x_exp, nome_s1, nome_s2, nome_s3, s1, s2, s3,
    titulo, eixo1, formato_eixo, texto_eixo1, eixo2, texto_eixo2, grade1, legenda, cspline,
    fixos,
};
constexpr std::array<const char*, fixos> textos_fixos = {
    "Auxiliar", "Arial", "Normal", "0.000%", "CS x Exp", "=Auxiliar!R3C2", "=Auxiliar!R3C3",
    "=Auxiliar!R3C4", "S1", "S2", "S3", "Title", "Axis 1", "0.00%", "Text Axis 1", "Axis 2",
    "Text Axis 2", "Gridline 1", "Legend", "CSpline",
};
VX_COUNTED_STORAGE(fixos_guardados, textos_fixos);

// Texts by language: one row in Portuguese, one in English.
enum DoIdioma {
    titulo_dados, cabecalho_exp, cabecalho_pontos, titulo_grafico, titulo_taxa, titulo_dias,
    negrito, do_idioma,
};
constexpr std::array<const char*, 2 * do_idioma> textos_do_idioma = {
    "Dados para gráfico comparativo de interpolação Cubic Spline x Exponencial",
    "Exponencial",
    "Ptos. Curva",
    "Interpolação: CSpline x Exponencial",
    "Taxa",
    "Dias Úteis",
    "Negrito",
    "Comparative chart source data for Cubic Spline and Exponential interpolation",
    "Exponential",
    "Curve Pts.",
    "Interpolation: CSpline x Exponential",
    "I. Rate",
    "Workdays",
    "Bold",
};
VX_COUNTED_STORAGE(idioma_guardado, textos_do_idioma);

char* fixo(Fixo qual) { return fixos_guardados.bytes + fixos_guardados.offsets[qual]; }
char* do_idioma_atual(DoIdioma qual) {
    const int linha = addin::idioma == 1 ? 0 : 1;
    return idioma_guardado.bytes + idioma_guardado.offsets[linha * do_idioma + qual];
}

constexpr const char* falha_na_montagem[] = {
    "Houve erros durante o processo de montagem do gráfico comparativo de interpolações Cubic "
    "Spline natural  e exponencial.\nDesconsidere qualquer resultado e tente novamente.\n\nSe o "
    "problema persistir, entre em contato com o suporte da Marvessa.",
    "Some errors occurred during comparative chart setup.\nPlease, disregard any results and try "
    "again or contact Marvessa for assistance.",
};
constexpr const char* atencao[] = {"Atenção", "Warning"};

// A formula text of a series range, counted in place: reserved byte, text, NUL.
struct TextoSerie {
    char bytes[40];
    TextoSerie(const char* formato, int ultima_linha) {
        std::snprintf(bytes + 1, sizeof bytes - 1, formato, ultima_linha);
    }
};

// The arguments of one call into Excel, built in order from the scratch pool right before it.
class Chamada {
public:
    Chamada& inteiro(int16_t valor) { return poe(xll::scratch_integer(valor)); }
    Chamada& logico(bool valor) { return poe(xll::scratch_logical(valor ? 1 : 0)); }
    Chamada& texto(char* counted) { return poe(xll::scratch_text(counted)); }
    Chamada& falta(int vezes = 1) {
        for (int i = 0; i < vezes; ++i) poe(xll::scratch_missing());
        return *this;
    }
    // Rows and columns 0-based, on the active sheet.
    Chamada& celulas(uint16_t linha_ini, uint16_t linha_fim, uint8_t coluna_ini, uint8_t coluna_fim) {
        return poe(xll::scratch_sheet_ref(linha_ini, linha_fim, coluna_ini, coluna_fim));
    }
    Chamada& valor(XLOPER* proprio) { return poe(proprio); }
    void chama(int funcao) { xll::call_excel_v(funcao, nullptr, quantos_, argumentos_.data()); }

private:
    Chamada& poe(LPXLOPER argumento) {
        if (quantos_ >= xll::max_call_arguments) throw std::length_error("too many arguments");
        argumentos_[static_cast<size_t>(quantos_++)] = argumento;
        return *this;
    }
    std::array<LPXLOPER, xll::max_call_arguments> argumentos_{};
    int quantos_ = 0;
};

Chamada chamada() { return Chamada(); }
void sem_argumentos(int funcao) { xll::call_excel(funcao, nullptr, 0); }

constexpr int fonte_propriedades = xlcFontProperties | xlIntl;
constexpr int fonte_da_celula = xlcActiveCellFont | xlIntl;
constexpr int formato_numero = xlcFormatNumber | xlIntl;
constexpr int edita_serie = xlcEditSeries | xlIntl;

// A reference on the sheet whose identifier step 6 obtained, for the two block writes.
struct BlocoDaPlanilha {
    XLMREF areas{};
    XLOPER ref{};
    BlocoDaPlanilha(const XLOPER& planilha, uint16_t linha_ini, uint16_t linha_fim,
                    uint8_t coluna_ini, uint8_t coluna_fim) {
        areas.count = 1;
        areas.reftbl[0] = {linha_ini, linha_fim, coluna_ini, coluna_fim};
        ref.xltype = xltypeRef;
        ref.val.mref.lpmref = &areas;
        const int tipo = planilha.xltype & ~(xlbitXLFree | xlbitDLLFree);
        ref.val.mref.idSheet = tipo == xltypeRef ? planilha.val.mref.idSheet : 0;
    }
};

XLOPER texto_na_celula(char* counted) {
    xll::set_counted_length(counted);
    XLOPER celula{};
    celula.xltype = xltypeStr;
    celula.val.str = counted;
    return celula;
}

XLOPER numero(double valor) {
    XLOPER celula{};
    celula.xltype = xltypeNum;
    celula.val.num = valor;
    return celula;
}

XLOPER vazio() {
    XLOPER celula{};
    celula.xltype = xltypeNil;
    return celula;
}

XLOPER matriz(std::vector<XLOPER>& celulas, uint16_t linhas) {
    XLOPER valor{};
    valor.xltype = xltypeMulti;
    valor.val.array.lparray = celulas.data();
    valor.val.array.rows = linhas;
    valor.val.array.columns = 4;
    return valor;
}

// Steps whose failure must not stop the construction.
template <class Passos>
void ignorando_falhas(Passos&& passos) {
    try {
        passos();
    } catch (...) {
    }
}

// Line and marker of a series (PATTERNS for an XY series); -1 is a missing argument.
using FormatoSerie = std::array<int, 8>;
constexpr FormatoSerie linha_s1_cores = {0, 1, 6, 2, 2, -1, 6, 6};
constexpr FormatoSerie linha_s1_pb = {0, 3, 1, 2, 2, -1, 1, 2};
constexpr FormatoSerie linha_s2_cores = {0, 1, 3, 2, 2, -1, 3, 3};
constexpr FormatoSerie linha_s2_pb = {0, 1, 1, 2, 2, -1, 1, 2};
constexpr FormatoSerie linha_s3 = {2, -1, -1, -1, 0, 1, 1, 2};

void formata_serie(const FormatoSerie& formato) {
    Chamada padroes;
    for (int argumento : formato) {
        if (argumento < 0) padroes.falta();
        else padroes.inteiro(static_cast<int16_t>(argumento));
    }
    padroes.chama(xlcPatterns);
}

class Montagem {
public:
    explicit Montagem(Tf_cmp& dialogo) : dialogo_(dialogo) {}

    void executa() {
        // 1. Hidden, still modal until the end.
        plat::form_hide(dialogo_.form);
        // The grid is computed before anything is built, so a failure here leaves nothing.
        const std::vector<LinhaGrade> grade = monta_grade(dialogo_.pontos);
        const auto n = static_cast<uint16_t>(grade.size());
        const uint16_t ultima = static_cast<uint16_t>(n + 2);  // 0-based last data row
        const int ultima_linha = n + 3;                        // the same, 1-based

        // 2.–5. A new workbook, screen updating off, the sheet named, no gridlines.
        chamada().inteiro(1).chama(xlcNew);
        chamada().logico(false).chama(xlcEcho);
        ignorando_falhas([] { chamada().falta().texto(fixo(auxiliar)).chama(xlcWorkbookName); });
        chamada().falta(7).logico(false).chama(xlcOptionsView);
        // 6. Straight to Excel, as scratch_sheet_ref does.
        XLOPER planilha{};
        planilha.xltype = xltypeNil;
        Excel4(xlSheetId, &planilha, 0);

        // 7.–8. The whole sheet.
        chamada().celulas(0, 65535, 0, 255).chama(xlcSelect);
        if (!preto_e_branco()) chamada().inteiro(1).inteiro(15).chama(xlcPatterns);
        if (!preto_e_branco())
            chamada().texto(fixo(arial)).texto(fixo(normal)).inteiro(10).falta(6).inteiro(5)
                .chama(fonte_propriedades);
        else
            chamada().texto(fixo(arial)).texto(fixo(normal)).inteiro(10).chama(fonte_propriedades);

        // 9.–10b. Titles and series names, A1:D3.
        {
            std::vector<XLOPER> cabecalho(12, vazio());
            cabecalho[0] = texto_na_celula(do_idioma_atual(titulo_dados));
            cabecalho[8] = texto_na_celula(do_idioma_atual(titulo_dados));
            cabecalho[9] = texto_na_celula(fixo(cspline));
            cabecalho[10] = texto_na_celula(do_idioma_atual(cabecalho_exp));
            cabecalho[11] = texto_na_celula(do_idioma_atual(cabecalho_pontos));
            XLOPER valores = matriz(cabecalho, 3);
            BlocoDaPlanilha destino(planilha, 0, 2, 0, 3);
            chamada().valor(&destino.ref).valor(&valores).chama(xlSet);
        }
        chamada().celulas(0, 0, 0, 0).chama(xlcSelect);
        chamada().falta().texto(do_idioma_atual(negrito)).chama(fonte_da_celula);
        chamada().celulas(2, 2, 0, 3).chama(xlcSelect);
        chamada().inteiro(1).chama(xlcBorder);
        chamada().celulas(2, 2, 0, 0).chama(xlcSelect);
        chamada().inteiro(1).chama(xlcBorder);

        // 11. The grid, A4:D(N+3).
        {
            std::vector<XLOPER> dados;
            dados.reserve(grade.size() * 4);
            for (const LinhaGrade& linha : grade) {
                XLOPER dias{};
                dias.xltype = xltypeInt;
                dias.val.w = linha.dias;
                dados.push_back(dias);
                dados.push_back(numero(linha.spline));
                dados.push_back(numero(linha.exponencial));
                dados.push_back(linha.ponto_da_curva ? numero(linha.taxa_ponto) : vazio());
            }
            XLOPER valores = matriz(dados, n);
            BlocoDaPlanilha destino(planilha, 3, ultima, 0, 3);
            chamada().valor(&destino.ref).valor(&valores).chama(xlSet);
        }
        // 12.–17. Outlines, percentages, centring, and the data block's colours.
        chamada().celulas(3, ultima, 0, 0).chama(xlcSelect);
        chamada().inteiro(1).chama(xlcBorder);
        chamada().celulas(3, ultima, 1, 3).chama(xlcSelect);
        chamada().inteiro(1).chama(xlcBorder);
        chamada().texto(fixo(formato_taxa)).chama(formato_numero);
        chamada().celulas(3, ultima, 0, 3).chama(xlcSelect);
        chamada().inteiro(3).chama(xlcAlignment);
        if (!preto_e_branco()) chamada().inteiro(1).inteiro(2).chama(xlcPatterns);
        if (!preto_e_branco()) chamada().falta(9).inteiro(1).chama(fonte_propriedades);

        // 18.–21. The chart sheet, emptied and sized with its window.
        chamada().inteiro(2).chama(xlcWorkbookInsert);
        chamada().falta().texto(fixo(cs_x_exp)).chama(xlcWorkbookName);
        sem_argumentos(xlcSelectChart);
        chamada().inteiro(3).chama(xlcClear);
        chamada().falta(2).logico(true).chama(xlcOptionsChart);

        // 22.–30. The three series.
        TextoSerie x("=Auxiliar!R4C1:R%dC1", ultima_linha);
        TextoSerie y_spline("=Auxiliar!R4C2:R%dC2", ultima_linha);
        TextoSerie y_exp("=Auxiliar!R4C3:R%dC3", ultima_linha);
        TextoSerie y_pontos("=Auxiliar!R4C4:R%dC4", ultima_linha);
        const bool pb_s1 = preto_e_branco();
        serie(1, fixo(nome_s1), x, y_spline, fixo(s1), pb_s1 ? linha_s1_pb : linha_s1_cores);
        const bool pb_s2 = preto_e_branco();
        serie(2, fixo(nome_s2), x, y_exp, fixo(s2), pb_s2 ? linha_s2_pb : linha_s2_cores);
        serie(3, fixo(nome_s3), x, y_pontos, fixo(s3), linha_s3);

        // 31.–32. Chart title.
        chamada().inteiro(1).chama(xlcAttachText);
        chamada().texto(do_idioma_atual(titulo_grafico)).chama(xlcFormula);
        chamada().texto(fixo(titulo)).chama(xlcSelect);
        fonte_destacada(10);
        // 33.–35. Value axis and its title.
        chamada().texto(fixo(eixo1)).chama(xlcSelect);
        chamada().texto(fixo(formato_eixo)).chama(formato_numero);
        fonte_do_eixo();
        chamada().inteiro(2).chama(xlcAttachText);
        chamada().texto(do_idioma_atual(titulo_taxa)).chama(xlcFormula);
        chamada().texto(fixo(texto_eixo1)).chama(xlcSelect);
        fonte_destacada(8);
        // 36.–37. Category axis and its title.
        chamada().texto(fixo(eixo2)).chama(xlcSelect);
        fonte_do_eixo();
        chamada().inteiro(3).chama(xlcAttachText);
        chamada().texto(do_idioma_atual(titulo_dias)).chama(xlcFormula);
        chamada().texto(fixo(texto_eixo2)).chama(xlcSelect);
        fonte_destacada(8);

        // 38.–39. Plot area, chart area, gridlines, legend.
        sem_argumentos(xlcSelectPlotArea);
        chamada().inteiro(0).falta().inteiro(16).falta(2).inteiro(2).chama(xlcPatterns);
        if (!preto_e_branco()) {
            sem_argumentos(xlcSelectChart);
            chamada().inteiro(2).falta(4).inteiro(0).inteiro(1).inteiro(49).chama(xlcPatterns);
        }
        chamada().texto(fixo(grade1)).chama(xlcSelect);
        chamada().inteiro(0).falta().inteiro(preto_e_branco() ? 15 : 16).chama(xlcPatterns);
        chamada().texto(fixo(legenda)).chama(xlcSelect);
        chamada().inteiro(2).falta(4).inteiro(2).chama(xlcPatterns);
        chamada().texto(fixo(arial)).texto(fixo(normal)).inteiro(8).falta(6)
            .inteiro(preto_e_branco() ? 1 : 2).chama(fonte_propriedades);
        // 40.
        sem_argumentos(xlcSelectChart);

        // 40a.–40e. Back to the data, fitted columns, the data sheet very hidden, screen on.
        ignorando_falhas([&] {
            chamada().texto(fixo(auxiliar)).chama(xlcWorkbookActivate);
            chamada().falta().celulas(2, ultima, 0, 10).falta().inteiro(3).chama(xlcColumnWidth);
            chamada().celulas(0, 0, 0, 0).chama(xlcSelect);
            chamada().texto(fixo(auxiliar)).logico(true).chama(xlcWorkbookHide);
            chamada().logico(true).chama(xlcEcho);
        });
    }

private:
    bool preto_e_branco() const { return dialogo_.preto_e_branco(); }
    int16_t cor_do_texto() const { return preto_e_branco() ? 1 : 45; }

    // Series `numero` is plotted in that place, so that it is the chart item "S<numero>" the
    // next calls select and format: plotted first, each new series would push the ones before
    // it down and take their formats away from them.
    void serie(int16_t numero, char* nome, TextoSerie& x, TextoSerie& y, char* item,
               const FormatoSerie& formato) {
        chamada().inteiro(0).texto(nome).texto(x.bytes).texto(y.bytes).falta().inteiro(numero)
            .chama(edita_serie);
        chamada().texto(item).chama(xlcSelect);
        chamada().inteiro(1).falta().inteiro(1).inteiro(8).chama(xlcFormatCharttype);
        chamada().texto(item).chama(xlcSelect);
        formata_serie(formato);
    }

    // Title fonts: Arial, bold, in the text colour of the mode.
    void fonte_destacada(int16_t tamanho) {
        chamada().texto(fixo(arial)).texto(do_idioma_atual(negrito)).inteiro(tamanho).falta(6)
            .inteiro(cor_do_texto()).chama(fonte_propriedades);
    }

    // Axis numbers: Arial 8 in the text colour, and in colour the axis line too.
    void fonte_do_eixo() {
        chamada().texto(fixo(arial)).texto(fixo(normal)).inteiro(8).falta(6)
            .inteiro(cor_do_texto()).chama(fonte_propriedades);
        if (!preto_e_branco()) chamada().inteiro(0).falta().inteiro(45).chama(xlcPatterns);
    }

    Tf_cmp& dialogo_;
};

void avisa_falha() {
    addin::find_excel_window();
    const int lingua = addin::idioma == 1 ? 0 : 1;
    plat::message_box(addin::excel_hwnd, falha_na_montagem[lingua], atencao[lingua],
                      plat::mb_ok | plat::mb_iconerror);
}

}  // namespace

void Tf_cmp::b_okClick() noexcept {
    try {
        Montagem(*this).executa();
    } catch (...) {
        // What was built stays as it is; the user is told to disregard it.
        try {
            avisa_falha();
        } catch (...) {
        }
    }
    // 41. The dialog closes and frees itself.
    plat::form_close(form);
}

}  // namespace cmp
