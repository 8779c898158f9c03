// The xlhost command line: its outputs and exit statuses.
#include <cstdlib>
#include <fstream>

#include "host_fixture.h"
#include "support/scratch_folder.h"

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::reset();
        ASSERT_TRUE(scratch.ready());
        registry = scratch.file("registry.txt");
    }
    Outcome run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--registry", registry, "--addin", XLHOST_TEST_ADDIN});
        Outcome r;
        r.status = xlhost::run_command_line(arguments, r.out, r.err);
        return r;
    }
    std::string file(const std::string& name, const std::string& text) {
        const std::string path = scratch.file(name);
        std::ofstream(path) << text;
        return path;
    }
    vx_test::ScratchFolder scratch;
    std::string registry;
};

TEST_F(CommandLine, EvalPrintsTheValue) {
    const Outcome r = run({"eval", "=T.ARRAY(2;2)"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\t2\n3\t4\n");
    const std::string sheet = file("cli-sheet.csv", "0.5\n");
    EXPECT_EQ(run({"eval", "=T.NUM(A1)", "--sheet", sheet}).out, "0.5\n");
    EXPECT_EQ(run({"eval", "=T.ECHO(\"Olá\")"}).out, "Olá\n");
}

TEST_F(CommandLine, CalcPrintsTheSheet) {
    const std::string sheet = file("cli-calc.csv", "2,=T.NUM(A1)\n");
    const Outcome r = run({"calc", sheet});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2,2\n");
}

TEST_F(CommandLine, CalcTableAlignsEachBlockAndShortensNumbers) {
    const std::string sheet = file("cli-table.csv",
                                   "Heading of the block,,\n"
                                   "Rate,Days,Value\n"
                                   "0.1837480172696110,42,=T.NUM(A3)\n"
                                   ",,\n"
                                   "x,=T.ARRAY(1;2),\n");
    const Outcome r = run({"calc", sheet, "--table"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Heading of the block\n"
              "Rate          Days  Value\n"
              "0.1837480173  42    0.1837480173\n"
              "\n"
              "x  {1,2}\n");
    EXPECT_EQ(run({"eval", "=T.NUM(1)", "--table"}).status, 2);
}

TEST_F(CommandLine, BadInputIsStatusTwoWithOneLine) {
    const auto one_line = [](const Outcome& r) { return r.err.substr(0, r.err.find('\n')); };
    Outcome r = run({"eval", "=T.NUM(1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(one_line(r), "xlhost: cannot parse the formula =T.NUM(1: a '(' is not closed");
    r = run({"calc", "/nonexistent.csv"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(one_line(r), "xlhost: cannot read /nonexistent.csv");
    r = run({"calc", file("cli-bad.csv", "\"open\n")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 1: a quoted field is not closed"), std::string::npos);
    EXPECT_EQ(run({"--frobnicate", "functions"}).status, 2);
    EXPECT_EQ(run({"--lang", "fr", "functions"}).status, 2);
    EXPECT_EQ(run({"eval"}).status, 2);
    EXPECT_EQ(run({"dance"}).status, 2);
    EXPECT_EQ(run({}).status, 2);
}

TEST_F(CommandLine, AnAddInThatDoesNotLoadIsStatusOne) {
    Outcome r;
    r.status = xlhost::run_command_line({"--registry", registry, "--addin", "/nonexistent.so", "functions"}, r.out, r.err);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "xlhost: no add-in file at /nonexistent.so\n");
}

TEST_F(CommandLine, AMisbehavingAddInIsStatusThree) {
    const Outcome r = run({"eval", "=T.LEAK()"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("misbehaved (1 faults)"), std::string::npos);
}

TEST_F(CommandLine, LangWritesPathAndLanguageIntoTheRegistryFile) {
    EXPECT_EQ(run({"--lang", "pt", "addins"}).out, "Test Add-in\n");
    auto idioma = plat_control::registry_get("Software\\Varentis", "IDIOMA");
    ASSERT_TRUE(idioma);
    EXPECT_EQ(std::string(idioma->bytes.begin(), idioma->bytes.end()), std::string("1", 2));
    auto path = plat_control::registry_get("Software\\Varentis", "PATH");
    ASSERT_TRUE(path);
    EXPECT_GT(path->bytes.size(), 1u);
    // Kept in the file for the next run.
    plat_control::registry_use_file("");
    ASSERT_TRUE(plat_control::registry_use_file(registry));
    EXPECT_TRUE(plat_control::registry_get("Software\\Varentis", "IDIOMA"));
    run({"--lang", "en", "addins"});
    idioma = plat_control::registry_get("Software\\Varentis", "IDIOMA");
    EXPECT_EQ(std::string(idioma->bytes.begin(), idioma->bytes.end()), std::string("2", 2));
}

TEST_F(CommandLine, FunctionsShowTheWizard) {
    const Outcome r = run({"functions"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Category: Tests\n", 0), 0u);
}

}  // namespace
