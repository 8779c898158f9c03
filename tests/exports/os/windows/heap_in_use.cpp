// The C runtime's heap (msvcrt.dll, shared by the add-in and the test program), walked entry by
// entry.
#include "exports/heap_in_use.h"

#include <malloc.h>

namespace teste {

std::size_t heap_bytes_in_use() {
    _HEAPINFO entry{};
    entry._pentry = nullptr;
    std::size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) used += entry._size;
    return used;
}

}  // namespace teste
