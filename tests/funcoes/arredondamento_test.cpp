// The rounding rules and the guard between a computed value and a result.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Funcoes/arredondamento.h"
#include "verifica.h"

using namespace funcoes;

TEST(Arredondamento, HalvesUpAfterTruncation) {
    EXPECT_EQ(arredonda_meio_acima(30855.3965), 30855);
    EXPECT_EQ(arredonda_meio_acima(30855.5), 30856);
    EXPECT_EQ(arredonda_meio_acima(30855.49999), 30855);
    EXPECT_EQ(arredonda_meio_acima(97.5), 98);
    EXPECT_EQ(arredonda_meio_acima(-97.7), -97);
    EXPECT_EQ(arredonda_meio_acima(-97.2), -97);
    EXPECT_EQ(arredonda_meio_acima(2147483646.5), 2147483647);
    EXPECT_FALSE(arredonda_meio_acima(2147483647.5));  // the step up leaves 32 bits
    EXPECT_FALSE(arredonda_meio_acima(1e10));
    EXPECT_FALSE(arredonda_meio_acima(std::nan("")));
}

TEST(Arredondamento, HalvesAwayFromZero) {
    const std::pair<double, int> casos[] = {{0.7, 1}, {-0.7, -1}, {0.4, 0}, {-0.4, 0}, {2.5, 3},
                                            {-2.5, -3}, {-165.2544, -165}, {109.5387, 110}};
    for (auto [x, k] : casos) EXPECT_EQ(arredonda_meio_longe_do_zero(x), k) << x;
    EXPECT_EQ(arredonda_meio_longe_do_zero(-2147483648.4), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(arredonda_meio_longe_do_zero(-2147483648.5));
    EXPECT_FALSE(arredonda_meio_longe_do_zero(-HUGE_VAL));
}

TEST(Arredondamento, TruncationIntoEachIntegerType) {
    EXPECT_EQ(trunca<std::uint32_t>(21.9), 21u);
    EXPECT_EQ(trunca<std::uint32_t>(0.5), 0u);
    EXPECT_EQ(trunca<std::uint32_t>(4294967295.9), 4294967295u);
    EXPECT_FALSE(trunca<std::uint32_t>(4294967296.0));
    EXPECT_FALSE(trunca<std::uint32_t>(-1.0));
    EXPECT_EQ(trunca<std::int32_t>(-2147483648.9), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(trunca<std::int32_t>(2147483648.0));
    EXPECT_FALSE(trunca<std::int32_t>(std::numeric_limits<double>::infinity()));
}

TEST(Resultado, OnlyFiniteDoublesBecomeNumbers) {
    EXPECT_TRUE(teste::e_numero(Resultado::numero(0.25), 0.25));
    EXPECT_TRUE(teste::e_numero(Resultado::numero(1e300), 1e300));
    EXPECT_TRUE(teste::e_erro(Resultado::numero(HUGE_VAL), Erro::num));
    EXPECT_TRUE(teste::e_erro(Resultado::numero(-HUGE_VAL), Erro::num));
    EXPECT_TRUE(teste::e_erro(Resultado::numero(std::nan("")), Erro::num));
}
