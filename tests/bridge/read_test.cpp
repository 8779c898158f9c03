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
