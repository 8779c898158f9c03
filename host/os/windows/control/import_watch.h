// What the add-in asks of Windows that leaves no trace to read back afterwards: its movable
// global blocks (menu definitions), the programs it launches and searches for, and what it
// does with COM (automation_watch.h). The host
// points the add-in's own import entries for those calls at recorders that call the real
// functions, once the DLL is loaded; the add-in gets exactly what Windows answers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xlhost::win32 {

// Points the imports of the loaded module at the recorders; false when it has none of them.
bool watch_module_imports(void* module);

struct SpawnSeen {
    std::string program, arg0, arg1;
    intptr_t result = -1;  // the process handle, or -1
};
struct SearchSeen {
    std::string file, extension;
};

int global_blocks_outstanding();
int global_blocks_locked();
std::vector<SpawnSeen> spawns_seen();
std::vector<SearchSeen> searches_seen();
// Waits for every program that started, closes its handle, and forgets both records.
void reap_spawns();

}  // namespace xlhost::win32
