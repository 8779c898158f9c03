// What passes between a program and an instance in a process of its own: every value comes
// back as it was sent, and a reply that is not well formed is refused rather than half read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instances/wire.h"

namespace bridge_test {
namespace {

using xlhost::Value;
using xlhost::instances::wire::Reader;
using xlhost::instances::wire::Writer;

Value round_trip(const Value& value) {
    Reader reader(Writer().value(value).line());
    Value back = Value::err(-1);
    EXPECT_TRUE(reader.value(&back));
    EXPECT_TRUE(reader.at_end());
    return back;
}

TEST(Wire, EveryValueComesBackAsSent) {
    const std::string awkward = std::string("a b\tc\nd%e\\f:g\r") + '\0' + "\xE7\xE3o \xFF";
    const std::vector<Value> values = {
        Value::nil(),
        Value::missing_value(),
        Value::num(0.1),
        Value::num(-1.7976931348623157e308),
        Value::num(5e-324),
        Value::integer_value(-32768),
        Value::str(""),
        Value::str(awkward),
        Value::boolean_value(true),
        Value::boolean_value(false),
        Value::err(42),
        Value::array(2, 3, {Value::str("Prazo"), Value::num(21), Value::boolean_value(true), Value::err(29),
                            Value::nil(), Value::str(" ")}),
    };
    for (const Value& value : values) EXPECT_EQ(round_trip(value), value) << xlhost::display(value);
}

TEST(Wire, TextsTravelAsOneWordOfPrintableBytes) {
    const std::string line = Writer().word("read").text("A1 B2\n").line();
    EXPECT_EQ(line, "read :A1%20B2%0A");
    Reader reader(line);
    std::string verb, text;
    ASSERT_TRUE(reader.word(&verb));
    ASSERT_TRUE(reader.text(&text));
    EXPECT_EQ(text, "A1 B2\n");
}

TEST(Wire, MalformedRepliesAreRefused) {
    const std::vector<std::string> malformed = {
        "",              // nothing
        "t A1",          // a text without its colon
        "t :a%4",        // an escape cut short
        "t :a%G0",       // not hexadecimal
        "n 1.5x",        // trailing bytes after a number
        "n",             // a number missing
        "b 2",           // neither true nor false
        "e 99999999999", // beyond an int
        "a 2 2 n 1 n 2 n 3",                 // an item missing
        "a 100000 100000 n 1",               // a count no reply could hold
        "a 0 1",                             // an empty array
        "a 1 1 a 1 1 a 1 1 n 1",             // nested deeper than a cell holds
        "z 1",                               // no such kind
        // Values no cell or record holds: taken, they would fail half way inside Excel's calls.
        "e -1", "e 99", "e 1",               // error codes Excel does not have
        "n nan", "n inf", "n -inf", "n 1e999", "n 0x1p3", "n 1e", // not a finite decimal number
        "i 32768", "i -32769",               // beyond a 16-bit integer
        "a 65536 1 n 1",                     // more rows than an array record
        "a 1 257 n 1",                       // more columns than a sheet
        "r :x 1 1 65536 0", "r :x 1 257 0 0", "r :x 0 1 0 0",  // outside the sheet, or empty
    };
    for (const std::string& line : malformed) {
        Reader reader(line);
        Value value;
        EXPECT_FALSE(reader.value(&value)) << line;
    }
    // A text as long as a cell holds, and not one character more.
    Value text;
    EXPECT_TRUE(Reader(Writer().value(Value::str(std::string(32767, 'x'))).line()).value(&text));
    EXPECT_FALSE(Reader(Writer().value(Value::str(std::string(32768, 'x'))).line()).value(&text));
    // The last record and sheet bounds themselves are values.
    for (const char* line : {"i -32768", "n -0", "n 2.2250738585072014e-308", "r :x 1 1 65535 255"}) {
        Value edge;
        EXPECT_TRUE(Reader(line).value(&edge)) << line;
    }
}

TEST(Wire, TheLedgerAndTheBoxesComeBackWhole) {
    xlhost::instances::AutomationLedger ledger;
    ledger.ole_initializations = 2;
    ledger.ole_uninitializations = 1;
    ledger.running_table_enumerations = 3;
    ledger.helpers_alive = -1;
    ledger.strings_alive = 4;
    ledger.safe_arrays_alive = 5;
    std::vector<xlhost::ShownMessageBox> boxes = {{"Error", "Unable to complete\nPlease close", 0x10}, {"", "", 0}};
    Reader reader(Writer().ledger(ledger).boxes(boxes).line());
    xlhost::instances::AutomationLedger ledger_back;
    std::vector<xlhost::ShownMessageBox> boxes_back;
    ASSERT_TRUE(reader.ledger(&ledger_back));
    ASSERT_TRUE(reader.boxes(&boxes_back));
    EXPECT_EQ(ledger_back, ledger);
    ASSERT_EQ(boxes_back.size(), 2u);
    EXPECT_EQ(boxes_back[0].text, boxes[0].text);
    EXPECT_EQ(boxes_back[0].style, 0x10u);
    // A box count beyond what the reply holds.
    Reader short_reply("3 :Error :text 0");
    EXPECT_FALSE(short_reply.boxes(&boxes_back));
}

}  // namespace
}  // namespace bridge_test
