// What an exception does at the Excel boundary of the real Windows build: caught by the one
// boundary wrapper it becomes the function's error value; let out of an export it ends the
// host's process, as it ends Excel's. And the calling convention: on 32-bit Windows a procedure
// that is not __stdcall is refused by the host before it can unbalance the stack; on 64-bit
// Windows there is one convention, and the same procedure is called as any other.
#include <cstdint>
#include <string>

#include "platform/win32/win32.h"
#include "win32/probe_fixture.h"
#include "xll/xloper.h"

namespace win32_test {
namespace {

class Boundary : public ProbeHost {};

TEST_F(Boundary, AnExceptionInsideTheWrapperBecomesTheErrorValue) {
    EXPECT_EQ(eval("=W.GUARDED(0)"), xlhost::Value::num(1));
    EXPECT_EQ(eval("=W.GUARDED(1)"), xlhost::Value::err(xlerrNull));
    EXPECT_EQ(eval("=W.GUARDED(0)"), xlhost::Value::num(1));  // and the host goes on
}

TEST_F(Boundary, AProcedureThatIsNotStdcallIsRefusedOn32BitWindowsOnly) {
    if (sizeof(void*) == 8) {
        EXPECT_EQ(eval("=W.CDECL(5)"), xlhost::Value::num(5));
        EXPECT_EQ(eval("=W.CDECL(-2147483648)"), xlhost::Value::num(-2147483648.0));
        EXPECT_TRUE(host->faults().empty());
        return;
    }
    expect_faults = true;
    EXPECT_EQ(eval("=W.CDECL(5)"), xlhost::Value::err(xlerrValue));
    ASSERT_EQ(host->faults().size(), 1u);
    EXPECT_NE(host->faults()[0].find("removed 0 bytes of arguments, not the 4"), std::string::npos)
        << host->faults()[0];
    host->clear_faults();
    EXPECT_EQ(eval("=W.GUARDED(0)"), xlhost::Value::num(1));
}

TEST_F(Boundary, AMessageBoxOfTheAddInIsRecordedAndClosed) {
    plat_control::message_box_set_answer(plat::id_cancel);
    EXPECT_EQ(eval("=W.BOX(0)"), xlhost::Value::num(plat::id_cancel));
    ASSERT_EQ(plat_control::message_boxes().size(), 1u);
    const plat_control::MessageBoxRecord box = plat_control::message_boxes()[0];
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(box.owner), host->main_window());
    EXPECT_EQ(box.text, "Caixa da sonda");
    EXPECT_EQ(box.caption, "Aten\xE7\xE3o");
    EXPECT_EQ(box.style, plat::mb_okcancel | plat::mb_iconerror);
}

// The host reads back what leaves no trace of its own: global blocks and launched programs.
TEST_F(Boundary, GlobalBlocksAndLaunchedProgramsAreRecorded) {
    const int before = plat_control::global_blocks_outstanding();
    EXPECT_EQ(eval("=W.GLOBAL(1)"), xlhost::Value::num(1));
    EXPECT_EQ(plat_control::global_blocks_outstanding(), before + 1);
    EXPECT_EQ(plat_control::global_blocks_locked(), 1);
    EXPECT_EQ(eval("=W.GLOBAL(2)"), xlhost::Value::num(0));  // no lock left
    EXPECT_EQ(plat_control::global_blocks_locked(), 0);
    EXPECT_EQ(eval("=W.GLOBAL(3)"), xlhost::Value::num(1));
    EXPECT_EQ(plat_control::global_blocks_outstanding(), before);

    EXPECT_EQ(eval("=W.SPAWN(0)"), xlhost::Value::num(1));
    ASSERT_EQ(plat_control::searches().size(), 1u);
    EXPECT_EQ(plat_control::searches()[0].file, "cmd");
    EXPECT_EQ(plat_control::searches()[0].extension, ".exe");
    ASSERT_EQ(plat_control::spawns().size(), 1u);
    EXPECT_NE(plat_control::spawns()[0].result, -1);
    EXPECT_EQ(plat_control::spawns()[0].arg0, plat_control::spawns()[0].program);
    EXPECT_EQ(plat_control::spawns()[0].arg1, "/c");
    plat_control::spawns_reap();
    EXPECT_TRUE(plat_control::spawns().empty());
}

struct ChildRun {
    DWORD status = 0;
    std::string out, err;
};

std::string read_all(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

// xlhost.exe (xlhost64.exe) beside this program, with the probe add-in, in a process of its own.
ChildRun run_xlhost(const std::string& formula) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder(self);
    folder.erase(folder.find_last_of('\\') + 1);
    const std::string out_path = folder + "boundary-child.out", err_path = folder + "boundary-child.err";

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(out_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE err = CreateFileA(err_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::string command = "\"" + folder + VX_XLHOST_FILE "\" --addin \"" VX_PROBE_ADDIN "\" eval \"" + formula + "\"";
    PROCESS_INFORMATION process{};
    ChildRun run;
    run.status = 0xFFFFFFFF;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    run.out = read_all(out_path);
    run.err = read_all(err_path);
    DeleteFileA(out_path.c_str());
    DeleteFileA(err_path.c_str());
    return run;
}

TEST(BoundaryInAProcessOfItsOwn, AnExceptionLeavingAnExportEndsTheHostOrIsItsFault) {
    const ChildRun quiet = run_xlhost("=W.THROW(0)");
    EXPECT_EQ(quiet.status, 0u) << quiet.err;
    EXPECT_EQ(quiet.out, "0\n");

    const ChildRun thrown = run_xlhost("=W.THROW(1)");
    EXPECT_NE(thrown.status, 0u);
    if (sizeof(void*) == 4) {
        // On i686 each module unwinds with its own static unwinder, which knows no other
        // module's frames: the add-in's runtime finds no handler and aborts the process. No
        // value is printed and the host never reaches its own end.
        EXPECT_EQ(thrown.out, "");
        EXPECT_NE(thrown.err.find("terminate called after throwing an instance of 'std::runtime_error'"),
                  std::string::npos)
            << thrown.err;
    } else {
        // On x64 Windows itself unwinds, through every module's frames: the exception reaches the
        // host, which counts it as the fault that would end Excel's process and fails the run.
        EXPECT_EQ(thrown.out, "#VALUE!\n");
        EXPECT_NE(thrown.err.find("xlhost: FAULT: an exception left w_throw; Excel's process would end here"),
                  std::string::npos)
            << thrown.err;
        EXPECT_NE(thrown.err.find("the add-in misbehaved (1 faults)"), std::string::npos) << thrown.err;
    }

    const ChildRun guarded = run_xlhost("=W.GUARDED(1)");
    EXPECT_EQ(guarded.status, 0u) << guarded.err;
    EXPECT_EQ(guarded.out, "#NULL!\n");
}

TEST(BoundaryInAProcessOfItsOwn, TheCommandLineHostClosesMessageBoxes) {
    const ChildRun boxed = run_xlhost("=W.BOX(0)");
    EXPECT_EQ(boxed.status, 0u) << boxed.err;
    EXPECT_EQ(boxed.out, "1\n");  // OK
}

}  // namespace
}  // namespace win32_test
