// Open, close and open again in one process, and a fresh load: each open repeats its steps, and
// nothing Excel handed out is left behind.
#include <algorithm>

#include "addin_fixture.h"
#include "expected_catalogue.h"

namespace addin_test {
namespace {

TEST_F(AddinTest, ReopenRepeatsEveryRegistrationOnce) {
    install("2");
    load_and_open();
    const auto first = catalogue_registers();
    ASSERT_EQ(first.size(), expected_registrations());
    const size_t registered = host.registrations().size();
    ASSERT_EQ(host.auto_close(), 1);

    host.clear_calls();
    ASSERT_EQ(host.auto_open(), 1);
    const auto second = catalogue_registers();
    ASSERT_EQ(second.size(), expected_registrations());
    for (size_t i = 0; i < second.size(); ++i) EXPECT_EQ(second[i].arguments, first[i].arguments);
    // Registering a procedure again updates it rather than adding a second one, and the names
    // deleted at close are defined again.
    EXPECT_EQ(host.registrations().size(), registered);
    for (const auto& registration : host.registrations()) {
        if (registration.procedure != "CheckInstance") {
            EXPECT_TRUE(registration.name_defined) << registration.procedure;
        }
    }
    ASSERT_EQ(host.auto_close(), 1);
}

TEST_F(AddinTest, OpenAsksForTheWindowAndTheModuleNameAndGivesTheNameBack) {
    install("2");
    load_and_open();
    const auto& calls = host.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].function, 0x4008);  // xlGetHwnd, before anything else
    // The automation bridge starts next (its own calls, each value given back at once); then
    // the catalogue's xlGetName comes right before the first registration.
    size_t first_row = 0;
    while (first_row < calls.size() &&
           !(calls[first_row].function == xlfRegister && calls[first_row].arguments.size() == 20))
        ++first_row;
    ASSERT_LT(first_row, calls.size());
    ASSERT_GE(first_row, 2u);
    EXPECT_EQ(calls[first_row - 1].function, 0x4009);
    EXPECT_EQ(unquoted(calls[first_row - 1].result), host.addin_path());
    // The name goes back once, after the registrations and the menu, and then the answer of
    // the last menu lookup (the host counts what is outstanding).
    size_t frees_after = 0;
    for (size_t i = first_row; i < calls.size(); ++i) frees_after += calls[i].function == xlFree;
    EXPECT_EQ(frees_after, 2u);
    EXPECT_EQ(calls[calls.size() - 2].function, xlFree);
    EXPECT_EQ(calls.back().function, xlFree);
    EXPECT_EQ(host.outstanding_values(), 0);
}

TEST_F(AddinTest, CloseDeletesEveryNameBeforeItTouchesTheMenu) {
    constexpr int xlfGetBar = 182, xlfDeleteMenu = 158;
    install("1");
    load_and_open();
    host.clear_calls();
    ASSERT_EQ(host.auto_close(), 1);
    const auto& calls = host.calls();
    size_t last_name = 0, first_menu = calls.size(), names = 0;
    bool deleted_menu = false;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].function == xlfSetName) {
            last_name = i;
            ++names;
        }
        if (calls[i].function == xlfGetBar || calls[i].function == xlfDeleteMenu) first_menu = std::min(first_menu, i);
        deleted_menu = deleted_menu || calls[i].function == xlfDeleteMenu;
    }
    EXPECT_EQ(names, expected_registrations());
    EXPECT_TRUE(deleted_menu);
    EXPECT_LT(last_name, first_menu);
}

TEST_F(AddinTest, EntriesInAnyOrderAnswerOneAndLeaveNothingBehind) {
    // No settings at all, and close, remove and add before any open.
    load();
    EXPECT_EQ(host.auto_close(), 1);
    EXPECT_EQ(host.auto_remove(), 1);
    EXPECT_EQ(host.auto_add(), 1);
    EXPECT_EQ(host.auto_open(), 1);
    EXPECT_EQ(host.auto_open(), 1);
    EXPECT_EQ(host.auto_close(), 1);
}

}  // namespace
}  // namespace addin_test
