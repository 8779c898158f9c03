#pragma once

namespace addin {

// Two counted strings are equal when their length bytes are equal and every pair of characters
// is equal after the C library's lower-case mapping.
bool compare_counted_nocase(const char* a, const char* b);

}  // namespace addin
