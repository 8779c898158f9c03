// A fixture that loads the add-in into xlhost, opens it as Excel does, and checks after every
// scenario that the add-in gave back every value and did nothing Excel would punish.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <string>

#include "xlhost/host.h"

namespace teste {

using xlhost::Value;

class Planilha : public ::testing::Test {
protected:
    void SetUp() override {
        std::string erro;
        ASSERT_TRUE(host.load(xlhost::default_addin_path(), &erro)) << erro;
        host.auto_open();
    }

    void TearDown() override {
        EXPECT_EQ(host.outstanding_values(), 0);
        for (const std::string& f : host.faults()) ADD_FAILURE() << "host fault: " << f;
        host.auto_close();
        host.unload();
        for (const std::string& f : host.faults()) ADD_FAILURE() << "host fault at unload: " << f;
    }

    // The curve of the worked examples at A1:B4.
    void curva_exemplo() {
        const double linhas[4][2] = {{0.18, 21}, {0.185, 63}, {0.195, 126}, {0.20, 252}};
        for (int i = 0; i < 4; ++i) {
            host.set_cell("A" + std::to_string(i + 1), Value::num(linhas[i][0]));
            host.set_cell("B" + std::to_string(i + 1), Value::num(linhas[i][1]));
        }
    }

    ::testing::AssertionResult numero(const std::string& formula, double esperado, double tolerancia = 0) {
        const Value v = host.eval(formula);
        if (v.kind != Value::Kind::number)
            return ::testing::AssertionFailure() << formula << " gave " << xlhost::display(v);
        if (std::fabs(v.number - esperado) > tolerancia)
            return ::testing::AssertionFailure() << formula << " gave " << std::setprecision(17) << v.number
                                                 << ", expected " << esperado;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult erro(const std::string& formula, int codigo) {
        const Value v = host.eval(formula);
        if (v.kind == Value::Kind::error && v.error == codigo) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << formula << " gave " << xlhost::display(v) << ", expected error "
                                             << codigo;
    }

    xlhost::Host host;
};

// Excel's error codes.
constexpr int NULO = 0, DIV0 = 7, VALOR = 15, NUM = 36, NA = 42;

}  // namespace teste
