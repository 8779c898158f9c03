// xlCoerce as the add-in asks for it (T.COERCE answers minus the return code on failure).
#include "host_fixture.h"

namespace {

using xlhost::Value;

class Coercion : public LoadedHost {};

TEST_F(Coercion, ToNumberStringBooleanInteger) {
    EXPECT_EQ(eval("=T.COERCE(\"12.5\";1)"), Value::num(12.5));   // xltypeNum
    EXPECT_EQ(eval("=T.COERCE(TRUE;1)"), Value::num(1));
    EXPECT_EQ(eval("=T.COERCE(\"abc\";1)"), Value::num(-32));     // xlretFailed
    EXPECT_EQ(eval("=T.COERCE(12.5;2)"), Value::str("12.5"));     // xltypeStr
    EXPECT_EQ(eval("=T.COERCE(FALSE;2)"), Value::str("FALSE"));
    EXPECT_EQ(eval("=T.COERCE(1;4)"), Value::boolean_value(true)); // xltypeBool
    EXPECT_EQ(eval("=T.COERCE(\"x\";4)"), Value::num(-32));
    EXPECT_EQ(eval("=T.COERCE(\"1\";2048)"), Value::num(1));       // xltypeInt, shown as a number
    EXPECT_EQ(eval("=T.COERCE(40000;2048)"), Value::num(-32));
    EXPECT_EQ(eval("=T.COERCE(#N/A;1)"), Value::num(-32));         // an error is no number
    EXPECT_EQ(eval("=T.COERCE(#N/A;17)"), Value::err(42));         // unless errors are accepted
}

TEST_F(Coercion, ReferencesGiveTheirValues) {
    host->set_cell("A1", Value::num(3));
    host->set_cell("B1", Value::str("t"));
    EXPECT_EQ(eval("=T.COERCE(A1)"), Value::num(3));
    EXPECT_EQ(eval("=T.COERCE(A1:B1)"), Value::array(1, 2, {Value::num(3), Value::str("t")}));
    EXPECT_EQ(eval("=T.COERCE(A1:B1;1)"), Value::num(3));           // the top left cell
    EXPECT_EQ(eval("=T.COERCE(5;64)"), Value::array(1, 1, {Value::num(5)}));
    EXPECT_EQ(eval("=T.COERCE(5;8)"), Value::num(-32));             // a value is no reference
}

TEST_F(Coercion, AMaskWithOtherBitsIsAnInvalidRecord) {
    EXPECT_EQ(eval("=T.COERCE(5;32)"), Value::num(-8));  // xltypeFlow is not a value type
}

TEST_F(Coercion, ManagerInfoCoercesItsItem) {
    EXPECT_EQ(host->addin_manager_info(Value::num(1)), Value::str("Test Add-in"));
    EXPECT_EQ(host->addin_manager_info(Value::integer_value(1)), Value::str("Test Add-in"));
    EXPECT_EQ(host->addin_manager_info(Value::str("1")), Value::str("Test Add-in"));
    EXPECT_EQ(host->addin_manager_info(Value::num(2)), Value::err(15));
    EXPECT_EQ(host->addin_manager_info(Value::missing_value()), Value::err(15));
    EXPECT_EQ(host->addin_manager_line(), "Test Add-in");
}

}  // namespace
