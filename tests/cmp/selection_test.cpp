// The chart command up to the dialog: the shape of the selection and its messages, the reading
// of the cells, the dialog's layout in both languages, and its lifetime.
#include "chart_fixture.h"

namespace chart_test {
namespace {

const std::string adjacentes_en = "Please, select a range of adjacent cells!";
const std::string forma_en =
    "Please, select a range of cells with at least 2 rows and exactly 2 columns for Brazilian "
    "yield curve: interest rate (base 252) in the first column and workdays in the second one!";
const std::string longa_en = forma_en + "\n\nText cells, empty cells or workdays lesser than 1 are disregarded!";
const std::string forma_pt =
    "Selecione um intervalo de células com pelo menos 2 linhas e exatamente 2 colunas para a "
    "curva de juros: taxas de juros ao ano base 252 na primeira coluna e dias úties na segunda "
    "coluna!";
const std::string longa_pt =
    forma_pt + " \n\nCélulas vazias, com texto ou com dias úties menores do que 1 são ignoradas!";

TEST_F(ChartTest, SeveralAreasAreRefusedWithTheAdjacentCellsMessage) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.19, 42}});
    ASSERT_TRUE(host.select("A1:B2,D1:E2"));
    EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(false));
    EXPECT_EQ(mensagem("Warning"), adjacentes_en);
    EXPECT_TRUE(plat_control::shown_forms().empty());
    EXPECT_TRUE(chamadas_de(GET_CELL).empty());
    // The selection went back to Excel although it was refused.
    EXPECT_EQ(chamadas_de(xlFree).size(), 1u);
}

TEST_F(ChartTest, PortugueseMessagesAndCaption) {
    abre("1");
    ASSERT_TRUE(host.select("A1:B2,D1:E2"));
    roda(Resposta::ok);
    EXPECT_EQ(mensagem("Atenção"), cp("Selecione apenas regiões contíguas de células!"));
    ASSERT_TRUE(host.select("A1:C5"));
    roda(Resposta::ok);
    EXPECT_EQ(mensagem("Atenção"), cp(forma_pt));
    ASSERT_TRUE(host.select("A1:B3"));  // empty cells only
    roda(Resposta::ok);
    EXPECT_EQ(mensagem("Atenção"), cp(longa_pt));
}

TEST_F(ChartTest, AnythingButTwoColumnsAndTwoRowsGetsTheShapeMessage) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.19, 42}, {0.2, 63}});
    for (const std::string range : {"A1:B1", "A1:C3", "A1:A3", "B2"}) {
        ASSERT_TRUE(host.select(range));
        EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(false)) << range;
        EXPECT_EQ(mensagem("Warning"), forma_en) << range;
        EXPECT_TRUE(chamadas_de(GET_CELL).empty()) << range;
    }
    host.select_object("Chart 1");
    EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(false));
    EXPECT_EQ(mensagem("Warning"), forma_en);
    EXPECT_TRUE(plat_control::shown_forms().empty());
    // Two rows are enough.
    ASSERT_TRUE(host.select("A1:B2"));
    EXPECT_EQ(roda(Resposta::cancelar), xlhost::Value::boolean_value(true));
    EXPECT_TRUE(plat_control::message_boxes().empty());
    EXPECT_EQ(plat_control::shown_forms().size(), 1u);
}

TEST_F(ChartTest, FewerThanTwoUsableRowsGetTheLongMessage) {
    abre("2");
    // A header, a blank row, one good row, days below 1, a text rate.
    curva({{t("Taxa"), t("Dias")}, {xlhost::Value::nil(), xlhost::Value::nil()}, {n(0.18), n(21)},
           {n(0.19), n(0.9)}, {n(0.2), n(0)}, {t("x"), n(42)}, {n(0.2), xlhost::Value::boolean_value(true)}});
    ASSERT_TRUE(host.select("A1:B7"));
    EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(false));
    EXPECT_EQ(mensagem("Warning"), longa_en);
    EXPECT_TRUE(plat_control::shown_forms().empty());
}

TEST_F(ChartTest, ASingleDayCountAfterMergingIsRefusedLikeTooFewRows) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.19, 21.5}, {0.17, 21}});
    ASSERT_TRUE(host.select("A1:B3"));
    EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(false));
    EXPECT_EQ(mensagem("Warning"), longa_en);
    EXPECT_TRUE(plat_control::shown_forms().empty());
    EXPECT_TRUE(chamadas_de(NEW).empty());
}

TEST_F(ChartTest, CellsAreReadRowByRowLeftThenRightWithGetCellFive) {
    abre("2");
    curva({{n(0.18), n(21)}, {t("texto"), n(42)}, {n(0.2), n(63)}}, "B", "C", 3);
    ASSERT_TRUE(host.select("B3:C5"));
    roda(Resposta::cancelar);
    const auto leituras = chamadas_de(GET_CELL);
    ASSERT_EQ(leituras.size(), 6u);
    const std::vector<std::string> celulas = {"$B$3", "$C$3", "$B$4", "$C$4", "$B$5", "$C$5"};
    for (size_t i = 0; i < leituras.size(); ++i) {
        ASSERT_EQ(leituras[i].argumentos.size(), 2u);
        EXPECT_EQ(leituras[i].argumentos[0], "5i");
        const std::string& ref = leituras[i].argumentos[1];
        EXPECT_EQ(ref.substr(ref.size() - celulas[i].size()), celulas[i]) << ref;
    }
    // The text answer went back to Excel; the selection too.
    EXPECT_EQ(chamadas_de(xlFree).size(), 2u);
}

TEST_F(ChartTest, TheDialogInPortugueseAsDesigned) {
    abre("1");
    curva({{n(0.18), n(21)}, {n(0.185), n(63)}}, "B", "C", 3);
    ASSERT_TRUE(host.select("B3:C14"));
    EXPECT_EQ(roda(Resposta::cancelar), xlhost::Value::boolean_value(true));
    ASSERT_EQ(vistos.size(), 1u);
    const plat_control::FormView& f = vistos[0];
    EXPECT_EQ(f.caption, cp("Comparação de Interpolações"));
    EXPECT_EQ(f.client_width, 312);
    EXPECT_EQ(f.client_height, 143);
    EXPECT_EQ(f.frame, plat::FrameStyle::tool_window);
    EXPECT_FALSE(f.title_buttons);
    EXPECT_TRUE(f.centred);
    EXPECT_EQ(f.font, (plat_control::FontView{"MS Sans Serif", 11, false, plat::color_default}));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(f.owner), host.main_window());
    EXPECT_TRUE(f.modal);

    struct Esperado {
        const char* nome;
        plat::ControlKind tipo;
        int left, top, width, height;
        std::string texto;
        int tab;
    };
    using K = plat::ControlKind;
    const std::vector<Esperado> esperados = {
        {"titulo2", K::label, 15, 32, 267, 13, cp("Intervalo de dados para com pontos para curva de juros:"), -1},
        {"intervalo", K::edit, 15, 48, 281, 21, "=$B$3:$C$14", 0},
        {"b_ok", K::button, 145, 111, 73, 26, "OK", 1},
        {"b_cancelar", K::button, 225, 111, 73, 26, "Cancelar", 2},
        {"o_cores", K::check_box, 15, 82, 241, 15, cp("Gráfico em preto e branco"), 3},
        {"titulo1", K::label, 15, 11, 285, 13, cp("Cubic Spline Natural  X  Interpolação Exponencial"), -1},
    };
    ASSERT_EQ(f.controls.size(), esperados.size());
    for (size_t i = 0; i < esperados.size(); ++i) {
        const plat_control::ControlView& c = f.controls[i];
        const Esperado& e = esperados[i];
        EXPECT_EQ(c.name, e.nome);
        EXPECT_EQ(c.kind, e.tipo) << e.nome;
        EXPECT_EQ((std::vector<int>{c.left, c.top, c.width, c.height}),
                  (std::vector<int>{e.left, e.top, e.width, e.height})) << e.nome;
        EXPECT_EQ(c.text, e.texto) << e.nome;
        EXPECT_EQ(c.tab_order, e.tab) << e.nome;
        EXPECT_EQ(c.font, (plat_control::FontView{"MS Sans Serif", 11, c.name == "titulo1", plat::color_default})) << e.nome;
        EXPECT_EQ(c.enabled, c.name != "intervalo") << e.nome;
    }
    EXPECT_FALSE(f.control("o_cores")->checked);
    EXPECT_TRUE(f.control("b_ok")->has_click);
    EXPECT_TRUE(f.control("b_cancelar")->has_click);
}

TEST_F(ChartTest, TheDialogInEnglishKeepsOK) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.185, 63}});
    ASSERT_TRUE(host.select("A1:B2"));
    roda(Resposta::cancelar);
    ASSERT_EQ(vistos.size(), 1u);
    const plat_control::FormView& f = vistos[0];
    EXPECT_EQ(f.caption, "Comparative Interpolation");
    EXPECT_EQ(f.control("titulo1")->text, "Natural Cubic Spline X Exponentially Interpolation");
    EXPECT_EQ(f.control("titulo2")->text, "Yield curve range data");
    EXPECT_EQ(f.control("o_cores")->text, "Black and white output");
    EXPECT_EQ(f.control("b_cancelar")->text, "Cancel");
    EXPECT_EQ(f.control("b_ok")->text, "OK");
    EXPECT_EQ(f.control("intervalo")->text, "=$A$1:$B$2");
}

TEST_F(ChartTest, AddressTextsBeyondColumnZ) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.185, 63}});
    curva({{n(0.18), n(21)}, {n(0.19), n(42)}}, "Z", "AA", 1);
    ASSERT_TRUE(host.select("Z1:AA9"));
    roda(Resposta::cancelar);
    curva({{n(0.18), n(21)}, {n(0.19), n(42)}}, "AZ", "BA", 2);
    ASSERT_TRUE(host.select("AZ2:BA5"));
    roda(Resposta::cancelar);
    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_EQ(vistos[0].control("intervalo")->text, "=$Z$1:$AA$9");
    EXPECT_EQ(vistos[1].control("intervalo")->text, "=$AZ$2:$BA$5");
}

TEST_F(ChartTest, CancelBuildsNothingAndEveryRunHasAFreshDialog) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.185, 63}});
    ASSERT_TRUE(host.select("A1:B2"));
    EXPECT_EQ(roda(Resposta::cancelar), xlhost::Value::boolean_value(true));
    EXPECT_TRUE(chamadas_de(NEW).empty());
    EXPECT_EQ(plat_control::forms_alive(), 0);
    // A dialog nobody answers is closed by the stand-in and frees itself as well.
    EXPECT_EQ(roda(Resposta::nenhuma), xlhost::Value::boolean_value(true));
    EXPECT_TRUE(chamadas_de(NEW).empty());
    EXPECT_EQ(plat_control::forms_alive(), 0);
    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_FALSE(vistos[1].control("o_cores")->checked);
}

}  // namespace
}  // namespace chart_test
