// DI1 futures: maturities from codes, the settlement price of the exchange to the cent, the
// implied rate and the DV01; and ROUND(x; 2) as Excel rounds the value it displays.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Funcoes/arredondamento.h"
#include "Funcoes/calendario.h"
#include "Funcoes/di1.h"
#include "verifica.h"

using namespace funcoes;
using teste::e_erro;
using teste::e_numero;

namespace {

constexpr double nan_di1 = std::numeric_limits<double>::quiet_NaN();
constexpr double inf_di1 = std::numeric_limits<double>::infinity();

// Expected values worked out in decimal arithmetic: the exact binary value rounded to 15
// significant digits, then half away from zero to the cent.
TEST(Arredondamento, CentsOfTheDisplayedValue) {
    const std::pair<double, double> casos[] = {
        {1.005, 1.01},   // 1.00499999999999989… in binary, 1.005 displayed
        {2.675, 2.68},   // 2.67499999999999982…
        {1.015, 1.02},   {0.285, 0.29}, {10.075, 10.08}, {4.345, 4.35},
        {0.125, 0.13},   // an exact half
        {88093.225, 88093.23},
        {99999.995, 100000.0},
        {1.0049999999, 1.0},  // below the half even when displayed
        // The product by 10^k rounds to a half that the exact value is not: 267499999999999.49…
        {2.674999999999995, 2.67}, {88093.22499999995, 88093.22}, {0.2849999999999995, 0.28},
        {1.004999999999995, 1.01},  // …and one that is above it
        {1.0000000000000049, 1.0},
        {0.005, 0.01},   {0.0149999999999999, 0.01}, {0.004, 0.0}, {1e-5, 0.0}, {0.0, 0.0},
        {123456789012.345, 123456789012.35},
        {-2.675, -2.68}, {-0.125, -0.13},
        {88093.23442322979, 88093.23},
        {1e14 + 0.5, 1e14 + 1},  // 15 digits before the point: the display has no cents
    };
    for (const auto& [valor, esperado] : casos) {
        const auto r = arredonda_centavos(valor);
        ASSERT_TRUE(r.has_value()) << valor;
        EXPECT_EQ(*r, esperado) << std::setprecision(17) << valor;
    }
    EXPECT_FALSE(arredonda_centavos(1e15).has_value());
    EXPECT_FALSE(arredonda_centavos(nan_di1).has_value());
    EXPECT_FALSE(arredonda_centavos(inf_di1).has_value());
}

TEST(Di1, WorkedSettlementOfDi1F26) {
    EXPECT_TRUE(e_numero(di1_pu(0.14901, 230), 88093.23));
    const Resultado dv01 = di1_dv01(0.14901, 230);
    ASSERT_TRUE(dv01.ok());
    EXPECT_NEAR(dv01.valor(), 6.99755, 5e-6);
}

TEST(Di1, PriceRateAndDv01Agree) {
    for (double taxa : {0.0001, 0.05, 0.10, 0.14901, 0.15, 0.45, -0.02}) {
        for (double du : {1.0, 21.0, 230.0, 252.0, 1260.0, 2520.0}) {
            const double pu = 100000.0 / std::pow(1.0 + taxa, du / 252.0);
            const Resultado p = di1_pu(taxa, du);
            ASSERT_TRUE(p.ok());
            EXPECT_LE(std::fabs(p.valor() - pu), 0.005 + 1e-9) << taxa << " " << du;
            EXPECT_EQ(p.valor(), std::round(p.valor() * 100.0) / 100.0);  // whole cents
            // The rate back from the unrounded price; from the rounded one within a cent's worth.
            EXPECT_TRUE(e_numero(di1_taxa(pu, du), taxa, 1e-12 * (1 + 252.0 / du)));
            // DV01: the price's derivative in the rate over one basis point, against a central difference.
            const double h = 1e-6;
            const double derivada =
                (100000.0 / std::pow(1.0 + taxa - h, du / 252.0) - 100000.0 / std::pow(1.0 + taxa + h, du / 252.0)) / (2 * h);
            EXPECT_TRUE(e_numero(di1_dv01(taxa, du), derivada * 1e-4, 1e-6 * std::fabs(derivada * 1e-4) + 1e-9));
        }
    }
    EXPECT_TRUE(e_numero(di1_pu(0, 252), 100000));
    EXPECT_TRUE(e_numero(di1_pu(1, 252), 50000));
    EXPECT_TRUE(e_numero(di1_taxa(100000, 10), 0));
    EXPECT_TRUE(e_numero(di1_taxa(50000, 252), 1));
}

TEST(Di1, BadArguments) {
    struct Caso {
        double a, du;
    };
    // Rates at or below −100 %, not finite; days below 1, fractional, not finite.
    for (const Caso& c : {Caso{-1, 252}, Caso{-1.5, 252}, Caso{nan_di1, 252}, Caso{inf_di1, 252}, Caso{-inf_di1, 252},
                          Caso{0.15, 0}, Caso{0.15, -1}, Caso{0.15, 0.5}, Caso{0.15, 1.5}, Caso{0.15, nan_di1},
                          Caso{0.15, inf_di1}}) {
        EXPECT_TRUE(e_erro(di1_pu(c.a, c.du), Erro::valor)) << c.a << " " << c.du;
        EXPECT_TRUE(e_erro(di1_dv01(c.a, c.du), Erro::valor)) << c.a << " " << c.du;
    }
    for (const Caso& c : {Caso{0, 252}, Caso{-100, 252}, Caso{nan_di1, 252}, Caso{inf_di1, 252}, Caso{90000, 0},
                          Caso{90000, 2.5}, Caso{90000, -inf_di1}})
        EXPECT_TRUE(e_erro(di1_taxa(c.a, c.du), Erro::valor)) << c.a << " " << c.du;
    // A price beyond any a double can carry in cents, or no finite price at all.
    EXPECT_TRUE(e_erro(di1_pu(-0.9999999, 1e6), Erro::num));
    EXPECT_TRUE(e_erro(di1_taxa(1e-300, 1), Erro::num));
    // A price too small to show a cent rounds to 0.
    EXPECT_TRUE(e_numero(di1_pu(1, 252 * 30), 0));
}

TEST(Di1, MaturitiesFromCodes) {
    const std::pair<const char*, std::int32_t> casos[] = {
        {"DI1F25", serial_de(2025, 1, 2)},  // 1 January a holiday
        {"F26", serial_de(2026, 1, 2)},
        {"DI1J25", serial_de(2025, 4, 1)},
        {"DI1N25", serial_de(2025, 7, 1)},
        {"DI1X25", serial_de(2025, 11, 3)},  // 1 November a Saturday, 2 November a holiday on Sunday
        {"DI1F28", serial_de(2028, 1, 3)},
        {"DI1G25", serial_de(2025, 2, 3)},
        {"H25", serial_de(2025, 3, 5)},      // Carnival on 3 and 4 March
        {"DI1Z99", serial_de(2099, 12, 1)},
        {"DI1F01", serial_de(2001, 1, 2)},
    };
    for (const auto& [codigo, vencimento] : casos) EXPECT_TRUE(e_numero(di1_venc(codigo), vencimento)) << codigo;
    for (const char* codigo : {"", "DI1", "DI1F", "DI1F2", "DI1F255", "DI1A25", "di1f25", "DI1f25", " F25", "F25 ",
                               "DI2F25", "XF25", "DI1DI1F25", "DI1F2A", "1F25", "FF25"})
        EXPECT_TRUE(e_erro(di1_venc(codigo), Erro::valor)) << codigo;
    EXPECT_TRUE(e_erro(di1_venc(nullptr), Erro::valor));
    EXPECT_TRUE(e_erro(di1_venc("DI1F00"), Erro::num));  // January 2000, before the calendar
}

}  // namespace
