// The add-in loaded by xlhost, as Excel loads it. Every scenario ends with no value of the host
// left waiting for xlFree and no fault found in the add-in's behaviour.
#pragma once

#include <algorithm>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/control/platform_control.h"
#include "xlhost/host.h"

namespace addin_test {

constexpr const char* settings_key = "Software\\Varentis";
constexpr int xlfRegister = 149;
constexpr int xlfSetName = 88;
constexpr int xlcAlert = 32886;
constexpr int xlFree = 0x4000;

inline std::string cp(const std::string& utf8_text) { return xlhost::cp1252(utf8_text); }

// The settings an installation writes: a non-empty PATH and the language.
inline void install(const std::string& idioma) {
    plat_control::registry_set_text(settings_key, "PATH", "C:\\Arquivos de programas\\Varentis");
    plat_control::registry_set_text(settings_key, "VERSAO", "1.0");
    plat_control::registry_set_text(settings_key, "IDIOMA", idioma);
}

// The host records a text argument in double quotes and an integer with the suffix "i"; the
// tests compare texts without the quotes (an integer stays told apart by its suffix).
inline std::string unquoted(const std::string& decoded) {
    if (decoded.size() >= 2 && decoded.front() == '"' && decoded.back() == '"')
        return decoded.substr(1, decoded.size() - 2);
    return decoded;
}

inline xlhost::Value integer(int n) {
    xlhost::Value value;
    value.kind = xlhost::Value::Kind::integer;
    value.number = n;
    return value;
}

inline xlhost::Value missing() {
    xlhost::Value value;
    value.kind = xlhost::Value::Kind::missing;
    return value;
}

class AddinTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::registry_clear();
        plat_control::debug_lines_clear();
    }
    void TearDown() override {
        EXPECT_EQ(host.outstanding_values(), 0);
        if (host.loaded()) host.unload();
        EXPECT_EQ(host.outstanding_values(), 0);
        for (const std::string& fault : host.faults()) ADD_FAILURE() << "host fault: " << fault;
        EXPECT_EQ(plat_control::registry_open_handles(), 0);
    }

    void load() {
        std::string error;
        ASSERT_TRUE(host.load(xlhost::default_addin_path(), &error)) << error;
    }
    void load_and_open() {
        load();
        ASSERT_EQ(host.auto_open(), 1);
    }

    // The calls of one function number, in order, with their texts unquoted.
    std::vector<xlhost::CallRecord> calls_of(int function) const {
        std::vector<xlhost::CallRecord> found;
        for (xlhost::CallRecord call : host.calls()) {
            if (call.function != function) continue;
            for (std::string& argument : call.arguments) argument = unquoted(argument);
            call.result = unquoted(call.result);
            found.push_back(call);
        }
        return found;
    }
    // The REGISTER calls of the catalogue's rows, in order: every REGISTER but the automation
    // bridge's registration of its probe CheckInstance, which comes before them.
    std::vector<xlhost::CallRecord> catalogue_registers() const {
        std::vector<xlhost::CallRecord> found = calls_of(xlfRegister);
        found.erase(std::remove_if(found.begin(), found.end(),
                                   [](const xlhost::CallRecord& call) {
                                       return call.arguments.size() > 1 && call.arguments[1] == "CheckInstance";
                                   }),
                    found.end());
        return found;
    }

    xlhost::Host host;
};

}  // namespace addin_test
