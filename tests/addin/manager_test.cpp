// The Add-In Manager asks for item 1, the long name; anything that does not coerce to the
// integer 1 answers #VALUE!.
#include "addin_fixture.h"

namespace addin_test {
namespace {

const xlhost::Value value_error = xlhost::Value::err(15);

TEST_F(AddinTest, ManagerGetsTheEnglishLongNameForItemOne) {
    install("2");
    load();
    const xlhost::Value long_name = xlhost::Value::str("Varentis - Calculations for Financial Market");
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::num(1)), long_name);
    EXPECT_EQ(host.addin_manager_info(integer(1)), long_name);
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::str("1")), long_name);
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::num(1)), long_name);  // the answer stays whole
}

TEST_F(AddinTest, ManagerGetsThePortugueseLongName) {
    install("1");
    load_and_open();
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::num(1)),
              xlhost::Value::str(cp("Varentis - Cálculos para Mercado Financeiro")));
}

TEST_F(AddinTest, ManagerItemsOtherThanOneAnswerValueError) {
    install("2");
    load();
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::num(2)), value_error);
    EXPECT_EQ(host.addin_manager_info(integer(0)), value_error);
    EXPECT_EQ(host.addin_manager_info(missing()), value_error);
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::str("um")), value_error);
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::err(42)), value_error);
    // A refusal leaves no stale long name behind.
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::num(1)).kind, xlhost::Value::Kind::text);
    EXPECT_EQ(host.addin_manager_info(xlhost::Value::num(2)), value_error);
}

}  // namespace
}  // namespace addin_test
