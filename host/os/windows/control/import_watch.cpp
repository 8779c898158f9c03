#include "os/windows/control/import_watch.h"

#include <process.h>

#include <cstdarg>
#include <cstring>
#include <map>

#include "os/windows/control/automation_watch.h"
#include "os/windows/control/win32.h"

namespace xlhost::win32 {
namespace {

// The add-in runs on the host's one thread; the records need no lock.
std::map<HGLOBAL, int> blocks;  // handle -> lock count
std::vector<SpawnSeen> spawns;
std::vector<SearchSeen> searches;

HGLOBAL WINAPI record_global_alloc(UINT flags, SIZE_T bytes) {
    HGLOBAL block = GlobalAlloc(flags, bytes);
    if (block) blocks[block] = 0;
    return block;
}

LPVOID WINAPI record_global_lock(HGLOBAL block) {
    LPVOID data = GlobalLock(block);
    auto found = blocks.find(block);
    if (data && found != blocks.end()) ++found->second;
    return data;
}

BOOL WINAPI record_global_unlock(HGLOBAL block) {
    const BOOL still_locked = GlobalUnlock(block);
    auto found = blocks.find(block);
    if (found != blocks.end() && found->second > 0) --found->second;
    return still_locked;
}

HGLOBAL WINAPI record_global_free(HGLOBAL block) {
    HGLOBAL failed = GlobalFree(block);
    if (failed == nullptr) blocks.erase(block);
    return failed;
}

DWORD WINAPI record_search_path(LPCSTR path, LPCSTR file, LPCSTR extension, DWORD size, LPSTR buffer, LPSTR* part) {
    searches.push_back({file ? file : "", extension ? extension : ""});
    return SearchPathA(path, file, extension, size, buffer, part);
}

// The runtime's spawn with its argument list ended by a null, as the add-in calls it.
intptr_t __cdecl record_spawnlp(int mode, const char* program, const char* arg0, ...) {
    const char* argv[16] = {arg0};
    int count = 1;
    va_list list;
    va_start(list, arg0);
    if (arg0 != nullptr) {
        while (count < 15 && (argv[count] = va_arg(list, const char*)) != nullptr) ++count;
    }
    va_end(list);
    argv[count] = nullptr;
    const intptr_t result = _spawnvp(mode, program, argv);
    spawns.push_back({program ? program : "", arg0 ? arg0 : "", count > 1 && argv[1] ? argv[1] : "", result});
    return result;
}

struct Replacement {
    const char* name;
    void* recorder;
};
const Replacement replacements[] = {
    {"GlobalAlloc", reinterpret_cast<void*>(&record_global_alloc)},
    {"GlobalLock", reinterpret_cast<void*>(&record_global_lock)},
    {"GlobalUnlock", reinterpret_cast<void*>(&record_global_unlock)},
    {"GlobalFree", reinterpret_cast<void*>(&record_global_free)},
    {"SearchPathA", reinterpret_cast<void*>(&record_search_path)},
    {"_spawnlp", reinterpret_cast<void*>(&record_spawnlp)},
};

void* recorder_for(const char* name) {
    for (const Replacement& r : replacements)
        if (std::strcmp(r.name, name) == 0) return r.recorder;
    return automation_recorder_for(name);
}

void write_entry(void** entry, void* value) {
    DWORD old = 0;
    if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old)) return;
    *entry = value;
    VirtualProtect(entry, sizeof *entry, old, &old);
}

}  // namespace

bool watch_module_imports(void* module) {
    auto* base = static_cast<char*>(module);
    if (base == nullptr) return false;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.Size == 0) return false;
    note_watched_module(module);
    bool watched = false;
    for (auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (descriptor->OriginalFirstThunk == 0) continue;  // no names to go by
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* by_name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            void* recorder = recorder_for(reinterpret_cast<const char*>(by_name->Name));
            if (recorder == nullptr) continue;
            write_entry(reinterpret_cast<void**>(&entries->u1.Function), recorder);
            watched = true;
        }
    }
    return watched;
}

int global_blocks_outstanding() { return static_cast<int>(blocks.size()); }

int global_blocks_locked() {
    int locked = 0;
    for (const auto& entry : blocks) locked += entry.second > 0;
    return locked;
}

std::vector<SpawnSeen> spawns_seen() { return spawns; }
std::vector<SearchSeen> searches_seen() { return searches; }

void reap_spawns() {
    for (const SpawnSeen& spawn : spawns) {
        if (spawn.result == -1) continue;
        const auto process = reinterpret_cast<HANDLE>(spawn.result);
        WaitForSingleObject(process, 60000);
        CloseHandle(process);
    }
    spawns.clear();
    searches.clear();
}

}  // namespace xlhost::win32
