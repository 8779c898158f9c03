// The web help: four launch attempts in order (explorer.exe along PATH, explorer by its
// searched path, then netscape.exe the same two ways), and one error alert when none starts.
// Fake browsers on a private PATH record what they were given; every one is waited for.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "menu_fixture.h"

namespace menu_test {
namespace {

const std::string page = "http://www.marvessa.com.br/produtos/tecnologia/addin/varentis/manual/";

class WebHelp : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        char folder_template[] = "/tmp/vx_ajuda_XXXXXX";
        ASSERT_NE(::mkdtemp(folder_template), nullptr);
        folder = folder_template;
        const char* path = std::getenv("PATH");
        had_path = path != nullptr;
        if (had_path) saved_path = path;
        ::setenv("PATH", folder.c_str(), 1);
    }
    void TearDown() override {
        MenuTest::TearDown();  // waits for every launched program first
        if (had_path) ::setenv("PATH", saved_path.c_str(), 1);
        else ::unsetenv("PATH");
        std::system(("rm -rf '" + folder + "'").c_str());
    }

    // A program in the private PATH folder that writes its arguments to NAME.received.
    void fake_browser(const std::string& name, bool executable = true) {
        const std::string file = folder + "/" + name;
        std::ofstream(file) << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" << file << ".received'\n";
        ::chmod(file.c_str(), executable ? 0755 : 0644);
    }
    std::string received(const std::string& name) {
        reap();
        std::ifstream in(folder + "/" + name + ".received");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> launched() const {
        std::vector<std::string> programs;
        for (const auto& spawn : sim::spawns())
            programs.push_back(spawn.program + (spawn.result == -1 ? " (failed)" : ""));
        return programs;
    }

    std::string folder, saved_path;
    bool had_path = false;
};

TEST_F(WebHelp, ExplorerFoundAlongPathOpensThePageOfTheLanguage) {
    fake_browser("explorer.exe");
    fake_browser("netscape.exe");
    install("1");
    restart();
    ASSERT_EQ(pick({"Varentis", "Ajuda na Web"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(host().alerts().empty());
    ASSERT_EQ(sim::spawns().size(), 1u);
    EXPECT_EQ(sim::spawns()[0].program, "explorer.exe");
    EXPECT_EQ(sim::spawns()[0].arg0, "explorer.exe");
    // No search is made, and Netscape is never tried.
    EXPECT_TRUE(sim::searches().empty());
    EXPECT_EQ(received("explorer.exe"), folder + "/explorer.exe\n" + page + "ajuda.php\n");
    EXPECT_EQ(received("netscape.exe"), "");

    install("2");
    restart();
    ASSERT_EQ(pick({"Varentis", "Help on line"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(host().alerts().empty());
    EXPECT_EQ(received("explorer.exe"), folder + "/explorer.exe\n" + page + "ajuda_en.php\n");
}

TEST_F(WebHelp, AnExplorerThatDoesNotStartIsTriedByItsPathAndThenNetscapeIs) {
    fake_browser("explorer.exe", false);  // found, but it cannot run
    fake_browser("netscape.exe");
    install("2");
    restart();
    ASSERT_EQ(pick({"Varentis", "Help on line"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(host().alerts().empty());
    const std::string explorer_path = folder + "/explorer.exe";
    EXPECT_EQ(launched(), (std::vector<std::string>{"explorer.exe (failed)", explorer_path + " (failed)", "netscape.exe"}));
    ASSERT_EQ(sim::spawns().size(), 3u);
    EXPECT_EQ(sim::spawns()[1].arg0, explorer_path);
    EXPECT_EQ(sim::spawns()[1].arg1, page + "ajuda_en.php");
    ASSERT_EQ(sim::searches().size(), 1u);
    EXPECT_EQ(sim::searches()[0].file, "explorer");
    EXPECT_EQ(sim::searches()[0].extension, ".exe");
    EXPECT_EQ(received("netscape.exe"), folder + "/netscape.exe\n" + page + "ajuda_en.php\n");
}

TEST_F(WebHelp, WhenNoBrowserStartsExactlyOneErrorAlertIsShown) {
    install("2");
    restart();
    ASSERT_EQ(pick({"Varentis", "Help on line"}).outcome, xlhost::PickResult::Outcome::ran);
    // Both searches find nothing, so only the two launches by name are made.
    EXPECT_EQ(launched(), (std::vector<std::string>{"explorer.exe (failed)", "netscape.exe (failed)"}));
    ASSERT_EQ(sim::searches().size(), 2u);
    EXPECT_EQ(sim::searches()[1].file, "netscape");
    ASSERT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(host().alerts()[0].type, 3);
    EXPECT_EQ(host().alerts()[0].text,
              "Internet access error. Please, check if you are connected  or if you have one of the two browser "
              "installed: Internet Explorer or Netscape.");

    install("1");
    restart();
    ASSERT_EQ(pick({"Varentis", "Ajuda na Web"}).outcome, xlhost::PickResult::Outcome::ran);
    ASSERT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(host().alerts()[0].type, 3);
    EXPECT_EQ(host().alerts()[0].text,
              cp("Não foi possível acessar a página na Internet. Verifique se você tem uma conexão ativa ou o "
                 "navegador Internet Explorer ou Netscape instalado."));
}

}  // namespace
}  // namespace menu_test
