// Loading the add-in as Excel does: a fresh process attach every time, Excel's window among
// others, the name and the entries of the add-in.
#include <fstream>

#include "host_fixture.h"
#include "support/scratch_folder.h"
#include "os/os.h"
#include "xll/xlcall.h"
#include "platform/platform.h"

namespace {

using xlhost::Value;

TEST(Lifecycle, EveryLoadAttachesAfresh) {
    plat_control::reset();
    xlhost::Host host;
    for (const char* greeting : {"first", "second"}) {
        plat_control::registry_set_text("Software\\XlhostTest", "Greeting", greeting);
        ASSERT_TRUE(host.load(XLHOST_TEST_ADDIN));
        host.auto_open();
        EXPECT_EQ(host.eval("=T.GREETING()"), Value::str(greeting));
        host.auto_close();
        host.unload();
    }
    EXPECT_TRUE(host.faults().empty());
}

TEST(Lifecycle, ALibraryStillMappedIsLoadedFromAFreshCopy) {
    plat_control::reset();
    auto pinned = xlhost::os::load_module(XLHOST_TEST_ADDIN, nullptr);  // someone else keeps it mapped
    ASSERT_NE(pinned, nullptr);
    plat_control::registry_set_text("Software\\XlhostTest", "Greeting", "fresh");
    xlhost::Host host;
    ASSERT_TRUE(host.load(XLHOST_TEST_ADDIN));
    host.auto_open();
    EXPECT_EQ(host.eval("=T.GREETING()"), Value::str("fresh"));
    EXPECT_EQ(host.addin_path(), XLHOST_TEST_ADDIN);  // the name stays the add-in's own
    EXPECT_EQ(host.eval("=T.NAME()"), Value::str(XLHOST_TEST_ADDIN));
    host.unload();
    pinned.reset();
    EXPECT_TRUE(host.faults().empty());
}

TEST(Lifecycle, ExcelsWindowIsFoundOnlyByClassAndHandle) {
    plat_control::reset();
    xlhost::Host host;
    struct Seen {
        int excels = 0;
        std::uintptr_t main = 0;
        bool found = false;
    } seen{0, host.main_window(), false};
    plat::enum_top_windows([](plat::Window window, void* context) {
        auto* s = static_cast<Seen*>(context);
        char name[50];
        plat::window_class_name(window, name, sizeof name);
        if (std::string(name) == "XLMAIN") ++s->excels;
        if (reinterpret_cast<std::uintptr_t>(window) == s->main) s->found = true;
        return true;
    }, &seen);
    EXPECT_EQ(seen.excels, 2);
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(plat::active_window()), host.main_window());
    ASSERT_TRUE(host.load(XLHOST_TEST_ADDIN));
    host.auto_open();
    EXPECT_EQ(host.eval("=T.HWND()"), Value::num(static_cast<double>(host.main_window() & 0xFFFF)));
    host.unload();
}

TEST(Lifecycle, LoadFailuresSayWhy) {
    plat_control::reset();
    xlhost::Host host;
    std::string error;
    EXPECT_FALSE(host.load("/nonexistent/addin.so", &error));
    EXPECT_EQ(error, "no add-in file at /nonexistent/addin.so");
    vx_test::ScratchFolder scratch;
    ASSERT_TRUE(scratch.ready());
    const std::string junk = scratch.file("junk.so");
    std::ofstream(junk) << "not a library";
    EXPECT_FALSE(host.load(junk, &error));
    EXPECT_NE(error.find("cannot load"), std::string::npos);
    EXPECT_FALSE(host.loaded());
}

TEST(Lifecycle, OneHostAtATimeHasAnAddIn) {
    plat_control::reset();
    xlhost::Host first, second;
    ASSERT_TRUE(first.load(XLHOST_TEST_ADDIN));
    std::string error;
    EXPECT_FALSE(second.load(XLHOST_TEST_ADDIN, &error));
    EXPECT_EQ(error, "another host has an add-in loaded");
    first.unload();
    EXPECT_TRUE(second.load(XLHOST_TEST_ADDIN));
}

class Entries : public LoadedHost {};

TEST_F(Entries, TheModuleNameIsTheFullPath) {
    const std::string& path = host->addin_path();
    // Absolute: /... on Linux, a drive and a backslash (Z:\...) on Windows.
    EXPECT_TRUE(path.front() == '/' || (path.size() > 2 && path[1] == ':' && path[2] == '\\')) << path;
    const auto& open = host->calls().front();
    EXPECT_EQ(open.function, xlGetName);
    EXPECT_EQ(open.result, "\"" + host->addin_path() + "\"");
}

TEST_F(Entries, AddShowsItsAlert) {
    EXPECT_EQ(host->auto_add(), 1);
    ASSERT_EQ(host->alerts().size(), 1u);
    EXPECT_EQ(host->alerts()[0].text, "added");
    EXPECT_EQ(host->alerts()[0].type, 2);
}

TEST_F(Entries, TheCallLogDecodesArguments) {
    host->clear_calls();
    host->auto_add();
    ASSERT_EQ(host->calls().size(), 1u);
    const xlhost::CallRecord& alert = host->calls()[0];
    EXPECT_EQ(alert.function, xlcAlert);
    EXPECT_EQ(alert.arguments, (std::vector<std::string>{"\"added\"", "2i"}));
    EXPECT_EQ(alert.code, 0);
}

}  // namespace
