// glibc's own accounting, or the sanitizer's when its allocator has replaced glibc's.
#include "exports/heap_in_use.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define VX_HEAP_OF_THE_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VX_HEAP_OF_THE_SANITIZER 1
#endif
#endif

#ifdef VX_HEAP_OF_THE_SANITIZER
// The sanitizer runtime's own count (declared here: GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace teste {

std::size_t heap_bytes_in_use() {
#ifdef VX_HEAP_OF_THE_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

}  // namespace teste
