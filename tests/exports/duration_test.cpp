// VX.DURATION through xlhost: "PPP", a 5 × 1 array that goes back through xlAutoFree.
#include "planilha.h"

using namespace teste;

namespace {

void espera_linhas(const Value& v, int dias, double e, double f, double c, double m) {
    ASSERT_EQ(v.kind, Value::Kind::array) << xlhost::display(v);
    ASSERT_EQ(v.rows, 5);
    ASSERT_EQ(v.columns, 1);
    // The cell shows the integer of row 1 as a number, as Excel does.
    EXPECT_EQ(v.items[0].kind, Value::Kind::number);
    EXPECT_EQ(v.items[0].number, dias);
    const double esperado[] = {e, f, c, m};
    const double tolerancia[] = {0.005, 0.005, 5e-7, 5e-7};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v.items[i + 1].kind, Value::Kind::number) << i;
        EXPECT_NEAR(v.items[i + 1].number, esperado[i], tolerancia[i]) << i;
    }
}

}  // namespace

TEST_F(Planilha, DurationWorkedExamples) {
    curva_exemplo();
    host.set_cell("D1", Value::num(1000000));
    host.set_cell("E1", Value::num(63));
    host.set_cell("D2", Value::num(1000000));
    host.set_cell("E2", Value::num(252));
    espera_linhas(host.eval("=VX.DURATION(A1:B4;D1:E2)"), 151, 1790666.33, 1994039.68, 0.764993, 0.500422);
    // Each call's array comes back to xlAutoFree before the next one replaces it.
    for (int i = 0; i < 3; ++i) host.eval("=VX.DURATION(A1:B4;D1:E2)");
    host.set_cell("D2", Value::num(-500000));
    espera_linhas(host.eval("=VX.DURATION(A1:B4;D1:E2)"), 252, -174020.57, -208824.68, 0, 0);
}

TEST_F(Planilha, DurationErrors) {
    curva_exemplo();
    host.set_cell("D1", Value::num(1000000));
    host.set_cell("E1", Value::num(63));
    EXPECT_TRUE(erro("=VX.DURATION(A1;D1:E1)", NA));
    EXPECT_TRUE(erro("=VX.DURATION(A1:B4;D1)", NA));
    EXPECT_TRUE(erro("=VX.DURATION(A1:B4;D1:F1)", NA));
    EXPECT_TRUE(erro("=VX.DURATION(A1:B4;G1:H3)", NA));  // no usable payment
    host.set_cell("D1", Value::num(0));
    EXPECT_TRUE(erro("=VX.DURATION(A1:B4;D1:E1)", DIV0));  // nothing worth anything
    host.set_cell("D1", Value::num(5e9));
    EXPECT_TRUE(erro("=VX.DURATION(A1:B4;D1:E1)", NUM));
    host.set_cell("D1", Value::num(1000));
    host.set_cell("E1", Value::num(40000));
    EXPECT_TRUE(erro("=VX.DURATION(A1:B4;D1:E1)", NUM));  // beyond the 16-bit row 1
}
