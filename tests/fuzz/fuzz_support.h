// What every fuzz target shares: how a broken invariant is reported (the fuzzer keeps the input
// that broke it), the add-in loaded into one host for the whole run, and the inputs set aside
// for faults that are known and mended elsewhere.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/control/platform_control.h"
#include "xlhost/host.h"

namespace fuzz {

[[noreturn]] inline void violation(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

// Everything the host noticed: a fault of the add-in, or a value it never gave back.
inline void check_host(xlhost::Host& host, const std::string& during) {
    if (!host.faults().empty()) violation(during + ": host fault: " + host.faults().front());
    if (host.outstanding_values() != 0)
        violation(during + ": " + std::to_string(host.outstanding_values()) + " values still wait for xlFree");
}

// The add-in, installed in the language of VX_FUZZ_LANG ("pt" or English), loaded and opened
// once: libFuzzer counts the coverage of a library mapped for the whole run.
inline xlhost::Host& host_with_the_addin() {
    static std::unique_ptr<xlhost::Host> host = [] {
        const char* lang = std::getenv("VX_FUZZ_LANG");
        plat_control::registry_set_text("Software\\Varentis", "PATH", "C:\\Varentis");
        plat_control::registry_set_text("Software\\Varentis", "IDIOMA", lang && std::string(lang) == "pt" ? "1" : "2");
        auto loaded = std::make_unique<xlhost::Host>();
        std::string error;
        if (!loaded->load(xlhost::default_addin_path(), &error)) violation("the add-in did not load: " + error);
        if (loaded->auto_open() != 1) violation("xlAutoOpen did not answer 1");
        check_host(*loaded, "xlAutoOpen");
        loaded->clear_calls();
        return loaded;
    }();
    return *host;
}

}  // namespace fuzz
