// The system's handle table, filtered to this process and to objects of type "Key"; each
// such handle's object name is the full registry path (\REGISTRY\MACHINE\...).
#include "os/windows/control/key_handles.h"

#include <cwctype>
#include <vector>

#include "os/windows/control/win32.h"

namespace xlhost::win32 {
namespace {

struct HandleEntry {
    PVOID object;
    ULONG_PTR process_id;
    ULONG_PTR handle;
    ULONG granted_access;
    USHORT creator_back_trace_index;
    USHORT object_type_index;
    ULONG attributes;
    ULONG reserved;
};
struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};
struct CountedWide {  // UNICODE_STRING
    USHORT length;
    USHORT maximum_length;
    PWSTR buffer;
};

constexpr ULONG system_extended_handle_information = 64;
constexpr ULONG object_name_information = 1;
constexpr ULONG object_type_information = 2;
constexpr LONG status_info_length_mismatch = static_cast<LONG>(0xC0000004);

using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryObject = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

std::wstring upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

std::wstring object_text(QueryObject query, HANDLE handle, ULONG kind) {
    alignas(8) char buffer[4096];
    ULONG length = 0;
    if (query(handle, kind, buffer, sizeof buffer, &length) != 0) return L"";
    const auto* text = reinterpret_cast<const CountedWide*>(buffer);
    if (text->buffer == nullptr) return L"";
    return std::wstring(text->buffer, text->length / sizeof(wchar_t));
}

}  // namespace

int open_machine_key_handles(const std::vector<std::string>& subkeys) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto query_system = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
    auto query_object = reinterpret_cast<QueryObject>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryObject")));
    if (query_system == nullptr || query_object == nullptr) return -1;

    std::vector<char> table(1 << 16);
    LONG status = 0;
    for (;;) {
        ULONG needed = 0;
        status = query_system(system_extended_handle_information, table.data(), static_cast<ULONG>(table.size()), &needed);
        if (status != status_info_length_mismatch) break;
        table.resize(table.size() * 2);
    }
    if (status != 0) return -1;

    std::vector<std::wstring> wanted;
    for (const std::string& subkey : subkeys) {
        std::wstring name = L"\\REGISTRY\\MACHINE\\";
        for (char c : subkey) name += static_cast<wchar_t>(static_cast<unsigned char>(c));
        wanted.push_back(upper(name));
    }

    const auto* handles = reinterpret_cast<const HandleTable*>(table.data());
    const ULONG_PTR self = GetCurrentProcessId();
    int count = 0;
    for (ULONG_PTR i = 0; i < handles->count; ++i) {
        const HandleEntry& entry = handles->entries[i];
        if (entry.process_id != self) continue;
        const auto handle = reinterpret_cast<HANDLE>(entry.handle);
        if (object_text(query_object, handle, object_type_information) != L"Key") continue;
        const std::wstring name = upper(object_text(query_object, handle, object_name_information));
        for (const std::wstring& key : wanted) {
            if (name == key || name.rfind(key + L"\\", 0) == 0) {
                ++count;
                break;
            }
        }
    }
    return count;
}

}  // namespace xlhost::win32
