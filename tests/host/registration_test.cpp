// REGISTER and the names it defines, as the add-in's registrations and the wizard show them.
#include <algorithm>

#include "host_fixture.h"

namespace {

using xlhost::Value;

class Registering : public LoadedHost {};

TEST_F(Registering, OpenRegistersEveryRowOnceAndReopenUpdatesThem) {
    const size_t count = host->registrations().size();
    ASSERT_GT(count, 30u);
    const xlhost::Registration* num = host->find_function("t.num");
    ASSERT_NE(num, nullptr);
    EXPECT_EQ(num->procedure, "t_num");
    EXPECT_EQ(num->type_text, "BB");
    EXPECT_EQ(num->category, "Tests");
    EXPECT_EQ(num->module, host->addin_path());
    const double id = num->register_id;
    ASSERT_EQ(host->auto_open(), 1);
    EXPECT_EQ(host->registrations().size(), count);
    EXPECT_EQ(host->find_function("T.NUM")->register_id, id);
    EXPECT_EQ(host->find_function("T.NUM")->use_count, 2);
    EXPECT_EQ(eval("=T.REGID(\"t_num\")"), Value::num(id));
}

TEST_F(Registering, RefusalsAnswerValueErrors) {
    const size_t count = host->registrations().size();
    EXPECT_EQ(eval("=T.REGISTER(\"t_missing\";\"BB\";\"T.X\")"), Value::err(15));  // not exported
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\";\"BZ\";\"T.X\")"), Value::err(15));      // no such letter
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\";\"B!B\";\"T.X\")"), Value::err(15));     // mark in the middle
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\";\"FB\";\"T.X\")"), Value::err(15));      // F is no result
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\";\"2B\";\"T.X\")"), Value::err(15));      // no argument 2
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\";\"BB\";\"A1\")"), Value::err(15));       // a cell, not a name
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\";\"BB\";\"T.X\";3)"), Value::err(15));    // macro type
    EXPECT_EQ(host->registrations().size(), count);
    const auto& calls = host->calls();
    auto last_register = std::find_if(calls.rbegin(), calls.rend(), [](const xlhost::CallRecord& c) { return c.function == 149; });
    ASSERT_NE(last_register, calls.rend());
    EXPECT_EQ(last_register->note, "the macro type is not 0, 1 or 2");
}

TEST_F(Registering, TypeTextMarksAndInPlaceResultsAreAccepted) {
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\";\"BB!#\";\"T.VOLATILE\")").kind, Value::Kind::number);
    EXPECT_EQ(shown("=T.VOLATILE(4)"), "4");
}

TEST_F(Registering, WithoutATypeTextExcelAsksXlAutoRegister) {
    EXPECT_EQ(host->find_function("T.LAZY"), nullptr);
    const Value id = eval("=T.REGISTER(\"t_lazy\")");
    ASSERT_EQ(id.kind, Value::Kind::number);
    ASSERT_NE(host->find_function("T.LAZY"), nullptr);
    EXPECT_EQ(host->find_function("T.LAZY")->register_id, id.number);
    EXPECT_EQ(shown("=T.LAZY(1)"), "2");
    // Known already: its id without asking; unknown and declined by xlAutoRegister: refused.
    EXPECT_EQ(eval("=T.REGISTER(\"t_num\")"), Value::num(host->find_function("T.NUM")->register_id));
    EXPECT_EQ(eval("=T.REGISTER(\"xlAutoFree\")"), Value::err(15));
}

TEST_F(Registering, AutoRegisterAnswersItsOwnValue) {
    EXPECT_EQ(host->auto_register("t_lazy"), Value::err(15));
    EXPECT_NE(host->find_function("T.LAZY"), nullptr);
}

TEST_F(Registering, SetNameDeletesTheNameButNotTheRegistration) {
    EXPECT_EQ(eval("=T.SETNAME(\"T.INT16\")"), Value::boolean_value(true));
    EXPECT_EQ(host->find_function("T.INT16"), nullptr);
    EXPECT_EQ(shown("=T.INT16(1)"), "#NAME?");
    EXPECT_EQ(host->function_wizard().find("T.INT16"), std::string::npos);
    EXPECT_EQ(eval("=T.SETNAME(\"1bad\")"), Value::err(15));
    EXPECT_EQ(eval("=T.SETNAME(\"Rate\";0.18)"), Value::boolean_value(true));
    EXPECT_EQ(shown("=T.NUM(Rate)"), "0.17999999999999999");
}

TEST_F(Registering, UnregisterCountsUses) {
    const double id = host->find_function("T.UINT16")->register_id;
    EXPECT_EQ(eval("=T.UNREG(" + xlhost::display(Value::num(id)) + ")"), Value::boolean_value(true));
    EXPECT_EQ(shown("=T.UINT16(1)"), "#NAME?");
    EXPECT_EQ(eval("=T.UNREG(1)"), Value::boolean_value(false));
}

TEST_F(Registering, RemoveHidesFunctionsFromTheWizardOnly) {
    EXPECT_NE(host->function_wizard().find("T.NUM(value)"), std::string::npos);
    EXPECT_EQ(host->auto_remove(), 1);
    EXPECT_EQ(host->find_function("T.NUM")->macro_type, 0);
    EXPECT_EQ(host->function_wizard(), "");
    EXPECT_EQ(shown("=T.NUM(3)"), "3");
    EXPECT_EQ(host->auto_close(), 1);
    EXPECT_EQ(shown("=T.NUM(3)"), "#NAME?");
}

TEST_F(Registering, TheWizardListsCategoryNamesArgumentsAndHelp) {
    const std::string wizard = host->function_wizard();
    EXPECT_EQ(wizard.rfind("Category: Tests\n\n  T.ALERTFN(value)\n    value\n", 0), 0u) << wizard;
    EXPECT_EQ(wizard.find("t_alert"), std::string::npos);  // commands are not functions
}

TEST_F(Registering, CommandsRunByMacroName) {
    EXPECT_EQ(host->run_macro("T_ALERT"), Value::boolean_value(false));  // returns the ALERT code 0
    ASSERT_EQ(host->alerts().size(), 1u);
    EXPECT_EQ(host->alerts()[0].text, "Ol\xE1, mundo");  // cp1252, as the add-in was built
    EXPECT_EQ(host->alerts()[0].type, 3);
    EXPECT_EQ(host->run_macro("t_nothing"), Value::err(29));
}

TEST_F(Registering, UnloadTakesTheRegistrationsAway) {
    host->unload();
    EXPECT_TRUE(host->registrations().empty());
    EXPECT_EQ(shown("=T.NUM(1)"), "#NAME?");
}

}  // namespace
