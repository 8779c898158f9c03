// The automation bridge finding its own Excel among several, as xlAutoOpen starts it.
#include "instances_fixture.h"

namespace bridge_test {
namespace {

TEST_F(Instances, AnotherVersionRegistersTheProbeButNeverStartsOle) {
    make(1, "16.0");
    serve(1);
    load(1);
    open(1);
    EXPECT_TRUE(instance(1).probe_registered());
    EXPECT_EQ(ledger().ole_initializations, 0);
    EXPECT_EQ(instance(1).references_held(), 0);
    EXPECT_EQ(instance(1).calls_of(xlcNew), 0) << "no search";
    instance(1).clear_calls();
    ASSERT_EQ(instance(1).close(), 1);
    EXPECT_FALSE(instance(1).probe_registered()) << "unregistered at stop";
    EXPECT_EQ(instance(1).calls_of(xlfUnregister), 1);
}

TEST_F(Instances, AVersionTextOverSixCharactersIsCutAndIsNot80) {
    make(1, "8.0 SR-2");  // read as "8.0 SR"
    serve(1);
    load(1);
    open(1);
    EXPECT_TRUE(instance(1).probe_registered());
    EXPECT_EQ(ledger().ole_initializations, 0);
    EXPECT_EQ(instance(1).probes_evaluated(), 0);
}

TEST_F(Instances, OneInstanceIsFoundByItsFirstProbeWithoutTheTable) {
    make(1);
    serve(1);
    load(1);
    open(1);
    EXPECT_EQ(instance(1).probes_evaluated(), 1);
    const AutomationLedger counted = ledger();
    EXPECT_EQ(counted.running_table_enumerations, 0);
    EXPECT_EQ(counted.ole_initializations, 1);
    EXPECT_EQ(counted.helpers_alive, 0);
    // Connected: the Application and its Workbooks held, nothing else.
    EXPECT_EQ(instance(1).references_held(), 2);
    // The search's document came and went, screen updating is back on.
    EXPECT_EQ(instance(1).workbooks_open(), 1);
    EXPECT_EQ(instance(1).calls_of(xlcNew), 1);
    EXPECT_EQ(instance(1).calls_of(xlcClose), 1);
    EXPECT_EQ(instance(1).calls_of(xlcEcho), 2);
}

TEST_F(Instances, NoActiveObjectEndsTheSearchAtOnce) {
    make(1);
    load(1);
    open(1);
    EXPECT_EQ(instance(1).probes_evaluated(), 0);
    const AutomationLedger counted = ledger();
    EXPECT_EQ(counted.running_table_enumerations, 0);
    EXPECT_EQ(counted.ole_initializations, 1) << "OLE stays initialised until the stop";
    EXPECT_EQ(counted.ole_uninitializations, 0);
    EXPECT_TRUE(instance(1).probe_registered());
}

TEST_F(Instances, OursAfterTwoOthersIsFoundEachProbeInItsOwnInstance) {
    make(3);
    for (int i = 1; i <= 3; ++i) serve(i);
    for (int i = 1; i <= 3; ++i) load(i);
    open(3);
    if (own_registration_found_first()) {
        EXPECT_EQ(probes(), (std::vector<int>{0, 0, 1}));
        EXPECT_EQ(ledger().running_table_enumerations, 0);
    } else {
        // The active object (instance 1), then the table: each instance's own entry; the
        // entries of the active object do not bind on their own.
        EXPECT_EQ(probes(), (std::vector<int>{2, 1, 1}));
        EXPECT_EQ(ledger().running_table_enumerations, 1);
    }
    EXPECT_EQ(instance(3).references_held(), 2);
    EXPECT_EQ(held_after_quitting(1), 0);
    EXPECT_EQ(held_after_quitting(2), 0);
    // Probes that landed elsewhere ran there, in the other copies, and their answers were not
    // the add-in's concern: nothing outstanding anywhere.
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(instance(i).outstanding_values(), 0);
}

TEST_F(Instances, EveryInstanceFindsItself) {
    make(3);
    for (int i = 1; i <= 3; ++i) serve(i);
    for (int i = 1; i <= 3; ++i) load(i);
    for (int i = 1; i <= 3; ++i) open(i);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(instance(i).references_held(), 2) << i;
}

TEST_F(Instances, ASecondStartReleasesTheFirstConnection) {
    make(2);
    serve(1);
    serve(2);
    load(1);
    load(2);
    open(2);
    ASSERT_EQ(instance(2).references_held(), 2);
    open(2);  // xlAutoOpen again: the bridge stops, then searches anew
    EXPECT_EQ(instance(2).references_held(), 2);
    const AutomationLedger counted = ledger();
    EXPECT_EQ(counted.ole_initializations, 2);
    EXPECT_EQ(counted.ole_uninitializations, 1);
}

TEST_F(Instances, OursUnservedIsNeverFoundAndHoldsNothing) {
    make(2);
    serve(1);
    load(1);
    load(2);
    open(2);
    // The active object and the one entry of instance 1 that binds: both probes ran there.
    EXPECT_EQ(probes(), (std::vector<int>{2, 0}));
    EXPECT_EQ(held_after_quitting(1), 0);
    EXPECT_EQ(ledger().helpers_alive, 0);
}

}  // namespace
}  // namespace bridge_test
