// Bytes the C heap has handed out and not yet taken back, in the heap that the add-in's malloc
// and free use (one heap per process). A difference between two readings shows what a sequence
// of calls kept.
#pragma once

#include <cstddef>

namespace teste {

std::size_t heap_bytes_in_use();

}  // namespace teste
