// What the bridge says to Excel, word for word: the C API calls of its start, search and stop
// in their order and with their arguments, where they fall inside xlAutoOpen and xlAutoClose,
// the probe formula's text, and the locale and flags of every automation call as the objects
// received them (through real COM under Wine).
#include <map>

#include "capi/dispatch.h"
#include "instances_fixture.h"

namespace bridge_test {
namespace {

using xlhost::AutomationCall;
using xlhost::CallRecord;
using xlhost::Value;

// A call into Excel as a log shows it: REGISTER.ID("C:\...\varentis.xll","CheckInstance").
std::string shown(const CallRecord& call) {
    std::string text = xlhost::capi::function_name(call.function) + "(";
    for (size_t i = 0; i < call.arguments.size(); ++i) text += (i > 0 ? "," : "") + call.arguments[i];
    return text + ")";
}

// The calls of a log other than the xlFree that give Excel's answers back.
std::vector<std::string> said(const std::vector<CallRecord>& calls) {
    std::vector<std::string> out;
    for (const CallRecord& call : calls)
        if (call.function != xlFree) out.push_back(shown(call));
    return out;
}

// Where each member is asked for, and how: the locale of both calls, Invoke's flags and the
// number of its arguments. "Application" is the one name asked in the user's locale.
struct Way {
    uint32_t locale;
    uint16_t flags;
    size_t arguments;
};
const std::map<std::string, Way> ways = {
    {"Application.Application", {0x0400, 3, 0}},
    {"Application.ExecuteExcel4Macro", {9, 2, 1}},
    {"Application.Workbooks", {9, 3, 0}},
    {"Workbooks.Item", {9, 2, 1}},
    {"Workbook.Worksheets", {9, 3, 0}},
    {"Worksheets.Item", {9, 3, 1}},
    {"Worksheet.Range", {9, 3, 1}},
    {"Range.Value", {9, 3, 0}},
};

void expect_asked_as_excel_expects(const std::vector<AutomationCall>& calls, const std::string& probe) {
    for (const AutomationCall& call : calls) {
        const std::string member = call.object + "." + call.member;
        const auto way = ways.find(member);
        ASSERT_NE(way, ways.end()) << member << " is no member the bridge uses";
        EXPECT_EQ(call.locale, way->second.locale) << member;
        if (!call.invoke) continue;
        EXPECT_EQ(call.flags, way->second.flags) << member;
        EXPECT_EQ(call.arguments.size(), way->second.arguments) << member;
        // Each probe, wherever it lands, names our copy of the add-in in exactly these words.
        if (member == "Application.ExecuteExcel4Macro" && call.arguments.size() == 1) {
            EXPECT_EQ(call.arguments[0], Value::str(probe));
        }
    }
}

class SaidToExcel : public Instances {
protected:
    // cALL with a small c, the add-in's full file name, the probe and the type j, in quotes,
    // separated by commas, without a space.
    std::string probe_of(int number) {
        return "cALL(\"" + instance(number).addin_path() + "\",\"CheckInstance\",\"j\")";
    }
    std::string module_of(int number) { return "\"" + instance(number).addin_path() + "\""; }
};

TEST_F(SaidToExcel, TheStartAndTheSearchInsideXlAutoOpen) {
    make(1);
    serve(1);
    load(1);
    instance(1).clear_calls();
    EXPECT_FALSE(instance(1).probe_registered());
    open(1);
    const std::vector<CallRecord> calls = instance(1).calls();
    const std::vector<std::string> all = said(calls);
    const std::string module = module_of(1);
    // After Excel's window is found: the bridge stopped (nothing to unregister yet), the probe
    // registered, the version read, the search's document made without screen updates and
    // closed without saving, then the catalogue.
    const std::vector<std::string> bridge = {
        "xlGetName()",
        "REGISTER.ID(" + module + ",\"CheckInstance\")",
        "xlGetName()",
        "REGISTER.ID(" + module + ",\"CheckInstance\")",
        "REGISTER(" + module + ",\"CheckInstance\",\"J\")",
        "GET.WORKSPACE(2i)",
        "ECHO(FALSE)",
        "NEW(6)",
        "xlGetName()",
        "CLOSE(FALSE)",
        "ECHO(TRUE)",
    };
    ASSERT_GE(all.size(), bridge.size() + 2);
    EXPECT_EQ(all[0], "xlGetHwnd()");
    EXPECT_EQ(std::vector<std::string>(all.begin() + 1, all.begin() + 1 + static_cast<long>(bridge.size())), bridge);
    EXPECT_EQ(all[bridge.size() + 1], "xlGetName()") << "the catalogue's own name of the module";
    EXPECT_EQ(all[bridge.size() + 2].rfind("REGISTER(" + module + ",\"interpol\"", 0), 0u) << all[bridge.size() + 2];

    // Through COM: the one probe and the Workbooks, in the English locale; "Application" in the
    // user's. The probe was evaluated between NEW and CLOSE.
    const std::vector<AutomationCall> automation = instance(1).automation_calls();
    std::vector<std::string> members;
    for (const AutomationCall& call : automation)
        members.push_back(call.object + "." + call.member + (call.invoke ? "()" : ""));
    EXPECT_EQ(members, (std::vector<std::string>{"Application.Application", "Application.Application()",
                                                  "Application.ExecuteExcel4Macro", "Application.ExecuteExcel4Macro()",
                                                  "Application.Workbooks", "Application.Workbooks()"}));
    expect_asked_as_excel_expects(automation, probe_of(1));
    size_t made = 0, closed = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].function == xlcNew) made = i;
        if (calls[i].function == xlcClose) closed = i;
    }
    ASSERT_EQ(automation.size(), 6u);
    EXPECT_GT(automation[3].calls_before, made);
    EXPECT_LE(automation[3].calls_before, closed);
    EXPECT_EQ(automation[5].calls_before, closed + 1 + 1) << "the Workbooks after ECHO(TRUE)";
    for (const AutomationCall& call : automation) EXPECT_EQ(call.status, 0) << call.member;
}

TEST_F(SaidToExcel, TheStopIsTheLastStepOfXlAutoClose) {
    make(1);
    serve(1);
    load(1);
    open(1);
    instance(1).clear_calls();
    EXPECT_EQ(ledger().ole_uninitializations, 0);
    ASSERT_EQ(instance(1).close(), 1);
    const std::vector<std::string> all = said(instance(1).calls());
    ASSERT_GE(all.size(), 4u);
    const std::vector<std::string> last(all.end() - 4, all.end());
    EXPECT_EQ(last[0].rfind("DELETE.MENU(", 0), 0u) << last[0];
    EXPECT_EQ(last[1], "xlGetName()");
    EXPECT_EQ(last[2], "REGISTER.ID(" + module_of(1) + ",\"CheckInstance\")");
    EXPECT_EQ(last[3].rfind("UNREGISTER(", 0), 0u) << last[3];
    EXPECT_EQ(ledger().ole_uninitializations, 1) << "OLE ends with the bridge";
    EXPECT_EQ(instance(1).references_held(), 0);
    EXPECT_TRUE(instance(1).automation_calls().empty()) << "a stop asks the objects nothing";
}

// Three instances, ours the last and not serving, so that its search goes through the others
// (in other processes under Wine, through real COM): every probe, wherever it runs, and every
// call that reaches any instance is asked as Excel expects.
TEST_F(SaidToExcel, EveryCallOfASearchAmongOthers) {
    make(3);
    serve(1);
    serve(2);
    for (int i = 1; i <= 3; ++i) load(i);
    for (int i = 1; i <= 3; ++i) instance(i).clear_calls();
    open(3);
    int names_of_application = 0, probes_elsewhere = 0;
    for (int i = 1; i <= 3; ++i) {
        const std::vector<AutomationCall> calls = instance(i).automation_calls();
        expect_asked_as_excel_expects(calls, probe_of(3));
        for (const AutomationCall& call : calls) {
            names_of_application += !call.invoke && call.member == "Application";
            probes_elsewhere += call.invoke && call.member == "ExecuteExcel4Macro";
        }
    }
    EXPECT_EQ(names_of_application, 1) << "one identifier for every candidate";
    EXPECT_EQ(probes_elsewhere, 3) << "the active object and its table entry in instance 1, instance 2's entry";
    EXPECT_TRUE(instance(3).automation_calls().empty());
}

// A read through the bridge: the workbook, the sheet and the range by their names, the
// address in lower case, each object asked in turn.
TEST_F(SaidToExcel, TheReadOfARange) {
    make(2, "8.0", true);
    serve(1);
    serve(2);
    load(1);
    load(2);
    sheet(2, "0.18,21\n0.185,63\n");
    open(1);
    open(2);
    instance(1).clear_calls();
    instance(2).clear_calls();
    EXPECT_EQ(instance(2).read("A1:B2"),
              Value::array(2, 2, {Value::num(0.18), Value::num(21), Value::num(0.185), Value::num(63)}));
    const std::vector<AutomationCall> calls = instance(2).automation_calls();
    expect_asked_as_excel_expects(calls, "");
    std::vector<std::string> invoked;
    for (const AutomationCall& call : calls) {
        if (!call.invoke) continue;
        std::string text = call.object + "." + call.member + "(";
        for (const Value& argument : call.arguments) text += xlhost::display(argument);
        invoked.push_back(text + ")");
    }
    EXPECT_EQ(invoked, (std::vector<std::string>{"Workbooks.Item(Book1)", "Workbook.Worksheets()",
                                                  "Worksheets.Item(Sheet1)", "Worksheet.Range(a1:b2)",
                                                  "Range.Value()"}));
    EXPECT_TRUE(instance(1).automation_calls().empty()) << "the other Excel is asked nothing";
}

}  // namespace
}  // namespace bridge_test
