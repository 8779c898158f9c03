// The add-in's menu and commands, driven through xlhost as a user drives them: the menu bar of
// an English or a Portuguese Excel, picks of its items. Every scenario ends with nothing of the
// host's left waiting for xlFree, no global memory block left, no registry key left open, no
// fault, and no launched program still running.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/control/platform_control.h"
#include "xlhost/host.h"

namespace menu_test {

constexpr const char* settings_key = "Software\\Varentis";
constexpr int xlfGetBar = 182;
constexpr int xlfAddMenuIntl = 152 | 0x2000;
constexpr int xlfCheckCommand = 155;
constexpr int xlfDeleteMenu = 158;
constexpr int xlFree = 0x4000;

inline std::string cp(const std::string& utf8_text) { return xlhost::cp1252(utf8_text); }

// The settings an installation writes: a non-empty PATH, the version and the language.
inline void install(const std::string& idioma, const std::string& versao = "1.0") {
    plat_control::registry_set_text(settings_key, "PATH", "C:\\Arquivos de programas\\Varentis");
    plat_control::registry_set_text(settings_key, "VERSAO", versao);
    plat_control::registry_set_text(settings_key, "IDIOMA", idioma);
}

inline std::string stored_idioma() {
    const auto value = plat_control::registry_get(settings_key, "IDIOMA");
    if (!value) return "<none>";
    return std::string(value->bytes.begin(), value->bytes.end());
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::registry_clear();
        plat_control::debug_lines_clear();
        plat_control::spawns_clear();
    }
    void TearDown() override {
        if (host_) {
            EXPECT_EQ(host_->outstanding_values(), 0);
            if (host_->loaded()) host_->unload();
            for (const std::string& fault : host_->faults()) ADD_FAILURE() << "host fault: " << fault;
        }
        EXPECT_EQ(plat_control::global_blocks_outstanding(), 0);
        EXPECT_EQ(plat_control::registry_open_handles(), 0);
        reap();
    }

    // An Excel of that language ("en" or "pt"), started afresh.
    xlhost::Host& start(const std::string& excel_language = "en") {
        if (host_ && host_->loaded()) host_->unload();
        xlhost::Options options;
        options.excel_language = excel_language;
        host_.reset();
        host_ = std::make_unique<xlhost::Host>(options);
        return *host_;
    }
    xlhost::Host& host() { return host_ ? *host_ : start(); }

    void load_and_open() {
        std::string error;
        ASSERT_TRUE(host().load(xlhost::default_addin_path(), &error)) << error;
        ASSERT_EQ(host().auto_open(), 1);
    }
    // Excel quits and starts again (same language), and opens the add-in: a fresh load.
    void restart(const std::string& excel_language = "en") {
        if (host_ && host_->loaded()) {
            host_->auto_close();
            host_->unload();
            for (const std::string& fault : host_->faults()) ADD_FAILURE() << "host fault: " << fault;
        }
        start(excel_language);
        load_and_open();
    }

    xlhost::PickResult pick(const std::vector<std::string>& path) {
        host().clear_alerts();
        std::vector<std::string> names;
        for (const auto& name : path) names.push_back(cp(name));
        return host().pick(names);
    }

    const xlhost::MenuItem* varentis() {
        for (const auto& menu : host().menu_bar().menus)
            if (menu.name == "&Varentis") return &menu;
        return nullptr;
    }
    int count_of(const std::string& name) {
        int count = 0;
        for (const auto& menu : host().menu_bar().menus) count += menu.name == name;
        return count;
    }
    std::vector<xlhost::CallRecord> calls_of(int function) const {
        std::vector<xlhost::CallRecord> found;
        for (const auto& call : host_->calls())
            if (call.function == function) found.push_back(call);
        return found;
    }

    // Waits for every program the add-in started, so that none outlives the test.
    static void reap() { plat_control::spawns_reap(); }

    std::unique_ptr<xlhost::Host> host_;
};

}  // namespace menu_test
