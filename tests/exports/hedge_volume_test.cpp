// VX.HEDGE ("PBIJBIIBB") and VX.VOLPROJ ("PBJBBBB") through xlhost.
#include "planilha.h"

using namespace teste;

TEST_F(Planilha, HedgeWorkedExamples) {
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;252;10000000;0.19;504)", -165));
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;252;10000000;0.19;504;0;0;0)", -165));
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;252;10000000;0.19;504;126;0.185)", -124));
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;126;-5000000;0.185;252;;;1.2)", 110));
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;252;-10000000;0.19;504)", 165));
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;252;10000000;0.19;504;;;2)", -331));
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;252;0;0.19;504)", 0));
    EXPECT_TRUE(numero("=VX.HEDGE(0.18;252;100000000;0.19;1)", -5));  // one business day is enough
}

TEST_F(Planilha, HedgeErrors) {
    EXPECT_TRUE(erro("=VX.HEDGE(0;252;10000000;0.19;504)", NA));
    EXPECT_TRUE(erro("=VX.HEDGE(0.18;0;10000000;0.19;504)", VALOR));
    EXPECT_TRUE(erro("=VX.HEDGE(0.18;252;10000000;0;504)", NA));
    EXPECT_TRUE(erro("=VX.HEDGE(0.18;252;10000000;0.19;0)", VALOR));
    EXPECT_TRUE(erro("=VX.HEDGE(0.18;252;10000000;0.19;504;-1)", VALOR));
    EXPECT_TRUE(erro("=VX.HEDGE(0.18;252;10000000;0.19;504;10;0)", NA));
    EXPECT_TRUE(erro("=VX.HEDGE(0.18;252;2000000000;0.19;504;;;1e6)", NUM));
    // Excel refuses a face value beyond the 32-bit argument before calling.
    EXPECT_TRUE(erro("=VX.HEDGE(0.18;252;3e9;0.19;504)", NUM));
}

TEST_F(Planilha, VolprojWorkedExamples) {
    EXPECT_TRUE(numero("=VX.VOLPROJ(0.5;1000000;0.375;0.75)", 3000000));
    EXPECT_TRUE(numero("=VX.VOLPROJ(0.625;1000000;0.375;0.75;0.5;0.5625)", 1666666));
    EXPECT_TRUE(numero("=VX.VOLPROJ(0.53125;1000000;0.375;0.75;0.5;0.5625)", 2500000));
    EXPECT_TRUE(numero("=VX.VOLPROJ(0.8;1000000;0.375;0.75;0.5;0.5625)", 1000000));
    EXPECT_TRUE(numero("=VX.VOLPROJ(0.3;1000000;0.375;0.75;0.5;0.5625)", 0));
    EXPECT_TRUE(numero("=VX.VOLPROJ(0.5;1000000;0.375;0.75;0.5)", 3000000));
    EXPECT_TRUE(numero("=VX.VOLPROJ(1.5;0;0.375;0.75)", 0));
    EXPECT_TRUE(erro("=VX.VOLPROJ(1.5;1000;0.375;0.75)", VALOR));
    EXPECT_TRUE(erro("=VX.VOLPROJ(0.5;1000;0.375;0.75;0.5625;0.5)", VALOR));
    EXPECT_TRUE(erro("=VX.VOLPROJ(0.37501;2000000000;0.375;0.75)", NUM));
}

// A rate only just above 0 is a rate: the checks refuse 0 and below, nothing more.
TEST_F(Planilha, RatesJustAboveZeroAreAccepted) {
    for (const char* formula : {"=VX.HEDGE(0.18;252;10000000;0.19;504;126;0.001)",
                                "=VX.CUPOM_FRA(0.001;21;39000;0.185;63;39062;25;2500)",
                                "=VX.CUPOM_FRA(0.18;21;39000;0.185;63;39062;25;0.001)"}) {
        const Value v = host.eval(formula);
        EXPECT_EQ(v.kind, Value::Kind::number) << formula << " gave " << xlhost::display(v);
    }
}
