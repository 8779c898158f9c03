// VX.VOLPROJ: the day's volume projected from the volume so far.
#include <gtest/gtest.h>

#include "Funcoes/volume.h"
#include "verifica.h"

using namespace funcoes;
using namespace teste;

namespace {
const double abre = 0.375, fecha = 0.75, almoco = 0.5, volta = 0.5625;  // 09:00 18:00 12:00 13:30
}

TEST(Volproj, WorkedExamples) {
    EXPECT_TRUE(e_numero(volproj(0.5, 1000000, abre, fecha, 0, 0), 3000000));
    EXPECT_TRUE(e_numero(volproj(0.625, 1000000, abre, fecha, almoco, volta), 1666666));
    EXPECT_TRUE(e_numero(volproj(0.53125, 1000000, abre, fecha, almoco, volta), 2500000));  // in the break
    EXPECT_TRUE(e_numero(volproj(0.8, 1000000, abre, fecha, almoco, volta), 1000000));      // after the close
    EXPECT_TRUE(e_numero(volproj(0.3, 1000000, abre, fecha, almoco, volta), 0));            // before the open
    EXPECT_TRUE(e_numero(volproj(abre, 1000000, abre, fecha, 0, 0), 0));
    EXPECT_TRUE(e_numero(volproj(0.5, 1000000, abre, fecha, almoco, 0), 3000000));  // no restart: no break
    EXPECT_TRUE(e_numero(volproj(0.625, 1000000, abre, fecha, 0, volta), 1500000));  // no lunch start: no break
    EXPECT_TRUE(e_numero(volproj(0.4375, 1000000, abre, fecha, almoco, volta), 5000000));  // 10:30
}

TEST(Volproj, TruncatesTheProjectionAsFormed) {
    // 5000000/3 is not a whole number: truncated, not rounded.
    EXPECT_EQ(volproj(0.625, 1000000, abre, fecha, almoco, volta).valor(), 1666666);
    EXPECT_EQ(volproj(0.625, -1000000, abre, fecha, almoco, volta).valor(), 0);
}

TEST(Volproj, ValidationInOrder) {
    EXPECT_TRUE(e_numero(volproj(1.5, 0, -3, 9, 9, 9), 0));  // the volume is tested first
    EXPECT_TRUE(e_erro(volproj(1.5, 1000, abre, fecha, 0, 0), Erro::valor));
    EXPECT_TRUE(e_erro(volproj(0.5, 1000, -0.1, fecha, 0, 0), Erro::valor));
    EXPECT_TRUE(e_erro(volproj(0.5, 1000, abre, 1.01, 0, 0), Erro::valor));
    EXPECT_TRUE(e_erro(volproj(0.5, 1000, abre, fecha, -0.5, 0), Erro::valor));
    EXPECT_TRUE(e_erro(volproj(0.5, 1000, abre, fecha, 0, 2), Erro::valor));
    EXPECT_TRUE(e_erro(volproj(0.5, 1000, abre, fecha, volta, almoco), Erro::valor));
    EXPECT_TRUE(e_erro(volproj(0.5, 1000, abre, fecha, almoco, almoco), Erro::valor));
    EXPECT_TRUE(e_numero(volproj(1.0, 1000, 0.0, 1.0, 0, 0), 1000));  // the interval is closed
}

TEST(Volproj, ProjectionBeyondThirtyTwoBits) {
    // One second of trading with two billion traded already.
    EXPECT_TRUE(e_erro(volproj(abre + 1.0 / 86400, 2000000000, abre, fecha, 0, 0), Erro::num));
}
