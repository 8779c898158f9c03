// The accounting of values Excel hands to the add-in: leaks, double frees and frees of what
// Excel owns are faults; giving a value back through its result (xlbitXLFree) or receiving
// one the add-in allocated (xlbitDLLFree) balances.
#include "capi/memory.h"
#include "host_fixture.h"

namespace {

using xlhost::Value;
using xlhost::capi::FreeOutcome;
using xlhost::capi::Memory;
using xlhost::capi::Owner;

TEST(MemoryAccounting, ReleaseClearsThePointerAndCatchesEveryMisuse) {
    Memory memory;
    XLOPER text;
    text.xltype = xltypeStr;
    text.val.str = memory.new_text("abc", Owner::addin);
    EXPECT_EQ(text.val.str[0], 3);
    EXPECT_EQ(memory.outstanding(), 1);
    XLOPER copy = text;
    EXPECT_EQ(memory.release(&text), FreeOutcome::released);
    EXPECT_EQ(text.val.str, nullptr);
    EXPECT_EQ(memory.outstanding(), 0);
    EXPECT_EQ(memory.release(&text), FreeOutcome::already_released);
    EXPECT_EQ(memory.release(&copy), FreeOutcome::double_free);
    // A new value never takes the address of a released one while it is remembered.
    XLOPER later;
    later.xltype = xltypeStr;
    later.val.str = memory.new_text("abc", Owner::addin);
    EXPECT_NE(later.val.str, copy.val.str);
    EXPECT_EQ(memory.release(&later), FreeOutcome::released);

    char own[4] = {3, 'x', 'y', 'z'};
    XLOPER foreign;
    foreign.xltype = xltypeStr;
    foreign.val.str = own;
    EXPECT_EQ(memory.release(&foreign), FreeOutcome::not_handed_out);
    XLOPER number;
    number.xltype = xltypeNum;
    EXPECT_EQ(memory.release(&number), FreeOutcome::nothing_to_free);
}

TEST(MemoryAccounting, AnArrayGoesWithItsTextsAndTheTextsAloneCannotBeFreed) {
    Memory memory;
    XLOPER* items = memory.new_array(2, Owner::addin);
    items[0].xltype = xltypeStr;
    items[0].val.str = memory.new_text("a", Owner::addin, items);
    items[1].xltype = xltypeNum;
    XLOPER array;
    array.xltype = xltypeMulti;
    array.val.array.lparray = items;
    EXPECT_EQ(memory.outstanding(), 1);
    EXPECT_EQ(memory.release(&items[0]), FreeOutcome::part_of_value);
    EXPECT_EQ(memory.release(&array), FreeOutcome::released);
    EXPECT_EQ(memory.outstanding(), 0);
}

TEST(MemoryAccounting, CallStorageIsExcelsAndGoesAtTheEndOfItsCall) {
    Memory memory;
    const auto outer = memory.mark();
    XLOPER argument;
    argument.xltype = xltypeStr;
    argument.val.str = memory.new_text("arg", Owner::call);
    const auto inner = memory.mark();
    char* nested = memory.new_text("nested", Owner::call);
    EXPECT_EQ(memory.release(&argument), FreeOutcome::owned_by_excel);
    memory.release_call_storage(inner);
    EXPECT_FALSE(memory.owns(nested));
    EXPECT_TRUE(memory.owns(argument.val.str));
    memory.release_call_storage(outer);
    EXPECT_FALSE(memory.owns(argument.val.str));
    EXPECT_EQ(memory.outstanding(), 0);
}

class Accounting : public LoadedHost {};

TEST_F(Accounting, ALeakIsCountedAndReportedAtUnload) {
    expect_faults = true;
    EXPECT_EQ(shown("=T.LEAK()"), "0");
    EXPECT_EQ(host->outstanding_values(), 1);
    host->unload();
    expect_one_fault("never given back with xlFree");
    EXPECT_EQ(host->outstanding_values(), 0);
}

TEST_F(Accounting, DoubleFreesAreFaults) {
    expect_faults = true;
    eval("=T.FREETWICE()");
    expect_one_fault("already released");
    eval("=T.FREECOPY()");
    expect_one_fault("double free");
    eval("=T.FREEARG(\"x\")");
    expect_one_fault("an argument Excel passed");
}

TEST_F(Accounting, ValuesGivenBackThroughTheResultBalance) {
    EXPECT_EQ(eval("=T.NAME()"), Value::str(host->addin_path()));
    EXPECT_EQ(shown("=T.SHEET()"), "[Book1]Sheet1");
    EXPECT_EQ(host->outstanding_values(), 0);
}

TEST_F(Accounting, AnArrayTheAddInAllocatedGoesBackToXlAutoFreeOnce) {
    const Value before = eval("=T.FREES()");
    eval("=T.ARRAY(3;3)");
    EXPECT_EQ(eval("=T.FREES()").number, before.number + 1);
    eval("=T.ARRAY(0;0)");  // an error result in the static record: nothing to give back
    EXPECT_EQ(eval("=T.FREES()").number, before.number + 1);
}

}  // namespace
