// The reader under Wine: Wine starts a Unix program that CreateProcess is given as it would a
// Windows one, but it hands back no process handle and no standard handles, so the reader is
// told where to write its facts (a file beside the workbook, renamed into place once complete),
// and the test waits for that file. Paths go to the reader in their Unix form, which Wine's
// own kernel32 export answers.
#include "workbooks/xlsx_facts.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace workbooks_test {
namespace {

constexpr DWORD kWaitLimitMs = 120000;

std::string unix_path_of(const std::string& windows_path) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    const auto unix_file_name = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unix_file_name == nullptr) return "";
    const int wide_length = MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, nullptr, 0);
    if (wide_length <= 0) return "";
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, &wide[0], wide_length);
    char* unix_path = unix_file_name(wide.c_str());
    if (unix_path == nullptr) return "";
    std::string answer(unix_path);
    HeapFree(GetProcessHeap(), 0, unix_path);
    return answer;
}

}  // namespace

std::string read_xlsx_facts(const std::string& path) {
    const std::string facts_path = path + ".facts";
    DeleteFileA(facts_path.c_str());
    const std::string unix_book = unix_path_of(path), unix_facts = unix_path_of(facts_path);
    if (unix_book.empty() || unix_facts.empty()) return "no Unix path for " + path + " (not under Wine?)";

    std::string command = "/usr/bin/python3 \"" + std::string(XLSX_READER) + "\" \"" + unix_book + "\" \"" + unix_facts + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\usr\\bin\\python3", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return "cannot start the reader: error " + std::to_string(GetLastError());
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);

    for (DWORD waited = 0; waited < kWaitLimitMs; waited += 20) {
        std::ifstream in(facts_path, std::ios::binary);
        if (in) {
            std::stringstream facts;
            facts << in.rdbuf();
            in.close();
            DeleteFileA(facts_path.c_str());
            return facts.str();
        }
        Sleep(20);
    }
    return "the reader wrote no facts for " + path + " in " + std::to_string(kWaitLimitMs / 1000) + " s";
}

}  // namespace workbooks_test
