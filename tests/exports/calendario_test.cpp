// VX.DU, VX.DIAUTIL, VX.EHDIAUTIL, VX.FERIADOS ("PBBB", "PBBB", "PB", "PBB", the last an n × 1
// array that goes back through xlAutoFree) and the DI1 functions ("PC", "PBB") through xlhost:
// the worked examples and what Excel's own conversions do to the arguments.
#include <iomanip>
#include <sstream>
#include <vector>

#include "planilha.h"

using namespace teste;

namespace {

// Serials of the worked examples.
constexpr double fev_03_2025 = 45691, jan_02_2026 = 46024, fev_02_2023 = 44959, jan_02_2025 = 45659;
constexpr double mar_01_2025 = 45717, mar_05_2025 = 45721, mar_06_2025 = 45722, fev_28_2025 = 45716;
constexpr double nov_19_2024 = 45615, nov_22_2024 = 45618;

std::string f(const std::string& nome, const std::vector<double>& argumentos) {
    std::string texto = "=" + nome + "(";
    for (size_t i = 0; i < argumentos.size(); ++i) {
        std::ostringstream n;
        n << std::setprecision(17) << argumentos[i];
        texto += (i ? ";" : "") + n.str();
    }
    return texto + ")";
}

}  // namespace

TEST_F(Planilha, CalendarWorkedExamples) {
    EXPECT_TRUE(numero(f("VX.DU", {fev_03_2025, jan_02_2026}), 230));
    EXPECT_TRUE(numero(f("VX.DU", {fev_02_2023, jan_02_2025}), 480));
    EXPECT_TRUE(numero(f("VX.DU", {fev_02_2023, jan_02_2025, 0}), 480));
    EXPECT_TRUE(numero(f("VX.DU", {fev_02_2023, jan_02_2025, 1}), 479));
    EXPECT_TRUE(numero(f("VX.DU", {jan_02_2025, fev_02_2023, 1}), -479));
    EXPECT_TRUE(numero(f("VX.DU", {nov_19_2024, nov_22_2024}), 2));
    EXPECT_TRUE(numero(f("VX.DIAUTIL", {mar_01_2025, 0}), mar_05_2025));
    EXPECT_TRUE(numero(f("VX.DIAUTIL", {mar_01_2025, 1}), mar_06_2025));
    EXPECT_TRUE(numero(f("VX.DIAUTIL", {mar_01_2025, -1}), fev_28_2025));
    EXPECT_TRUE(numero("=VX.DI1_VENC(\"DI1F25\")", jan_02_2025));
    EXPECT_TRUE(numero("=VX.DI1_VENC(\"F26\")", jan_02_2026));
    EXPECT_TRUE(numero("=VX.DI1_PU(0.14901;230)", 88093.23));
    EXPECT_TRUE(numero("=VX.DI1_DV01(0.14901;230)", 6.99755, 5e-6));
    EXPECT_TRUE(numero("=VX.DI1_TAXA(88093.23;230)", 0.14901, 5e-7));
}

TEST_F(Planilha, CalendarFunctionsTogether) {
    // The strip's way: maturity from the code, business days to it, price.
    host.set_cell("A1", Value::num(fev_03_2025));
    host.set_cell("B1", Value::str("DI1F26"));
    host.set_cell("C1", Value::num(0.14901));
    host.set_formula("D1", "=VX.DI1_VENC(B1)");
    host.set_formula("E1", "=VX.DU(A1;D1)");
    host.set_formula("F1", "=VX.DI1_PU(C1;E1)");
    host.set_formula("G1", "=VX.DU(A1;VX.DIAUTIL(A1;E1))");
    host.calc();
    EXPECT_EQ(host.cell("D1"), Value::num(jan_02_2026));
    EXPECT_EQ(host.cell("E1"), Value::num(230));
    EXPECT_EQ(host.cell("F1"), Value::num(88093.23));
    EXPECT_EQ(host.cell("G1"), Value::num(230));
}

TEST_F(Planilha, IsBusinessDayAnswersALogical) {
    EXPECT_EQ(host.eval(f("VX.EHDIAUTIL", {mar_05_2025})), Value::boolean_value(true));
    EXPECT_EQ(host.eval(f("VX.EHDIAUTIL", {mar_01_2025})), Value::boolean_value(false));
    EXPECT_EQ(host.eval(f("VX.EHDIAUTIL", {45616})), Value::boolean_value(false));  // 20 November 2024
    EXPECT_TRUE(erro(f("VX.EHDIAUTIL", {36891}), NUM));
}

TEST_F(Planilha, HolidaysAsAColumn) {
    const Value v = host.eval("=VX.FERIADOS(2025)");
    ASSERT_EQ(v.kind, Value::Kind::array) << xlhost::display(v);
    ASSERT_EQ(v.columns, 1);
    const std::vector<double> esperados = {45658, 45719, 45720, 45765, 45768, 45778, 45827,
                                           45907, 45942, 45963, 45976, 45981, 46016};
    ASSERT_EQ(v.rows, static_cast<int>(esperados.size()));
    for (size_t i = 0; i < esperados.size(); ++i) EXPECT_EQ(v.items[i], Value::num(esperados[i])) << i;
    // Each call's array comes back to xlAutoFree before the next one replaces it.
    for (int i = 0; i < 3; ++i) host.eval("=VX.FERIADOS(2001;2100)");
    const Value seculo = host.eval("=VX.FERIADOS(2001;2100)");
    ASSERT_EQ(seculo.kind, Value::Kind::array);
    EXPECT_GT(seculo.rows, 1190);
    for (int i = 1; i < seculo.rows; ++i) ASSERT_LT(seculo.items[i - 1].number, seculo.items[i].number) << i;
    EXPECT_EQ(host.eval("=VX.FERIADOS(2024;2025)").rows, 26);
}

TEST_F(Planilha, CalendarErrors) {
    EXPECT_TRUE(erro("=VX.DU(\"amanhã\";46024)", VALOR));   // Excel's own conversion of a text
    EXPECT_TRUE(erro(f("VX.DU", {fev_03_2025, jan_02_2026, 2}), VALOR));
    EXPECT_TRUE(erro(f("VX.DU", {36891, jan_02_2026}), NUM));
    EXPECT_TRUE(erro(f("VX.DU", {fev_03_2025, 2958466}), NUM));
    EXPECT_TRUE(erro(f("VX.DIAUTIL", {2958465, 1}), NUM));
    EXPECT_TRUE(erro(f("VX.DIAUTIL", {fev_03_2025, 1, 0.5}), VALOR));
    EXPECT_TRUE(erro("=VX.FERIADOS(2001;2101)", VALOR));
    EXPECT_TRUE(erro("=VX.FERIADOS(2000)", NUM));
    EXPECT_TRUE(erro("=VX.DI1_VENC(\"DI1A25\")", VALOR));
    EXPECT_TRUE(erro("=VX.DI1_VENC(126)", VALOR));  // a number reaches a text argument as "126"
    EXPECT_TRUE(erro("=VX.DI1_VENC()", VALOR));
    EXPECT_TRUE(erro("=VX.DI1_PU(-1;230)", VALOR));
    EXPECT_TRUE(erro("=VX.DI1_PU(0.15;0)", VALOR));
    EXPECT_TRUE(erro("=VX.DI1_TAXA(0;230)", VALOR));
    EXPECT_TRUE(erro("=VX.DI1_DV01(0.15;-5)", VALOR));
}

// The worked examples as a trader writes them: dates through DATE and from a sheet read from a
// file, and shown back as dates.
TEST_F(Planilha, CalendarWorkedExamplesWithDates) {
    EXPECT_TRUE(numero("=VX.DU(DATE(2025;2;3);DATE(2026;1;2))", 230));
    EXPECT_TRUE(numero("=VX.DU(DATE(2023;2;2);DATE(2025;1;2);0)", 480));
    EXPECT_TRUE(numero("=VX.DU(DATE(2023;2;2);DATE(2025;1;2);1)", 479));
    EXPECT_TRUE(numero("=VX.DU(DATE(2024;11;19);DATE(2024;11;22))", 2));
    EXPECT_TRUE(numero("=VX.DI1_VENC(\"DI1F25\")", 45659));
    ASSERT_TRUE(host.load_csv_text("2025-03-01,=VX.DIAUTIL(A1;0),=VX.DIAUTIL(A1;1),=VX.DIAUTIL(A1;-1),"
                                   "\"=VX.DI1_VENC(\"\"DI1F25\"\")\",=VX.DU(A1;B1)\n"));
    host.calc();
    EXPECT_EQ(host.sheet_csv(true), "2025-03-01,2025-03-05,2025-03-06,2025-02-28,2025-01-02,0\n");
}
