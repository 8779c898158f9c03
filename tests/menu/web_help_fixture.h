// The web-help scenarios' fixture: a menu test with a private folder of fake browsers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "browser_folder.h"
#include "menu_fixture.h"

namespace menu_test {

inline const std::string page = "http://www.marvessa.com.br/produtos/tecnologia/addin/varentis/manual/";

class WebHelp : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        browsers = std::make_unique<BrowserFolder>();
        ASSERT_TRUE(browsers->ready());
    }
    void TearDown() override {
        MenuTest::TearDown();  // waits for every launched program first
        browsers.reset();
    }

    void fake_browser(const std::string& name, bool startable = true) {
        if (browsers->add_fake(name, startable)) return;
        ADD_FAILURE() << "could not make the fake " << name;
        fakes_missing = true;
    }
    // Picks only with every fake in place: with one missing, the search could reach a real browser.
    xlhost::PickResult pick(const std::vector<std::string>& path) {
        if (fakes_missing) return {};
        return MenuTest::pick(path);
    }
    std::string in_folder(const std::string& name) const { return browsers->file(name); }
    std::string received(const std::string& name) {
        reap();
        return browsers->received(name);
    }
    std::vector<std::string> launched() const {
        std::vector<std::string> programs;
        for (const auto& spawn : plat_control::spawns())
            programs.push_back(spawn.program + (spawn.result == -1 ? " (failed)" : ""));
        return programs;
    }
    void expect_one_help_error(const std::string& text) {
        ASSERT_EQ(host().alerts().size(), 1u);
        EXPECT_EQ(host().alerts()[0].type, 3);
        EXPECT_EQ(host().alerts()[0].text, text);
    }

    std::unique_ptr<BrowserFolder> browsers;
    bool fakes_missing = false;
};

inline const std::string help_error_en =
    "Internet access error. Please, check if you are connected  or if you have one of the two browser "
    "installed: Internet Explorer or Netscape.";
inline const std::string help_error_pt_utf8 =
    "Não foi possível acessar a página na Internet. Verifique se você tem uma conexão ativa ou o "
    "navegador Internet Explorer ou Netscape instalado.";

}  // namespace menu_test
