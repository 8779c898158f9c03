// What the chart command does around its dialog, seen at the moment it happens: Excel's window
// asked for before anything else, the dialog hidden before the first construction step and
// still in its modal loop at the last, and cells Excel answers as 16-bit integers read as numbers.
#include "chart_fixture.h"

namespace chart_test {
namespace {

// The dialog's state at one call of the construction.
struct Estado {
    bool visivel = true;
    bool aberto = false;
};

TEST_F(ChartTest, TheDialogIsHiddenBeforeTheWorkbookOpensAndModalUntilTheEnd) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.19, 42}});
    ASSERT_TRUE(host.select("A1:B2"));
    plat::Form dialogo = nullptr;
    bool visivel_ao_mostrar = false;
    std::vector<std::pair<int, Estado>> durante;
    plat_control::dialog_set_driver([&](plat::Form form) {
        dialogo = form;
        visivel_ao_mostrar = plat_control::form_view(form).visible;
        EXPECT_TRUE(plat_control::form_click(form, "b_ok"));
    });
    host.watch_calls([&](const xlhost::CallRecord& call) {
        if (dialogo == nullptr) return;
        durante.push_back({call.function, {plat_control::form_view(dialogo).visible, plat_control::form_open(dialogo)}});
    });
    host.clear_calls();
    EXPECT_EQ(host.run_macro("vx_menu_cmp"), xlhost::Value::boolean_value(true));
    host.watch_calls(nullptr);
    plat_control::dialog_set_driver(nullptr);

    EXPECT_TRUE(visivel_ao_mostrar);
    ASSERT_FALSE(durante.empty());
    EXPECT_EQ(durante.front().first, NEW);
    for (const auto& [funcao, estado] : durante) {
        EXPECT_FALSE(estado.visivel) << "dialog visible at call " << funcao;
        EXPECT_TRUE(estado.aberto) << "dialog closed before call " << funcao;
    }
    EXPECT_EQ(durante.back().first, ECHO);
    EXPECT_FALSE(plat_control::form_open(dialogo));
}

TEST_F(ChartTest, TheCommandAsksForExcelsWindowBeforeAnythingElse) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.19, 42}});
    for (const std::string range : {"A1:B2", "A1:A2"}) {  // shown, then refused
        ASSERT_TRUE(host.select(range));
        roda(Resposta::cancelar);
        ASSERT_FALSE(host.calls().empty());
        EXPECT_EQ(host.calls().front().function, xlGetHwnd) << range;
        EXPECT_EQ(host.calls()[1].function, SELECTION) << range;
    }
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(vistos[0].owner), host.main_window());
}

TEST_F(ChartTest, CellsAnsweredAsSixteenBitIntegersAreRead) {
    abre("2");
    const auto inteiro = [](int valor) { return xlhost::Value::integer_value(valor); };
    // Days as integers, one rate as the integer 0; an integer day count of 0 is unusable.
    curva({{n(0.18), inteiro(21)}, {inteiro(0), inteiro(42)}, {n(0.5), inteiro(0)}, {n(0.19), inteiro(63)}});
    ASSERT_TRUE(host.select("A1:B4"));
    EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(true));
    EXPECT_TRUE(plat_control::message_boxes().empty());
    const auto escritas = chamadas_de(xlSet);
    ASSERT_EQ(escritas.size(), 2u);
    EXPECT_EQ(escritas[1].argumentos[0], "Auxiliar!$A$4:$D$66");
    const auto linhas = linhas_de(escritas[1].argumentos[1]);
    ASSERT_EQ(linhas.size(), 63u);
    int pontos = 0;
    for (const auto& linha : linhas) pontos += linha.size() == 4 && !linha[3].empty() ? 1 : 0;
    EXPECT_EQ(pontos, 3);
    EXPECT_DOUBLE_EQ(std::stod(linhas[20][3]), 0.18);
    EXPECT_DOUBLE_EQ(std::stod(linhas[41][3]), 0.0);
    EXPECT_DOUBLE_EQ(std::stod(linhas[62][3]), 0.19);
}

}  // namespace
}  // namespace chart_test
