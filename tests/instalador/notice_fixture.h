// The install notice as an installer meets it: the add-in loaded by xlhost (process attach, no
// xlAutoOpen), its export _carrega_instalador called, and a driver that answers the dialog as a
// user would. Natively the dialog is the stand-in's model; under Wine it is read from the real
// windows. Every scenario ends with no dialog left and no fault found.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Instalador/tf_instalador.h"
#include "platform/control/platform_control.h"
#include "platform/control/dialog_control.h"
#include "xlhost/host.h"

namespace instalador_test {

constexpr const char* settings_key = "Software\\Varentis";

inline std::string cp(const std::string& utf8_text) { return xlhost::cp1252(utf8_text); }

#ifdef _WIN32
using Carrega = bool(__stdcall*)();
#else
using Carrega = bool (*)();
#endif

class NoticeTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::registry_clear();
        plat_control::dialogs_reset();
    }
    void TearDown() override {
        EXPECT_EQ(plat_control::forms_alive(), 0);
        if (host.loaded()) host.unload();
        for (const std::string& fault : host.faults()) ADD_FAILURE() << "host fault: " << fault;
        plat_control::dialogs_reset();
        plat_control::registry_clear();
    }

    // The add-in installed in a language ("1" Portuguese, "2" English) and loaded, not opened.
    void instala(const std::string& idioma) {
        plat_control::registry_set_text(settings_key, "PATH", "C:\\Arquivos de programas\\Varentis");
        plat_control::registry_set_text(settings_key, "VERSAO", "1.0");
        plat_control::registry_set_text(settings_key, "IDIOMA", idioma);
        std::string error;
        ASSERT_TRUE(host.load(xlhost::default_addin_path(), &error)) << error;
    }

    // Calls the export with `user` answering the dialog (null: OK at once); its result.
    bool carrega(std::function<void(plat::Form)> user = nullptr) {
        const auto entry = reinterpret_cast<Carrega>(host.procedure("_carrega_instalador"));
        EXPECT_NE(entry, nullptr);
        if (entry == nullptr) return false;
        responde_com(user);
        const bool result = entry();
        plat_control::dialog_set_driver(nullptr);
        return result;
    }

    // Shows the notice from its own unit, linked into the test, with `jpeg` as its logo where the
    // install call gives the embedded one; answered with OK; its result.
    bool mostra_com_logo(const std::vector<unsigned char>& jpeg) {
        responde_com(nullptr);
        const bool result = instalador::mostra_aviso(jpeg.data(), jpeg.size());
        plat_control::dialog_set_driver(nullptr);
        return result;
    }

    xlhost::Host host;
    std::vector<plat_control::FormView> vistos;    // each dialog as the driver first saw it
    std::vector<bool> ainda_aberto;       // each dialog still open after the user's answer

private:
    void responde_com(std::function<void(plat::Form)> user) {
        plat_control::dialog_set_driver([this, user](plat::Form form) {
            vistos.push_back(plat_control::form_view(form));
            if (user) user(form);
            else EXPECT_TRUE(plat_control::form_click(form, "b_ok"));
            ainda_aberto.push_back(plat_control::form_open(form));
        });
    }
};

// The terms text as the dialog holds it: its 26 lines with Windows line breaks between.
inline std::vector<std::string> linhas(const std::string& texto) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t end = texto.find("\r\n", start);
        out.push_back(texto.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return out;
        start = end + 2;
    }
}

}  // namespace instalador_test
