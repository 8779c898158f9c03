// VX.INTERPOLEX, VX.CSPLINE and VX.DURATION keep their curve's storage from one call to the
// next: calls on curves of other sizes, orders and gaps in between must change no answer.
#include <iomanip>
#include <vector>

#include "planilha.h"

using namespace teste;

namespace {

// A curve of n vertices at the given columns from row 1: every 7th business day from 5, rates
// rising from 12 %; reversed puts its rows last to first.
void curva_longa(xlhost::Host& host, const std::string& taxa, const std::string& dias, int n, bool reversed) {
    for (int i = 0; i < n; ++i) {
        const int linha = (reversed ? n - i : i + 1);
        host.set_cell(taxa + std::to_string(linha), Value::num(0.12 + 0.0001 * i));
        host.set_cell(dias + std::to_string(linha), Value::num(5 + 7 * i));
    }
}

// The same answer, to the bit: a number, or an array of the same numbers.
::testing::AssertionResult mesma(const Value& a, const Value& b) {
    if (a.kind != b.kind) return ::testing::AssertionFailure() << xlhost::display(a) << " against " << xlhost::display(b);
    if (a.kind == Value::Kind::array) {
        if (a.items.size() != b.items.size()) return ::testing::AssertionFailure() << "arrays of other sizes";
        for (std::size_t i = 0; i < a.items.size(); ++i)
            if (!mesma(a.items[i], b.items[i])) return ::testing::AssertionFailure() << "item " << i << " differs";
        return ::testing::AssertionSuccess();
    }
    if (a.kind != Value::Kind::number) return ::testing::AssertionFailure() << "not a number: " << xlhost::display(a);
    if (a.number != b.number)
        return ::testing::AssertionFailure() << std::setprecision(17) << a.number << " against " << b.number;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(Planilha, AnswersDoNotDependOnTheCurvesOfEarlierCalls) {
    curva_exemplo();                         // A1:B4, 4 vertices to 252 days
    curva_longa(host, "D", "E", 1000, false);  // D1:E1000, to 6998 days
    curva_longa(host, "G", "H", 1000, true);   // the same rows, last to first
    const double carteira[3][2] = {{1000000, 63}, {-500000, 2000}, {250000, 7000}};
    for (int i = 0; i < 3; ++i) {
        host.set_cell("J" + std::to_string(i + 1), Value::num(carteira[i][0]));
        host.set_cell("K" + std::to_string(i + 1), Value::num(carteira[i][1]));
    }
    const std::vector<std::string> pedidos = {
        "=VX.INTERPOLEX(42;A1:B4;0)", "=VX.INTERPOLEX(300;A1:B4;1)", "=VX.CSPLINE(200;A1:B4)",
        "=VX.CSPLINE(300;A1:B4)",     "=VX.INTERPOLEX(3001;D1:E1000;0)", "=VX.CSPLINE(3001;D1:E1000)",
        "=VX.INTERPOLEX(7100;D1:E1000;1)", "=VX.DURATION(D1:E1000;J1:K3)",
        "=VX.DURATION(A1:B4;J1:K3)"};
    // Each answer first on a fresh add-in, in this order ...
    std::vector<Value> primeiras;
    for (const std::string& f : pedidos) primeiras.push_back(host.eval(f));
    // ... then again after a long, a shuffled and a short curve in between, every one of them.
    for (const char* antes : {"=VX.INTERPOLEX(3001;G1:H1000;0)", "=VX.CSPLINE(3001;G1:H1000)",
                                     "=VX.INTERPOLEX(42;A1:B4;0)", "=VX.DURATION(G1:H1000;J1:K2)"})
        for (std::size_t i = 0; i < pedidos.size(); ++i) {
            host.eval(antes);
            EXPECT_TRUE(mesma(host.eval(pedidos[i]), primeiras[i])) << pedidos[i] << " after " << antes;
        }
    // The worked examples still hold after all of it: beyond the last of 4 vertices, not inside a
    // longer curve left over from an earlier call.
    EXPECT_TRUE(numero("=VX.INTERPOLEX(300;A1:B4;0)", -0.20, 1e-15));
    EXPECT_TRUE(numero("=VX.CSPLINE(300;A1:B4)", -0.20));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(42;A1:B4;0)", 0.183748017, 5e-10));
    // The shuffled long curve answers what the sorted one does.
    for (const char* dia : {"12", "3001", "6998", "7100"}) {
        const std::string d = dia;
        EXPECT_TRUE(mesma(host.eval("=VX.INTERPOLEX(" + d + ";D1:E1000;1)"), host.eval("=VX.INTERPOLEX(" + d + ";G1:H1000;1)")))
            << dia;
        EXPECT_TRUE(mesma(host.eval("=VX.CSPLINE(" + d + ";D1:E1000)"), host.eval("=VX.CSPLINE(" + d + ";G1:H1000)"))) << dia;
    }
}

TEST_F(Planilha, ACurveWithGapsAfterAFullOneReadsOnlyItsOwnRows) {
    // Six rows read in full, then the same six with two of them emptied: the kept rows only.
    const double linhas[6][2] = {{0.18, 21}, {0.183, 42}, {0.185, 63}, {0.19, 100}, {0.195, 126}, {0.20, 252}};
    for (int i = 0; i < 6; ++i) {
        host.set_cell("A" + std::to_string(i + 1), Value::num(linhas[i][0]));
        host.set_cell("B" + std::to_string(i + 1), Value::num(linhas[i][1]));
    }
    ASSERT_EQ(host.eval("=VX.CSPLINE(50;A1:B6)").kind, Value::Kind::number);
    ASSERT_EQ(host.eval("=VX.INTERPOLEX(50;A1:B6;0)").kind, Value::Kind::number);
    for (const char* celula : {"A2", "B2", "A4", "B4"}) host.set_cell(celula, Value::nil());
    EXPECT_TRUE(numero("=VX.CSPLINE(100;A1:B6)", 0.191069819, 5e-10));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(42;A1:B6;0)", 0.183748017, 5e-10));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(300;A1:B6;1)", -0.200430839, 5e-10));
}
