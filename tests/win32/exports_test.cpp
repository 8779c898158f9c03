// The real add-in (varentis.xll, or varentis64.xll) as Excel sees it from outside: a DLL of the
// Excel it is for, its export table against the catalogue it registers, the DLLs it needs, and
// the catalogue's texts as cp1252 bytes.
#include <algorithm>
#include <set>

#include "addin/addin_fixture.h"
#include "addin/expected_catalogue.h"
#include "platform/win32/win32.h"
#include "win32/pe_image.h"

namespace addin_test {
namespace {

const std::set<std::string> xlauto_entries = {"xlAutoOpen",   "xlAutoClose",        "xlAutoRegister", "xlAutoAdd",
                                              "xlAutoRemove", "xlAddInManagerInfo", "xlAutoFree"};
// Exports of the add-in that no catalogue row registers.
const std::set<std::string> other_entries = {"CheckInstance", "_carrega_instalador", "le_intervalo"};

class RealAddin : public AddinTest {
protected:
    void SetUp() override {
        AddinTest::SetUp();
        install("1");
        load_and_open();
        std::string error;
        ASSERT_TRUE(win32_test::read_pe_tables(host.addin_path(), &tables, &error)) << error;
        for (const auto& call : catalogue_registers()) {
            ASSERT_GE(call.arguments.size(), 2u);
            (call.arguments.size() == 20 ? function_procedures : command_procedures).insert(call.arguments[1]);
        }
    }
    bool exported(const std::string& name) const {
        return std::find(tables.exports.begin(), tables.exports.end(), name) != tables.exports.end();
    }
    win32_test::PeTables tables;
    std::set<std::string> function_procedures, command_procedures;
};

// A 32-bit Excel loads only a 32-bit PE DLL, a 64-bit Excel only a PE32+ one for x86-64.
TEST_F(RealAddin, IsADllForTheExcelOfItsArchitecture) {
    const bool windows64 = sizeof(void*) == 8;
    EXPECT_TRUE(tables.dll);
    EXPECT_EQ(tables.plus, windows64);
    EXPECT_EQ(tables.machine, windows64 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
    const std::string file = host.addin_path().substr(host.addin_path().find_last_of("\\/") + 1);
    EXPECT_EQ(file, windows64 ? "varentis64.xll" : "varentis.xll");
}

TEST_F(RealAddin, EveryFunctionOfTheCatalogueAndEveryEntryIsExportedByItsPlainName) {
    EXPECT_EQ(function_procedures.size(), expected_function_rows().size());
    for (const std::string& procedure : function_procedures) EXPECT_TRUE(exported(procedure)) << procedure;
    for (const std::string& entry : xlauto_entries) EXPECT_TRUE(exported(entry)) << entry;
}

TEST_F(RealAddin, EveryExportIsInTheCatalogueOrAnEntry) {
    for (const std::string& name : tables.exports) {
        EXPECT_EQ(name.find_first_of("@?"), std::string::npos) << "decorated: " << name;
        EXPECT_TRUE(function_procedures.count(name) || command_procedures.count(name) || xlauto_entries.count(name) ||
                    other_entries.count(name))
            << "exported but not in the catalogue: " << name;
    }
}

TEST_F(RealAddin, ImportsOnlySystemLibrariesAndExcelsCallLibrary) {
    for (const auto& [library, names] : tables.imports) {
        std::string lower = library;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        // The runtime is linked in: no libstdc++, libgcc or winpthread DLL.
        EXPECT_NE(lower.rfind("lib", 0), 0u) << library;
        if (lower == "xlcall32.dll") {
            std::set<std::string> imported(names.begin(), names.end());
            EXPECT_EQ(imported, (std::set<std::string>{"Excel4", "Excel4v"}));
        }
    }
    EXPECT_TRUE(tables.imports.count("XLCALL32.DLL"));
}

TEST_F(RealAddin, CatalogueTextsReachExcelAsCp1252Bytes) {
    int accented = 0;
    for (const auto& call : catalogue_registers()) {
        for (const std::string& text : call.arguments) {
            for (size_t i = 0; i < text.size(); ++i) {
                const auto byte = static_cast<unsigned char>(text[i]);
                if (byte < 0x80) continue;
                ++accented;
                // A UTF-8 lead byte followed by a continuation byte: a source text that was
                // not converted.
                const bool utf8_pair = (byte == 0xC2 || byte == 0xC3) && i + 1 < text.size() &&
                                       (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
                EXPECT_FALSE(utf8_pair) << text;
            }
        }
    }
    EXPECT_GT(accented, 0);  // the Portuguese catalogue has accents
    const auto calls = catalogue_registers();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].arguments[4], cp("Dias Úteis, Curva de Juros, Anos Flat"));
}

}  // namespace
}  // namespace addin_test
