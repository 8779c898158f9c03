// A worksheet function called with its arguments already in their C form, as Excel calls it once
// its conversions are done (the way the fuzz targets reach the functions): the record reaches
// the function as it is, the answer is the function's own, and a call Excel would never make
// is refused by the host.
#include <vector>

#include "planilha.h"
#include "xll/xloper.h"

using namespace teste;

namespace {

XLOPER registro_numerico(double valor) {
    XLOPER x{};
    x.xltype = xltypeNum;
    x.val.num = valor;
    return x;
}

xlhost::CArgument inteiro(int valor) {
    xlhost::CArgument a;
    a.integer = valor;
    return a;
}
xlhost::CArgument real(double valor) {
    xlhost::CArgument a;
    a.number = valor;
    return a;
}
xlhost::CArgument registro(const XLOPER& x) {
    xlhost::CArgument a;
    a.record = &x;
    return a;
}

TEST_F(Planilha, TheRecordReachesTheFunctionAsItIs) {
    curva_exemplo();
    std::vector<XLOPER> celulas;
    const double linhas[4][2] = {{0.18, 21}, {0.185, 63}, {0.195, 126}, {0.20, 252}};
    for (const auto& linha : linhas) {
        celulas.push_back(registro_numerico(linha[0]));
        celulas.push_back(registro_numerico(linha[1]));
    }
    XLOPER curva{};
    curva.xltype = xltypeMulti;
    curva.val.array.lparray = celulas.data();
    curva.val.array.rows = 4;
    curva.val.array.columns = 2;
    const Value direto = host.call_function("VX.INTERPOLEX", {inteiro(42), registro(curva), real(0)});
    EXPECT_EQ(direto, host.eval("=VX.INTERPOLEX(42;A1:B4;0)"));
    ASSERT_EQ(direto.kind, Value::Kind::number);

    // A record that holds no curve.
    XLOPER ausente{};
    ausente.xltype = xltypeMissing;
    EXPECT_EQ(host.call_function("VX.INTERPOLEX", {inteiro(42), registro(ausente), real(0)}), Value::err(NA));

    // The 5 x 1 array of VX.DURATION, given back through xlAutoFree.
    std::vector<XLOPER> pagamentos = {registro_numerico(1000000), registro_numerico(63)};
    XLOPER carteira{};
    carteira.xltype = xltypeMulti;
    carteira.val.array.lparray = pagamentos.data();
    carteira.val.array.rows = 1;
    carteira.val.array.columns = 2;
    const Value duration = host.call_function("VX.DURATION", {registro(curva), registro(carteira)});
    ASSERT_EQ(duration.kind, Value::Kind::array);
    EXPECT_EQ(duration.rows, 5);
    EXPECT_EQ(duration.items[0].kind, Value::Kind::integer);  // before a cell makes it a number
}

TEST_F(Planilha, ACallExcelWouldNeverMakeIsRefused) {
    EXPECT_EQ(host.call_function("VX.NADA", {}), Value::err(29));
    EXPECT_EQ(host.call_function("vx_menu_cmp", {}), Value::err(29));  // a command is not a function
    EXPECT_TRUE(host.faults().empty());
    EXPECT_EQ(host.call_function("VX.CSPLINE", {inteiro(42)}), Value::err(VALOR));
    ASSERT_EQ(host.faults().size(), 1u);
    host.clear_faults();
}

}  // namespace
