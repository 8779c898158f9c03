// The chart dialog's labels show their whole texts in both languages, laid out in their fonts at
// their widths as Windows lays them out. Only real windows measure a text (the stand-in has no
// fonts), so these run under Wine alone.
#include "chart_fixture.h"

namespace chart_test {
namespace {

#ifdef _WIN32
TEST_F(ChartTest, EveryLabelShowsItsWholeTextInBothLanguages) {
    for (const std::string idioma : {"1", "2"}) {
        abre(idioma);
        curva_de_numeros({{0.18, 21}, {0.185, 63}});
        ASSERT_TRUE(host.select("A1:B2"));
        vistos.clear();
        roda(Resposta::cancelar);
        ASSERT_EQ(vistos.size(), 1u) << idioma;
        int medidos = 0;
        for (const plat_control::ControlView& c : vistos[0].controls) {
            if (c.kind != plat::ControlKind::label) continue;
            ++medidos;
            EXPECT_GT(c.text_width, 0) << c.name << ", IDIOMA " << idioma;
            EXPECT_LE(c.text_width, c.width) << c.name << ", IDIOMA " << idioma;
            EXPECT_LE(c.text_height, c.height) << c.name << ", IDIOMA " << idioma;
        }
        EXPECT_EQ(medidos, 2) << idioma;
        host.unload();
    }
}
#endif

}  // namespace
}  // namespace chart_test
