// VX.HEDGE: DI1 contracts that hedge a fixed-rate position.
#include <gtest/gtest.h>

#include "Funcoes/hedge.h"
#include "verifica.h"

using namespace funcoes;
using namespace teste;

TEST(Hedge, WorkedExamples) {
    EXPECT_TRUE(e_numero(hedge(0.18, 252, 10000000, 0.19, 504, 0, 0, 0), -165));
    EXPECT_TRUE(e_numero(hedge(0.18, 252, 10000000, 0.19, 504, 126, 0.185, 0), -124));
    EXPECT_TRUE(e_numero(hedge(0.18, 126, -5000000, 0.185, 252, 0, 0, 1.2), 110));
    // The unrounded counts, read through a beta that shifts them four places.
    EXPECT_TRUE(e_numero(hedge(0.18, 252, 10000000, 0.19, 504, 0, 0, 10000), -1652544, 1));
    EXPECT_TRUE(e_numero(hedge(0.18, 252, 10000000, 0.19, 504, 126, 0.185, 10000), -1237665, 1));
    EXPECT_TRUE(e_numero(hedge(0.18, 126, -5000000, 0.185, 252, 0, 0, 12000), 1095387, 1));
}

TEST(Hedge, SignsTargetsAndBeta) {
    for (int v : {1, 250000, 10000000, 2000000000}) {
        const double longa = hedge(0.1375, 180, v, 0.14, 400, 0, 0, 0).valor();
        EXPECT_LE(longa, 0) << v;
        EXPECT_EQ(hedge(0.1375, 180, -v, 0.14, 400, 0, 0, 0).valor(), -longa) << v;
        EXPECT_EQ(hedge(0.1375, 180, -v, 0.14, 400, 90, 0.139, 1.3).valor(),
                  -hedge(0.1375, 180, v, 0.14, 400, 90, 0.139, 1.3).valor()) << v;
    }
    EXPECT_TRUE(e_numero(hedge(0.18, 252, 0, 0.19, 504, 0, 0, 0), 0));
    // Beta 0 stands for 1; beta 2 doubles the count before it is rounded (−330.5 → −331).
    EXPECT_EQ(hedge(0.18, 252, 10000000, 0.19, 504, 0, 0, 1).valor(), -165);
    EXPECT_TRUE(e_numero(hedge(0.18, 252, 10000000, 0.19, 504, 0, 0, 2), -331));
    // A total hedge ignores the target rate, even a missing one.
    EXPECT_EQ(hedge(0.18, 252, 10000000, 0.19, 504, 0, -7, 0).valor(), -165);
    // A target equal to the position leaves nothing to hedge; one beyond it reverses the sign.
    EXPECT_TRUE(e_numero(hedge(0.18, 252, 10000000, 0.19, 504, 504, 0.19, 0), 0));
    EXPECT_GT(hedge(0.18, 252, 10000000, 0.19, 504, 800, 0.19, 0).valor(), 0);
}

TEST(Hedge, ValidationInOrder) {
    EXPECT_TRUE(e_erro(hedge(0, 252, 1000, 0.19, 504, 0, 0, 0), Erro::na));
    EXPECT_TRUE(e_erro(hedge(-0.1, 0, 1000, 0, 0, -1, 0, 0), Erro::na));
    EXPECT_TRUE(e_erro(hedge(0.18, 0, 1000, 0.19, 504, 0, 0, 0), Erro::valor));
    EXPECT_TRUE(e_erro(hedge(0.18, 0, 1000, 0, 0, 0, 0, 0), Erro::valor));
    EXPECT_TRUE(e_erro(hedge(0.18, 252, 1000, 0, 504, 0, 0, 0), Erro::na));
    EXPECT_TRUE(e_erro(hedge(0.18, 252, 1000, 0, 0, 0, 0, 0), Erro::na));
    EXPECT_TRUE(e_erro(hedge(0.18, 252, 1000, 0.19, 0, 0, 0, 0), Erro::valor));
    EXPECT_TRUE(e_erro(hedge(0.18, 252, 1000, 0.19, 504, -1, 0, 0), Erro::valor));
    EXPECT_TRUE(e_erro(hedge(0.18, 252, 1000, 0.19, 504, 10, 0, 0), Erro::na));
}

TEST(Hedge, CountsWithoutAFiniteOrThirtyTwoBitAnswer) {
    // A DI1 rate so high that its price underflows to 0.
    EXPECT_TRUE(e_erro(hedge(1e300, 252, 1000, 0.19, 504, 0, 0, 0), Erro::num));
    // More contracts than a 32-bit count holds.
    EXPECT_TRUE(e_erro(hedge(0.18, 252, 2000000000, 0.19, 504, 0, 0, 1e6), Erro::num));
    EXPECT_TRUE(e_erro(hedge(0.18, 252, 2000000000, 0.19, 504, 0, 0, -1e6), Erro::num));
}
