// What a run leaves in Excel, as the host's model holds it: a new workbook with the very hidden
// data sheet and the chart sheet over it, and the curve's own workbook as it was.
#include "chart_fixture.h"
#include "model/workbook.h"

namespace chart_test {
namespace {

TEST_F(ChartTest, ANewWorkbookWithTheHiddenDataAndTheXYChart) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.185, 63}, {0.195, 126}, {0.20, 252}});
    ASSERT_TRUE(host.select("A1:B4"));
    roda(Resposta::ok);
    const xlhost::Model& model = host.model();
    ASSERT_EQ(model.books().size(), 2u);
    const xlhost::Workbook& origem = *model.books()[0];
    ASSERT_EQ(origem.sheets().size(), 1u);
    EXPECT_EQ(origem.sheets()[0]->cells().size(), 8u);  // the curve and nothing else

    const xlhost::Workbook& novo = *model.books()[1];
    ASSERT_EQ(novo.sheets().size(), 2u);
    const xlhost::Sheet* dados = nullptr;
    const xlhost::Sheet* grafico = nullptr;
    for (const auto& sheet : novo.sheets()) {
        if (sheet->name() == "Auxiliar") dados = sheet.get();
        if (sheet->name() == "CS x Exp") grafico = sheet.get();
    }
    ASSERT_NE(dados, nullptr);
    ASSERT_NE(grafico, nullptr);
    EXPECT_EQ(dados->objects().visibility, xlhost::Visibility::very_hidden);
    EXPECT_FALSE(dados->objects().gridlines);
    EXPECT_EQ(dados->value(2, 1), xlhost::Value::str("CSpline"));
    EXPECT_EQ(dados->value(3, 0).number, 1);
    EXPECT_EQ(dados->value(252, 0).number, 252);  // the last point on the last row, A253
    EXPECT_TRUE(model.workspace.screen_updating);

    ASSERT_EQ(grafico->objects().kind, xlhost::SheetKind::chart);
    const xlhost::Chart& chart = *grafico->objects().chart;
    EXPECT_EQ(chart.type, xlhost::chart_xy);
    ASSERT_EQ(chart.series.size(), 3u);
    // Spline, exponential and curve points, in that order, each with its own look.
    const std::vector<std::string> y = {"=Auxiliar!R4C2:R253C2", "=Auxiliar!R4C3:R253C3", "=Auxiliar!R4C4:R253C4"};
    for (size_t s = 0; s < 3; ++s) {
        EXPECT_EQ(chart.series[s].x.text, "=Auxiliar!R4C1:R253C1");
        EXPECT_EQ(chart.series[s].y.text, y[s]);
        EXPECT_EQ(chart.series[s].name_ref.text, "=Auxiliar!R3C" + std::to_string(s + 2));
    }
    EXPECT_EQ(chart.series[0].line.automatic, 0);
    EXPECT_EQ(chart.series[0].line.colour, 6);
    EXPECT_EQ(chart.series[1].line.colour, 3);
    EXPECT_EQ(chart.series[0].marker.automatic, 2);
    EXPECT_EQ(chart.series[2].line.automatic, 2);
    EXPECT_EQ(chart.series[2].marker.automatic, 0);
    EXPECT_EQ(chart.series[2].marker.style, 1);
    EXPECT_EQ(chart.title.text, "Interpolation: CSpline x Exponential");
    EXPECT_EQ(chart.value_axis.number_format, "0.00%");
    EXPECT_TRUE(chart.size_with_window);
}

}  // namespace
}  // namespace chart_test
