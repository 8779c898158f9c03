// Program launch with the runtime's path search, and the system's file search.
#include <process.h>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace plat {

static_assert(p_nowait == _P_NOWAIT, "spawn mode");

intptr_t spawn_nowait(const char* program, const char* arg0, const char* arg1) {
    if (program == nullptr || arg0 == nullptr) return -1;
    if (arg1 == nullptr) return _spawnlp(_P_NOWAIT, program, arg0, static_cast<const char*>(nullptr));
    return _spawnlp(_P_NOWAIT, program, arg0, arg1, static_cast<const char*>(nullptr));
}

uint32_t search_path(const char* file, const char* extension, char* buffer, uint32_t size) {
    if (file == nullptr) return 0;
    return SearchPathA(nullptr, file, extension, size, buffer, nullptr);
}

}  // namespace plat
