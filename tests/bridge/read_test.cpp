// A range read by the add-in's call layer: through xlCoerce, or in a disturbed Excel 97 through
// the bridge (one message box per load and one retry when it is not connected).
#include "instances_fixture.h"
#include "model/address.h"
#include "support/peak_memory.h"

namespace bridge_test {
namespace {

using xlhost::Value;

const char curve[] = "0.18,21\n0.185,63\n0.195,126\n0.2,252\n";

Value curve_value() {
    return Value::array(4, 2, {Value::num(0.18), Value::num(21), Value::num(0.185), Value::num(63), Value::num(0.195),
                               Value::num(126), Value::num(0.2), Value::num(252)});
}

const char other_instances_text[] =
    "Unable to complete calculation with other instances of Excel Opened\n"
    "Please close all other instances of Excel, then Click OK";

class Read : public Instances {
protected:
    // Three instances, ours the last, the curve in ours; probes answered as Excel 97 with
    // other instances open.
    void start(bool ours_serves) {
        make(3, "8.0", true);
        for (int i = 1; i <= 3; ++i) {
            if (i < 3 || ours_serves) serve(i);
            load(i);
        }
        sheet(3, curve);
        open(1);
        open(2);
        const std::vector<int> before = probes();
        open(3);
        const std::vector<int> after = probes();
        for (size_t i = 0; i < after.size(); ++i) probes_of_our_search.push_back(after[i] - before[i]);
    }
    std::vector<int> probes_of_our_search;
};

TEST_F(Read, ThroughTheBridgeOfAConnectedInstance) {
    start(true);
    EXPECT_EQ(instance(3).read("A1:B4"), curve_value());
    EXPECT_TRUE(instance(3).message_boxes().empty());
    // One cell's Value is the cell's own variant: a text reads, a number is no value the
    // bridge converts.
    instance(3).set_cell("C1", Value::str("Curva"));
    EXPECT_EQ(instance(3).read("C1"), Value::array(1, 1, {Value::str("Curva")}));
    EXPECT_EQ(instance(3).read("B2"), Value::err(xlerrValue));
    const AutomationLedger counted = ledger();
    EXPECT_EQ(counted.strings_alive, 0);
    EXPECT_EQ(counted.safe_arrays_alive, 0);
    EXPECT_EQ(instance(3).references_held(), 2) << "the connection stays";
}

TEST_F(Read, TheCellKindsOfARealExcelColumnByColumn) {
    start(true);
    instance(3).set_cell("A1", Value::str("Prazo"));
    instance(3).set_cell("C1", Value::boolean_value(true));
    instance(3).set_cell("A2", Value::err(xlerrDiv0));
    instance(3).set_cell("B2", Value::nil());
    instance(3).set_cell("C2", Value::err(xlerrNA));
    // Errors reach the add-in as #NAME?; two rows by three columns keep their order.
    EXPECT_EQ(instance(3).read("A1:C2"),
              Value::array(2, 3, {Value::str("Prazo"), Value::num(21), Value::boolean_value(true), Value::err(xlerrName),
                                  Value::nil(), Value::err(xlerrName)}));
}

// A sheet's 256 columns, A to IV, are one row of an array record: read whole.
TEST_F(Read, AllTheColumnsOfARowThroughTheBridge) {
    start(true);
    std::vector<Value> row;
    for (int column = 0; column < 256; ++column) {
        row.push_back(Value::num(column));
        instance(3).set_cell(xlhost::cell_text(0, column), row.back());
    }
    EXPECT_EQ(instance(3).read("A1:IV1"), Value::array(1, 256, row));
}

// A whole sheet is more than an array record holds: it answers #VALUE! at once, measured before
// a cell of it is copied, whether Excel coerces it or the bridge is asked (which then asks the
// other Excel nothing: no sheet name, no Range).
TEST_F(Read, AWholeSheetIsRefusedBeforeACellOfItIsCopied) {
    start(true);
    make(1);  // beside the three, an undisturbed Excel of its own
    serve(4);
    load(4);
    open(4);
    instance(3).clear_calls();
    const std::size_t before = vx_test::peak_resident_bytes();
    EXPECT_EQ(instance(3).read("A1:IV65536"), Value::err(xlerrValue));
    EXPECT_EQ(instance(3).calls_of(xlSheetNm), 0);
    EXPECT_EQ(instance(4).read("A1:IV65536"), Value::err(xlerrValue));
    EXPECT_LT(vx_test::peak_resident_bytes() - before, vx_test::copied_sheet_bytes);
    EXPECT_EQ(instance(3).read("A1:B4"), curve_value()) << "the bridge reads on";
    EXPECT_EQ(instance(3).calls_of(xlSheetNm), 1);
}

TEST_F(Read, UnconnectedOneBoxARetryThatConnects) {
    start(false);
    // Ours not serving: the search passed over the others, each probe running where it landed
    // (the active object and its table entry in instance 1, then instance 2's entry).
    EXPECT_EQ(probes_of_our_search, (std::vector<int>{2, 1, 0}));
    serve(3);  // ours registers only now: the retry's search finds it
    EXPECT_EQ(instance(3).read("A1:B4"), curve_value());
    const auto boxes = instance(3).message_boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, other_instances_text);
    EXPECT_EQ(boxes[0].style, 0u);  // OK only
    EXPECT_EQ(instance(3).read("A1:B4"), curve_value());
    EXPECT_EQ(instance(3).message_boxes().size(), 1u);
}

TEST_F(Read, NeverConnectedOneBoxThenEveryReadFails) {
    start(false);
    EXPECT_EQ(instance(3).read("A1:B4"), Value::err(xlerrValue));
    EXPECT_EQ(instance(3).message_boxes().size(), 1u);
    EXPECT_EQ(instance(3).read("A1:B4"), Value::err(xlerrValue));
    EXPECT_EQ(instance(3).message_boxes().size(), 1u) << "once per load";
}

// The bridge stopped by xlAutoClose holds nothing: a read through the fallback is a read
// without a connection, so the user is told once, the bridge starts again and finds ours.
TEST_F(Read, AfterTheBridgeStoppedTheFallbackStartsItAgain) {
    start(true);
    ASSERT_EQ(instance(3).read("A1:B4"), curve_value());
    ASSERT_EQ(instance(3).close(), 1);
    EXPECT_EQ(instance(3).references_held(), 0);
    EXPECT_EQ(instance(3).read("A1:B4"), curve_value());
    ASSERT_EQ(instance(3).message_boxes().size(), 1u);
    EXPECT_EQ(instance(3).message_boxes()[0].text, other_instances_text);
    EXPECT_EQ(instance(3).references_held(), 2) << "connected again";
    EXPECT_TRUE(instance(3).probe_registered());
}

// A restart that cannot find ours (it quit) leaves nothing held; every read after it fails
// without another box, and OLE is still uninitialised as often as it was initialised at the end.
TEST_F(Read, AfterAFailedRestartEveryReadFailsWithoutABox) {
    start(true);
    ASSERT_EQ(instance(3).close(), 1);
    instance(3).withdraw();
    EXPECT_EQ(instance(3).read("A1:B4"), Value::err(xlerrValue));
    EXPECT_EQ(instance(3).message_boxes().size(), 1u);
    EXPECT_EQ(instance(3).references_held(), 0);
    EXPECT_EQ(ledger().helpers_alive, 0);
    EXPECT_EQ(instance(3).read("A1:B4"), Value::err(xlerrValue));
    EXPECT_EQ(instance(3).message_boxes().size(), 1u) << "once per load";
    EXPECT_TRUE(instance(3).probe_registered()) << "the restart registered the probe again";
}

// Each step of the check that sends a read through the bridge, decided by its own answer:
// CALCULATE.NOW must refuse or answer FALSE, then OR(ISTEXT(range)) must not be the boolean
// FALSE (an error or a refusal of ISTEXT, or a text in the first cell, send it too).
TEST_F(Read, EachProbeOfTheDisturbedExcelDecidesOnItsOwn) {
    using Calculation = xlhost::CoercionProbes::Calculation;
    using TextTest = xlhost::CoercionProbes::TextTest;
    const struct {
        Calculation calculation;
        TextTest text_test;
        bool text_first;
        bool through_the_bridge;
        int istext_calls, or_calls;
    } cases[] = {
        {Calculation::recalculates, TextTest::reads, false, false, 0, 0},
        {Calculation::recalculates, TextTest::answers_ref, false, false, 0, 0},
        {Calculation::recalculates, TextTest::refuses, true, false, 0, 0},
        {Calculation::answers_false, TextTest::reads, false, false, 1, 1},
        {Calculation::answers_false, TextTest::reads, true, true, 1, 1},
        {Calculation::answers_false, TextTest::answers_ref, false, true, 1, 0},
        {Calculation::answers_false, TextTest::refuses, false, true, 1, 0},
        {Calculation::refuses, TextTest::reads, false, false, 1, 1},
        {Calculation::refuses, TextTest::answers_ref, false, true, 1, 0},
    };
    make(2);
    serve(1);
    serve(2);
    load(1);
    load(2);
    open(1);
    open(2);
    const int ours = 2;
    ASSERT_EQ(instance(ours).references_held(), 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.calculation)) + "/" + std::to_string(static_cast<int>(c.text_test)) +
                     (c.text_first ? " text" : " number"));
        instance(ours).answer_coercion_probes(xlhost::CoercionProbes{c.calculation, c.text_test});
        sheet(ours, c.text_first ? "Prazo,21\n0.185,63\n" : "0.18,21\n0.185,63\n");
        instance(ours).clear_calls();
        const Value first = c.text_first ? Value::str("Prazo") : Value::num(0.18);
        EXPECT_EQ(instance(ours).read("A1:B2"), Value::array(2, 2, {first, Value::num(21), Value::num(0.185), Value::num(63)}));
        EXPECT_EQ(instance(ours).calls_of(xlcCalculateNow), 1);
        EXPECT_EQ(instance(ours).calls_of(xlfIstext), c.istext_calls);
        EXPECT_EQ(instance(ours).calls_of(xlfOr), c.or_calls);
        bool ranged = false;
        for (const xlhost::AutomationCall& call : instance(ours).automation_calls()) ranged = ranged || call.member == "Range";
        EXPECT_EQ(ranged, c.through_the_bridge);
        EXPECT_TRUE(instance(ours).message_boxes().empty());
        EXPECT_EQ(instance(ours).references_held(), 2);
    }
}

// Automation failing where a real Excel's may: the Workbooks of the found Application (the
// two are kept together or not at all), a workbook or a sheet that is not there, the range
// and its value. Each read then fails with #VALUE! and no box; the chain stops at the failing
// call, everything obtained on the way goes back, and a connection stays as it was.
TEST_F(Read, WorkbooksFailingLeavesTheBridgeUnconnected) {
    make(2, "8.0", true);
    serve(1);
    serve(2);
    load(1);
    load(2);
    sheet(2, curve);
    instance(2).fail_automation("Application", "Workbooks", static_cast<int32_t>(0x80020009u));  // DISP_E_EXCEPTION
    open(1);
    open(2);
    EXPECT_EQ(instance(2).references_held(), 0) << "the Application went back with its Workbooks";
    EXPECT_TRUE(instance(2).probe_registered());
    EXPECT_EQ(ledger().helpers_alive, 0);
    instance(2).clear_calls();
    EXPECT_EQ(instance(2).read("A1:B4"), Value::err(xlerrValue));
    EXPECT_TRUE(instance(2).message_boxes().empty()) << "ours was found: the user is not asked to close the others";
    EXPECT_TRUE(instance(2).automation_calls().empty());
}

TEST_F(Read, AFailingCallOfTheReadEndsItThere) {
    const std::vector<std::pair<std::string, std::string>> failing = {
        {"Workbooks", "Item"}, {"Workbook", "Worksheets"}, {"Worksheets", "Item"}, {"Worksheet", "Range"}, {"Range", "Value"}};
    make(2, "8.0", true);
    serve(1);
    serve(2);
    load(1);
    load(2);
    sheet(2, curve);
    open(1);
    open(2);
    ASSERT_EQ(instance(2).references_held(), 2);
    for (const auto& [object, member] : failing) {
        instance(2).fail_automation(object, member, static_cast<int32_t>(0x80020009u));
        instance(2).clear_calls();
        EXPECT_EQ(instance(2).read("A1:B4"), Value::err(xlerrValue)) << object << "." << member;
        const std::vector<xlhost::AutomationCall> calls = instance(2).automation_calls();
        ASSERT_FALSE(calls.empty()) << member;
        EXPECT_EQ(calls.back().object + "." + calls.back().member, object + "." + member);
        EXPECT_TRUE(calls.back().invoke);
        EXPECT_EQ(calls.back().status, static_cast<int32_t>(0x80020009u));
        EXPECT_EQ(instance(2).references_held(), 2) << "only the connection is held after " << member;
        const AutomationLedger counted = ledger();
        EXPECT_EQ(counted.strings_alive, 0) << member;
        EXPECT_EQ(counted.safe_arrays_alive, 0) << member;
        EXPECT_TRUE(instance(2).message_boxes().empty());
        EXPECT_EQ(instance(2).outstanding_values(), 0);
        instance(2).fail_automation(object, member, 0);
    }
    EXPECT_EQ(instance(2).read("A1:B4"), curve_value()) << "mended, the bridge reads again";
}

TEST_F(Read, AnUndisturbedExcelReadsThroughXlCoerce) {
    make(1);
    serve(1);
    load(1);
    sheet(1, curve);
    open(1);
    instance(1).clear_calls();
    EXPECT_EQ(instance(1).read("A1:B4"), curve_value());
    EXPECT_EQ(instance(1).calls_of(xlcCalculateNow), 1);
    EXPECT_EQ(instance(1).calls_of(xlfIstext), 0) << "CALCULATE.NOW answered TRUE: no range probe";
    EXPECT_EQ(instance(1).probes_evaluated(), 1) << "only the search's probe";
}

}  // namespace
}  // namespace bridge_test
