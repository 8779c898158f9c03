// The OK handler of the chart dialog: a new workbook with the data sheet "Auxiliar" (a grid of
// business days with the spline rate, the exponential rate and the curve's own points) and the
// XY chart sheet "CS x Exp" over it, in colour or in black and white, built through Excel's macro
// commands in a fixed order. The data sheet ends very hidden.
#include <cstdint>
#include <optional>
#include <vector>

#include "Cmp/aviso.h"
#include "Cmp/grade.h"
#include "Cmp/tabelas_grafico.h"
#include "Cmp/tf_cmp.h"
#include "xll/call.h"
#include "xll/sheet_id.h"
#include "xll/values.h"
#include "xll/xloper.h"

namespace cmp {
namespace {

using xll::Call;

constexpr int fonte_propriedades = xlcFontProperties | xlIntl;
constexpr int fonte_da_celula = xlcActiveCellFont | xlIntl;
constexpr int formato_numero = xlcFormatNumber | xlIntl;
constexpr int edita_serie = xlcEditSeries | xlIntl;

void sem_argumentos(int funcao) { Call().run(funcao); }

// Steps whose failure must not stop the construction.
template <class Passos>
void ignorando_falhas(Passos&& passos) {
    try {
        passos();
    } catch (...) {
    }
}

// A block of the data sheet, for one of the two block writes. Without the sheet's identifier
// there is no reference: the write is then refused with its diagnostic, as a call whose
// reference the scratch pool could not build, and the construction goes on.
class BlocoDaPlanilha {
public:
    BlocoDaPlanilha(const std::optional<IDSHEET>& planilha, uint16_t linha_ini, uint16_t linha_fim,
                    uint8_t coluna_ini, uint8_t coluna_fim) {
        if (planilha) {
            ref_ = xll::reference(*planilha, areas_, linha_ini, linha_fim, coluna_ini, coluna_fim);
            conhecida_ = true;
        }
    }
    BlocoDaPlanilha(const BlocoDaPlanilha&) = delete;
    BlocoDaPlanilha& operator=(const BlocoDaPlanilha&) = delete;

    LPXLOPER ref() { return conhecida_ ? &ref_ : nullptr; }

private:
    XLMREF areas_{};
    XLOPER ref_{};
    bool conhecida_ = false;
};

void formata_serie(const FormatoSerie& formato) {
    Call padroes;
    for (int argumento : formato) {
        if (argumento < 0) padroes.missing();
        else padroes.integer(static_cast<int16_t>(argumento));
    }
    padroes.run(xlcPatterns);
}

class Montagem {
public:
    explicit Montagem(Tf_cmp& dialogo) : dialogo_(dialogo) {}

    void executa() {
        // Hidden, still modal until the end.
        plat::form_hide(dialogo_.form);
        // The grid is computed before anything is built, so a failure here leaves nothing.
        const std::vector<LinhaGrade> grade = monta_grade(dialogo_.pontos);
        // The last data row, 0-based: the grid lies below the three header rows.
        const auto ultima = static_cast<uint16_t>(grade.size() + 2);

        const std::optional<IDSHEET> planilha = abre_planilha_de_dados();
        escreve_cabecalho(planilha);
        escreve_grade(planilha, grade, ultima);
        insere_grafico();
        poe_series(ultima + 1);
        titulos_e_eixos();
        fundo_e_legenda();
        conclui(ultima);
    }

private:
    bool preto_e_branco() const { return dialogo_.preto_e_branco(); }
    int16_t cor_do_texto() const { return preto_e_branco() ? 1 : 45; }

    // A new workbook with screen updating off, its sheet named "Auxiliar" without gridlines,
    // filled and in Arial 10 as a whole. Answers the sheet's identifier, which comes straight
    // from Excel.
    std::optional<IDSHEET> abre_planilha_de_dados() {
        Call().integer(1).run(xlcNew);
        Call().logical(false).run(xlcEcho);
        ignorando_falhas([] { Call().missing().text(fixo(auxiliar)).run(xlcWorkbookName); });
        Call().missing(7).logical(false).run(xlcOptionsView);
        const std::optional<IDSHEET> planilha = xll::sheet_id();

        Call().cells(0, 65535, 0, 255).run(xlcSelect);
        if (!preto_e_branco()) Call().integer(1).integer(15).run(xlcPatterns);
        if (!preto_e_branco())
            Call().text(fixo(arial)).text(fixo(normal)).integer(10).missing(6).integer(5).run(fonte_propriedades);
        else
            Call().text(fixo(arial)).text(fixo(normal)).integer(10).run(fonte_propriedades);
        return planilha;
    }

    // Titles and series names in A1:D3: the title in bold, the header row outlined.
    void escreve_cabecalho(const std::optional<IDSHEET>& planilha) {
        {
            std::vector<XLOPER> cabecalho(12, xll::nil());
            cabecalho[0] = xll::text(do_idioma_atual(titulo_dados));
            cabecalho[8] = xll::text(do_idioma_atual(titulo_dados));
            cabecalho[9] = xll::text(fixo(cspline));
            cabecalho[10] = xll::text(do_idioma_atual(cabecalho_exp));
            cabecalho[11] = xll::text(do_idioma_atual(cabecalho_pontos));
            XLOPER valores = xll::array(cabecalho.data(), 3, 4);
            BlocoDaPlanilha destino(planilha, 0, 2, 0, 3);
            Call().value(destino.ref()).value(&valores).run(xlSet);
        }
        Call().cells(0, 0, 0, 0).run(xlcSelect);
        Call().missing().text(do_idioma_atual(negrito)).run(fonte_da_celula);
        Call().cells(2, 2, 0, 3).run(xlcSelect);
        Call().integer(1).run(xlcBorder);
        Call().cells(2, 2, 0, 0).run(xlcSelect);
        Call().integer(1).run(xlcBorder);
    }

    // The grid in A4:D(last): outlined, the rates as percentages, centred, and in colour filled.
    void escreve_grade(const std::optional<IDSHEET>& planilha, const std::vector<LinhaGrade>& grade,
                       uint16_t ultima) {
        {
            std::vector<XLOPER> dados;
            dados.reserve(grade.size() * 4);
            for (const LinhaGrade& linha : grade) {
                dados.push_back(xll::integer(linha.dias));
                dados.push_back(xll::number(linha.spline));
                dados.push_back(xll::number(linha.exponencial));
                dados.push_back(linha.ponto_da_curva ? xll::number(linha.taxa_ponto) : xll::nil());
            }
            XLOPER valores = xll::array(dados.data(), static_cast<uint16_t>(grade.size()), 4);
            BlocoDaPlanilha destino(planilha, 3, ultima, 0, 3);
            Call().value(destino.ref()).value(&valores).run(xlSet);
        }
        Call().cells(3, ultima, 0, 0).run(xlcSelect);
        Call().integer(1).run(xlcBorder);
        Call().cells(3, ultima, 1, 3).run(xlcSelect);
        Call().integer(1).run(xlcBorder);
        Call().text(fixo(formato_taxa)).run(formato_numero);
        Call().cells(3, ultima, 0, 3).run(xlcSelect);
        Call().integer(3).run(xlcAlignment);
        if (!preto_e_branco()) Call().integer(1).integer(2).run(xlcPatterns);
        if (!preto_e_branco()) Call().missing(9).integer(1).run(fonte_propriedades);
    }

    // The chart sheet "CS x Exp", emptied and sized with its window.
    void insere_grafico() {
        Call().integer(2).run(xlcWorkbookInsert);
        Call().missing().text(fixo(cs_x_exp)).run(xlcWorkbookName);
        sem_argumentos(xlcSelectChart);
        Call().integer(3).run(xlcClear);
        Call().missing(2).logical(true).run(xlcOptionsChart);
    }

    // The spline, the exponential interpolation and the curve's points over the grid's days.
    void poe_series(int ultima_linha) {
        TextoSerie x("=Auxiliar!R4C1:R%dC1", ultima_linha);
        TextoSerie y_spline("=Auxiliar!R4C2:R%dC2", ultima_linha);
        TextoSerie y_exp("=Auxiliar!R4C3:R%dC3", ultima_linha);
        TextoSerie y_pontos("=Auxiliar!R4C4:R%dC4", ultima_linha);
        const bool pb_s1 = preto_e_branco();
        serie(1, fixo(nome_s1), x, y_spline, fixo(s1), pb_s1 ? linha_s1_pb : linha_s1_cores);
        const bool pb_s2 = preto_e_branco();
        serie(2, fixo(nome_s2), x, y_exp, fixo(s2), pb_s2 ? linha_s2_pb : linha_s2_cores);
        serie(3, fixo(nome_s3), x, y_pontos, fixo(s3), linha_s3);
    }

    // The chart title, then each axis with its numbers and its title.
    void titulos_e_eixos() {
        Call().integer(1).run(xlcAttachText);
        Call().text(do_idioma_atual(titulo_grafico)).run(xlcFormula);
        Call().text(fixo(titulo)).run(xlcSelect);
        fonte_destacada(10);

        Call().text(fixo(eixo1)).run(xlcSelect);
        Call().text(fixo(formato_eixo)).run(formato_numero);
        fonte_do_eixo();
        Call().integer(2).run(xlcAttachText);
        Call().text(do_idioma_atual(titulo_taxa)).run(xlcFormula);
        Call().text(fixo(texto_eixo1)).run(xlcSelect);
        fonte_destacada(8);

        Call().text(fixo(eixo2)).run(xlcSelect);
        fonte_do_eixo();
        Call().integer(3).run(xlcAttachText);
        Call().text(do_idioma_atual(titulo_dias)).run(xlcFormula);
        Call().text(fixo(texto_eixo2)).run(xlcSelect);
        fonte_destacada(8);
    }

    // Plot area, chart area, gridlines and legend; the chart selected at the end.
    void fundo_e_legenda() {
        sem_argumentos(xlcSelectPlotArea);
        Call().integer(0).missing().integer(16).missing(2).integer(2).run(xlcPatterns);
        if (!preto_e_branco()) {
            sem_argumentos(xlcSelectChart);
            Call().integer(2).missing(4).integer(0).integer(1).integer(49).run(xlcPatterns);
        }
        Call().text(fixo(grade1)).run(xlcSelect);
        Call().integer(0).missing().integer(preto_e_branco() ? 15 : 16).run(xlcPatterns);
        Call().text(fixo(legenda)).run(xlcSelect);
        Call().integer(2).missing(4).integer(2).run(xlcPatterns);
        Call().text(fixo(arial)).text(fixo(normal)).integer(8).missing(6)
            .integer(preto_e_branco() ? 1 : 2).run(fonte_propriedades);
        sem_argumentos(xlcSelectChart);
    }

    // Back to the data: columns fitted, the sheet very hidden, screen updating on.
    void conclui(uint16_t ultima) {
        ignorando_falhas([&] {
            Call().text(fixo(auxiliar)).run(xlcWorkbookActivate);
            Call().missing().cells(2, ultima, 0, 10).missing().integer(3).run(xlcColumnWidth);
            Call().cells(0, 0, 0, 0).run(xlcSelect);
            Call().text(fixo(auxiliar)).logical(true).run(xlcWorkbookHide);
            Call().logical(true).run(xlcEcho);
        });
    }

    // Series `numero` is plotted in that place, so that it is the chart item "S<numero>" the
    // next calls select and format: plotted first, each new series would push the ones before
    // it down and take their formats away from them.
    void serie(int16_t numero, char* nome, TextoSerie& x, TextoSerie& y, char* item,
               const FormatoSerie& formato) {
        Call().integer(0).text(nome).text(x.bytes).text(y.bytes).missing().integer(numero).run(edita_serie);
        Call().text(item).run(xlcSelect);
        Call().integer(1).missing().integer(1).integer(8).run(xlcFormatCharttype);
        Call().text(item).run(xlcSelect);
        formata_serie(formato);
    }

    // Title fonts: Arial, bold, in the text colour of the mode.
    void fonte_destacada(int16_t tamanho) {
        Call().text(fixo(arial)).text(do_idioma_atual(negrito)).integer(tamanho).missing(6)
            .integer(cor_do_texto()).run(fonte_propriedades);
    }

    // Axis numbers: Arial 8 in the text colour, and in colour the axis line too.
    void fonte_do_eixo() {
        Call().text(fixo(arial)).text(fixo(normal)).integer(8).missing(6)
            .integer(cor_do_texto()).run(fonte_propriedades);
        if (!preto_e_branco()) Call().integer(0).missing().integer(45).run(xlcPatterns);
    }

    Tf_cmp& dialogo_;
};

}  // namespace

void Tf_cmp::b_okClick() noexcept {
    try {
        Montagem(*this).executa();
    } catch (...) {
        // What was built stays as it is; the user is told to disregard it.
        try {
            avisa_falha_na_montagem();
        } catch (...) {
        }
    }
    // The dialog closes and frees itself.
    plat::form_close(form);
}

}  // namespace cmp
