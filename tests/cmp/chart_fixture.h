// The chart command through xlhost: a curve on the active sheet, a selection, the menu's macro,
// and a driver that answers the dialog as a user would. Every scenario ends with no dialog
// left, nothing waiting for xlFree and no fault found in the add-in's behaviour.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/control/platform_control.h"
#include "platform/control/dialog_control.h"
#include "xlhost/host.h"

namespace chart_test {

constexpr const char* settings_key = "Software\\Varentis";

// Excel's function numbers, with the command and international flags where the calls carry them.
constexpr int cmd = 0x8000;
constexpr int intl = 0x2000;
enum Funcao : int {
    xlFree = 0x4000,
    xlSet = 0x4003,
    xlSheetId = 0x4004,
    xlGetHwnd = 0x4008,
    SELECTION = 95,
    GET_CELL = 185,
    NEW = 119 | cmd,
    ECHO = 141 | cmd,
    WORKBOOK_NAME = 386 | cmd,
    OPTIONS_VIEW = 320 | cmd,
    SELECT = 109 | cmd,
    PATTERNS = 84 | cmd,
    FONT_PROPERTIES = 381 | cmd | intl,
    ACTIVE_CELL_FONT = 476 | cmd | intl,
    BORDER = 45 | cmd,
    FORMAT_NUMBER = 42 | cmd | intl,
    ALIGNMENT = 43 | cmd,
    WORKBOOK_INSERT = 354 | cmd,
    SELECT_CHART = 82 | cmd,
    CLEAR = 52 | cmd,
    OPTIONS_CHART = 325 | cmd,
    EDIT_SERIES = 228 | cmd | intl,
    FORMAT_CHARTTYPE = 423 | cmd,
    ATTACH_TEXT = 80 | cmd,
    FORMULA = 96 | cmd,
    SELECT_PLOT_AREA = 83 | cmd,
    WORKBOOK_ACTIVATE = 292 | cmd,
    COLUMN_WIDTH = 47 | cmd,
    WORKBOOK_HIDE = 383 | cmd,
};

inline std::string cp(const std::string& utf8_text) { return xlhost::cp1252(utf8_text); }

// The host records a text in double quotes, an integer with the suffix "i", a missing argument
// as <missing>, and a reference with its workbook in brackets; compared here as "text", "1i",
// "-" and "Sheet!$A$1".
inline std::string legivel(const std::string& decoded) {
    if (decoded.size() >= 2 && decoded.front() == '"' && decoded.back() == '"')
        return decoded.substr(1, decoded.size() - 2);
    if (decoded == "<missing>") return "-";
    if (!decoded.empty() && decoded.front() == '[') {
        const size_t fim = decoded.find(']');
        if (fim != std::string::npos) return decoded.substr(fim + 1);
    }
    return decoded;
}

struct Chamada {
    int funcao;
    std::vector<std::string> argumentos;
    bool operator==(const Chamada& other) const {
        return funcao == other.funcao && argumentos == other.argumentos;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Chamada& chamada) {
    out << chamada.funcao << "(";
    for (size_t i = 0; i < chamada.argumentos.size(); ++i)
        out << (i ? ", " : "") << xlhost::utf8(chamada.argumentos[i]);
    return out << ")";
}

enum class Resposta { ok, ok_preto_e_branco, cancelar, nenhuma };

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::registry_clear();
        plat_control::message_boxes_clear();
        plat_control::dialogs_reset();
    }
    void TearDown() override {
        EXPECT_EQ(plat_control::forms_alive(), 0);
        EXPECT_EQ(host.outstanding_values(), 0);
        if (host.loaded()) host.unload();
        for (const std::string& fault : host.faults()) ADD_FAILURE() << "host fault: " << fault;
        plat_control::dialogs_reset();
    }

    // The add-in installed in a language ("1" Portuguese, "2" English), loaded and opened.
    void abre(const std::string& idioma) {
        plat_control::registry_set_text(settings_key, "PATH", "C:\\Arquivos de programas\\Varentis");
        plat_control::registry_set_text(settings_key, "VERSAO", "1.0");
        plat_control::registry_set_text(settings_key, "IDIOMA", idioma);
        std::string error;
        ASSERT_TRUE(host.load(xlhost::default_addin_path(), &error)) << error;
        ASSERT_EQ(host.auto_open(), 1);
    }

    // Rows of (rate, business days) from `linha` (1-based) down, in columns `taxa` and `dias`.
    void curva(const std::vector<std::pair<xlhost::Value, xlhost::Value>>& linhas,
               const std::string& taxa = "A", const std::string& dias = "B", int linha = 1) {
        for (const auto& [r, d] : linhas) {
            host.set_cell(taxa + std::to_string(linha), r);
            host.set_cell(dias + std::to_string(linha), d);
            ++linha;
        }
    }
    void curva_de_numeros(const std::vector<std::pair<double, double>>& linhas) {
        std::vector<std::pair<xlhost::Value, xlhost::Value>> valores;
        for (const auto& [r, d] : linhas) valores.emplace_back(xlhost::Value::num(r), xlhost::Value::num(d));
        curva(valores);
    }

    // Picks the menu's chart item with the dialog answered as told; the command's result.
    xlhost::Value roda(Resposta resposta) {
        plat_control::dialog_set_driver([this, resposta](plat::Form form) {
            vistos.push_back(plat_control::form_view(form));
            if (resposta == Resposta::nenhuma) return;
            if (resposta == Resposta::ok_preto_e_branco) {
                EXPECT_TRUE(plat_control::form_click(form, "o_cores"));
            }
            EXPECT_TRUE(plat_control::form_click(form, resposta == Resposta::cancelar ? "b_cancelar" : "b_ok"));
        });
        plat_control::message_boxes_clear();
        plat_control::shown_forms_clear();
        host.clear_calls();
        const xlhost::Value resultado = host.run_macro("vx_menu_cmp");
        plat_control::dialog_set_driver(nullptr);
        return resultado;
    }

    std::vector<Chamada> chamadas() const {
        std::vector<Chamada> todas;
        for (const auto& call : host.calls()) {
            Chamada chamada{call.function, {}};
            for (const auto& argument : call.arguments) chamada.argumentos.push_back(legivel(argument));
            todas.push_back(chamada);
        }
        return todas;
    }
    std::vector<Chamada> chamadas_de(int funcao) const {
        std::vector<Chamada> encontradas;
        for (const auto& chamada : chamadas())
            if (chamada.funcao == funcao) encontradas.push_back(chamada);
        return encontradas;
    }
    // The construction: every call from NEW on, without the sheet lookups that build references.
    std::vector<Chamada> montagem() const {
        std::vector<Chamada> passos;
        bool comecou = false;
        for (const auto& chamada : chamadas()) {
            comecou = comecou || chamada.funcao == NEW;
            if (comecou && chamada.funcao != xlSheetId) passos.push_back(chamada);
        }
        return passos;
    }

    // The one message box of the command, checked for the error icon and Excel's window as owner.
    std::string mensagem(const std::string& titulo) {
        const auto& caixas = plat_control::message_boxes();
        if (caixas.size() != 1) {
            ADD_FAILURE() << caixas.size() << " message boxes";
            return "";
        }
        EXPECT_EQ(caixas[0].caption, cp(titulo));
        EXPECT_EQ(caixas[0].style, 0x10u);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(caixas[0].owner), host.main_window());
        return caixas[0].text;
    }

    xlhost::Host host;
    std::vector<plat_control::FormView> vistos;
};

// The rows of an array constant {a,b;c,d} whose elements hold no texts.
inline std::vector<std::vector<std::string>> linhas_de(const std::string& constante) {
    std::vector<std::vector<std::string>> linhas;
    if (constante.size() < 2) return linhas;
    std::stringstream corpo(constante.substr(1, constante.size() - 2));
    std::string linha;
    while (std::getline(corpo, linha, ';')) {
        std::vector<std::string> celulas;
        std::stringstream partes(linha);
        std::string celula;
        while (std::getline(partes, celula, ',')) celulas.push_back(celula);
        if (!linha.empty() && linha.back() == ',') celulas.push_back("");
        linhas.push_back(celulas);
    }
    return linhas;
}

inline xlhost::Value n(double valor) { return xlhost::Value::num(valor); }
inline xlhost::Value t(const std::string& texto) { return xlhost::Value::str(texto); }

}  // namespace chart_test
