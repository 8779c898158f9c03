// What Excel answers calls it does not accept: an unknown function number, a wrong count, a
// command from a worksheet function, ALERT's own argument checks.
#include "host_fixture.h"
#include "xll/xlcall.h"

namespace {

using xlhost::Value;

class Dispatch : public LoadedHost {};

TEST_F(Dispatch, AnUnknownFunctionNumberAnswersTwoAndIsAFault) {
    expect_faults = true;
    EXPECT_EQ(shown("=T.UNKNOWN()"), "2");
    expect_one_fault("function 1023 (0x03FF), which the host does not serve");
    EXPECT_EQ(host->calls().back().code, 2);
}

TEST_F(Dispatch, AWrongArgumentCountAnswersFour) {
    expect_faults = true;
    EXPECT_EQ(shown("=T.BADCOUNT()"), "4");
    expect_one_fault("xlGetName called with 1 arguments");
}

TEST_F(Dispatch, MoreThanThirtyArgumentsAnswerFour) {
    expect_faults = true;
    EXPECT_EQ(shown("=T.TOOMANY()"), "4");
    expect_one_fault("REGISTER called with 31 arguments");
}

TEST_F(Dispatch, SheetNameOfTheBareSheetId) { EXPECT_EQ(shown("=T.SHEETBARE()"), "[Book1]Sheet1"); }

TEST_F(Dispatch, WorksheetFunctionsCannotRunCommands) {
    expect_faults = true;
    EXPECT_EQ(shown("=T.ALERTFN()"), "32");
    expect_one_fault("a worksheet function called the command ALERT");
    EXPECT_TRUE(host->alerts().empty());
}

TEST_F(Dispatch, AlertChecksItsType) {
    EXPECT_EQ(host->run_macro("t_alert_bad"), Value::boolean_value(true));  // the code 32
    EXPECT_TRUE(host->alerts().empty());
    EXPECT_EQ(host->calls().back().code, 32);
}

TEST_F(Dispatch, InvalidResultsAreFaults) {
    expect_faults = true;
    EXPECT_EQ(shown("=T.BAD()"), "#VALUE!");
    expect_one_fault("t_bad_result returned a record of type 0x0300");
}

TEST_F(Dispatch, EscapingExceptionsAreFaults) {
    expect_faults = true;
    EXPECT_EQ(shown("=T.THROW()"), "#VALUE!");
    expect_one_fault("an exception left t_throw");
}

TEST(DispatchOutsideCalls, ExcelIsNotThereWhenNoAddInCodeRuns) {
    plat_control::reset();
    xlhost::Host host;
    ASSERT_TRUE(host.load(XLHOST_TEST_ADDIN));
    XLOPER name;
    EXPECT_EQ(Excel4(xlGetName, &name, 0), xlretFailed);
    ASSERT_EQ(host.faults().size(), 1u);
    EXPECT_NE(host.faults()[0].find("while Excel was not running"), std::string::npos);
    host.unload();
    EXPECT_EQ(Excel4(xlGetName, &name, 0), xlretFailed);  // no host at all
}

}  // namespace
