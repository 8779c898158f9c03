// Accounting of every block of memory the host hands to the add-in. A value Excel returns
// from a call that holds memory (a text, an array, a reference) waits for the add-in's xlFree;
// a value built as an argument of one call into the add-in belongs to Excel and is released
// when the call returns. Released blocks stay reserved for a while (poisoned), so that a
// second xlFree of the same value is recognised instead of hitting a newer value.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "xll/xloper.h"

namespace xlhost::capi {

enum class Owner {
    addin,  // returned to the add-in: it must give it back with xlFree
    call,   // storage of the arguments of one call into the add-in: Excel's own
};

enum class FreeOutcome {
    released,          // the value's memory went back; its pointer is now null
    nothing_to_free,   // a type that holds no memory (xlFree accepts it)
    already_released,  // its pointer is null: the same record was freed before
    double_free,       // its memory was released before (through a copy of the record)
    not_handed_out,    // the host never handed out this memory
    owned_by_excel,    // the argument of a call into the add-in
    part_of_value,     // a text inside an array Excel returned
};

class Memory {
public:
    Memory() = default;
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;

    // A counted text (length byte, at most 255 characters, then a NUL).
    char* new_text(const std::string& cp1252_text, Owner owner, void* parent = nullptr);
    XLOPER* new_array(size_t count, Owner owner);
    XLMREF* new_areas(size_t count, Owner owner);
    // Raw storage for an argument of a call (strings, numbers passed by reference, FP arrays).
    void* new_block(size_t bytes, Owner owner, void* parent = nullptr);

    // xlFree of one value: releases its memory and clears its pointer, as Excel does.
    FreeOutcome release(XLOPER* value);
    // A mark in the order of allocations: the start of one call's argument storage.
    unsigned long long mark() const { return next_serial_; }
    // The end of a call into the add-in: the argument storage made since `since` goes.
    void release_call_storage(unsigned long long since = 0);
    // True while the memory belongs to a live block of the host.
    bool owns(const void* address) const;
    // The size of the live block that starts at `address`, 0 when there is none.
    size_t block_size(const void* address) const;

    // Values returned to the add-in that are still waiting for xlFree.
    int outstanding() const;
    std::vector<std::string> outstanding_descriptions() const;
    // Forgets every block (unload): outstanding ones are released without counting.
    void reset();

private:
    struct Block {
        std::unique_ptr<std::max_align_t[]> storage;
        size_t bytes = 0;
        Owner owner = Owner::call;
        void* parent = nullptr;
        std::vector<void*> children;
        std::string what;
        unsigned long long serial = 0;
    };
    void* allocate(size_t bytes, Owner owner, void* parent, const std::string& what);
    void retire(void* address);

    std::map<const void*, Block> live_;
    std::set<const void*> retired_;
    std::deque<std::pair<const void*, Block>> quarantine_;
    unsigned long long next_serial_ = 1;
};

}  // namespace xlhost::capi
