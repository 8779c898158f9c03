// VX.INTERPOLEX and VX.CSPLINE through xlhost: "PIPB" and "PIP".
#include "planilha.h"

using namespace teste;

TEST_F(Planilha, InterpolexWorkedExamples) {
    curva_exemplo();
    EXPECT_TRUE(numero("=VX.INTERPOLEX(42;A1:B4;0)", 0.183748017, 5e-10));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(10;A1:B4;0)", 0.18));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(21;A1:B4;0)", 0.18));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(63;A1:B4;0)", 0.185, 1e-12));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(100;A1:B4;0)", 0.192391910, 5e-10));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(300;A1:B4;0)", -0.20, 1e-15));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(300;A1:B4;1)", -0.200430839, 5e-10));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(600;A1:B4;1)", -0.20125, 1e-12));
    // Years flat omitted arrives as 0.
    EXPECT_TRUE(numero("=VX.INTERPOLEX(300;A1:B4)", -0.20, 1e-15));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(300,A1:B4,)", -0.20, 1e-15));
}

TEST_F(Planilha, InterpolexReadsTheRangeAsTheUserLaidItOut) {
    // Header and blank rows, rows out of order, a negative rate, an integer day count.
    host.set_cell("A1", Value::str("Taxa"));
    host.set_cell("B1", Value::str("Dias"));
    host.set_cell("A2", Value::num(-0.195));
    host.set_cell("B2", Value::num(126));
    host.set_cell("A4", Value::num(0.20));
    host.set_cell("B4", Value::num(252.9));
    host.set_cell("A5", Value::num(0.18));
    host.set_cell("B5", Value::num(21));
    host.set_cell("A6", Value::boolean_value(true));
    host.set_cell("B6", Value::num(30));
    host.set_cell("A7", Value::num(0.185));
    host.set_cell("B7", Value::num(63));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(42;A1:B7;0)", 0.183748017, 5e-10));
    EXPECT_TRUE(numero("=VX.INTERPOLEX(300;A1:B7;1)", -0.200430839, 5e-10));
    EXPECT_TRUE(numero("=VX.CSPLINE(100;A1:B7)", 0.191069819, 5e-10));
}

TEST_F(Planilha, InterpolexErrors) {
    curva_exemplo();
    EXPECT_TRUE(erro("=VX.INTERPOLEX(42;A1;0)", NA));        // one cell is not a range
    EXPECT_TRUE(erro("=VX.INTERPOLEX(42;A1:B1;0)", NA));     // one row
    EXPECT_TRUE(erro("=VX.INTERPOLEX(42;A1:C4;0)", NA));     // three columns
    EXPECT_TRUE(erro("=VX.INTERPOLEX(42;;0)", NA));          // missing
    EXPECT_TRUE(erro("=VX.INTERPOLEX(0;A1:B4;0)", NA));
    EXPECT_TRUE(erro("=VX.INTERPOLEX(300;A1:B4;-1)", NA));
    EXPECT_TRUE(erro("=VX.INTERPOLEX(300;A3:B4;0)", NA));    // two vertices, beyond the last
    EXPECT_TRUE(numero("=VX.INTERPOLEX(42;A1:B4;-1)", 0.183748017, 5e-10));
    // Excel itself refuses a day count beyond the 16-bit argument.
    EXPECT_TRUE(erro("=VX.INTERPOLEX(40000;A1:B4;0)", NUM));
    host.set_cell("D9", Value::err(NA));
    EXPECT_TRUE(erro("=VX.INTERPOLEX(D9;A1:B4;0)", VALOR));  // an error for a non-P argument
    // A day count no vertex can hold.
    host.set_cell("B4", Value::num(1e12));
    EXPECT_TRUE(erro("=VX.INTERPOLEX(42;A1:B4;0)", NUM));
}

TEST_F(Planilha, CsplineWorkedExamplesAndErrors) {
    curva_exemplo();
    EXPECT_TRUE(numero("=VX.CSPLINE(42;A1:B4)", 0.181346154, 5e-10));
    EXPECT_TRUE(numero("=VX.CSPLINE(100;A1:B4)", 0.191069819, 5e-10));
    EXPECT_TRUE(numero("=VX.CSPLINE(200;A1:B4)", 0.198463289, 5e-10));
    EXPECT_TRUE(numero("=VX.CSPLINE(10;A1:B4)", 0.18));
    EXPECT_TRUE(numero("=VX.CSPLINE(252;A1:B4)", 0.20, 1e-15));
    EXPECT_TRUE(numero("=VX.CSPLINE(300;A1:B4)", -0.20));
    EXPECT_TRUE(numero("=VX.CSPLINE(300;A3:B4)", -0.20));  // two vertices are enough here
    EXPECT_TRUE(erro("=VX.CSPLINE(0;A1:B4)", NA));
    EXPECT_TRUE(erro("=VX.CSPLINE(42;A1)", NA));
    EXPECT_TRUE(erro("=VX.CSPLINE(42;C1:D4)", NA));  // no usable row
}
