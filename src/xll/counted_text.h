// Texts handed to Excel are counted strings: a length byte, then the characters. Every literal
// text of the add-in lives in writable storage with one reserved byte in front of its characters
// and a NUL behind them; the length is written into that byte in place, so nothing is copied.
//
// A table of such texts is written as plain literals in a constexpr std::array and packed at
// compile time into one writable block (VX_COUNTED_STORAGE); a CountedTable reads it row by row.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <array>

namespace xll {

// The most characters a counted string can hold.
constexpr size_t counted_text_max = 255;

// Writes the length of the NUL-terminated text behind the reserved byte into that byte. A text
// longer than a counted string can hold is refused: the byte is set to 0 and the answer is false.
bool set_counted_length(char* reserved_byte);

// Two counted strings are equal when their length bytes are equal and every pair of characters
// is equal after the C library's lower-case mapping.
bool compare_counted_nocase(const char* a, const char* b);

// Texts stored row by row in one writable block; offsets[i] is the reserved byte of text i.
struct CountedTable {
    char* bytes;
    const uint32_t* offsets;
    int rows;
    int columns;

    // The reserved byte of the text at (row, column), both counted from 0.
    char* text(int row, int column) const { return bytes + offsets[row * columns + column]; }
    // Makes every text of the table a counted string.
    void prepare() const;
};

template <size_t Count, size_t Bytes>
struct PackedTexts {
    char bytes[Bytes];
    uint32_t offsets[Count];
};

namespace detail {
constexpr size_t text_length(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}
}  // namespace detail

// Bytes needed for the texts: each one with its reserved byte and its NUL.
template <size_t Count>
constexpr size_t packed_size(const std::array<const char*, Count>& texts) {
    size_t bytes = 0;
    for (size_t i = 0; i < Count; ++i) bytes += detail::text_length(texts[i]) + 2;
    return bytes;
}

// The longest of the texts, in characters.
template <size_t Count>
constexpr size_t longest_text(const std::array<const char*, Count>& texts) {
    size_t longest = 0;
    for (size_t i = 0; i < Count; ++i)
        if (detail::text_length(texts[i]) > longest) longest = detail::text_length(texts[i]);
    return longest;
}

template <size_t Bytes, size_t Count>
constexpr PackedTexts<Count, Bytes> pack_texts(const std::array<const char*, Count>& texts) {
    PackedTexts<Count, Bytes> packed{};
    size_t at = 0;
    for (size_t i = 0; i < Count; ++i) {
        packed.offsets[i] = static_cast<uint32_t>(at);
        packed.bytes[at++] = 0;  // reserved for the length
        for (const char* c = texts[i]; *c != '\0'; ++c) packed.bytes[at++] = *c;
        packed.bytes[at++] = '\0';
    }
    return packed;
}

// The table over packed storage (VX_COUNTED_STORAGE below), `columns` texts a row; by default
// all of them in one row.
template <size_t Count, size_t Bytes>
constexpr CountedTable counted_table(PackedTexts<Count, Bytes>& storage, int columns = static_cast<int>(Count)) {
    return {storage.bytes, storage.offsets, static_cast<int>(Count) / columns, columns};
}

}  // namespace xll

// Defines `name` as writable packed storage of the constexpr array `texts`. The first
// static_assert keeps every text within a counted string; the second makes sure the packing is
// done by the compiler (constant initialisation), so the storage is ready before any load-time
// code of the library runs.
#define VX_COUNTED_STORAGE(name, texts)                                                        \
    static_assert(::xll::longest_text(texts) <= ::xll::counted_text_max,                       \
                  "a text longer than a counted string can hold");                             \
    static_assert(::xll::pack_texts<::xll::packed_size(texts)>(texts).bytes[0] == 0,           \
                  "packed at compile time");                                                   \
    ::xll::PackedTexts<(texts).size(), ::xll::packed_size(texts)> name =                       \
        ::xll::pack_texts<::xll::packed_size(texts)>(texts)
