#include "capi/memory.h"

#include <algorithm>
#include <cstring>

namespace xlhost::capi {
namespace {
constexpr size_t quarantine_limit = 1 << 14;
constexpr unsigned char poison = 0xDD;
}  // namespace

void* Memory::allocate(size_t bytes, Owner owner, void* parent, const std::string& what) {
    const size_t units = (std::max<size_t>(bytes, 1) + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    Block block;
    block.storage = std::make_unique<std::max_align_t[]>(units);
    std::memset(block.storage.get(), 0, units * sizeof(std::max_align_t));
    block.bytes = bytes;
    block.owner = owner;
    block.parent = parent;
    block.what = what;
    block.serial = next_serial_++;
    void* address = block.storage.get();
    retired_.erase(address);
    if (parent != nullptr) {
        auto found = live_.find(parent);
        if (found != live_.end()) found->second.children.push_back(address);
    }
    live_.emplace(address, std::move(block));
    return address;
}

char* Memory::new_text(const std::string& cp1252_text, Owner owner, void* parent) {
    const size_t length = std::min<size_t>(cp1252_text.size(), 255);
    auto* text = static_cast<char*>(allocate(length + 2, owner, parent, "text \"" + cp1252_text.substr(0, 40) + "\""));
    text[0] = static_cast<char>(static_cast<unsigned char>(length));
    std::memcpy(text + 1, cp1252_text.data(), length);
    text[length + 1] = '\0';
    return text;
}

XLOPER* Memory::new_array(size_t count, Owner owner) {
    return static_cast<XLOPER*>(
        allocate(count * sizeof(XLOPER), owner, nullptr, "array of " + std::to_string(count) + " values"));
}

XLMREF* Memory::new_areas(size_t count, Owner owner) {
    const size_t bytes = sizeof(XLMREF) + (count > 0 ? count - 1 : 0) * sizeof(XLREF);
    return static_cast<XLMREF*>(allocate(bytes, owner, nullptr, "reference"));
}

void* Memory::new_block(size_t bytes, Owner owner, void* parent) {
    return allocate(bytes, owner, parent, "block of " + std::to_string(bytes) + " bytes");
}

void Memory::retire(void* address) {
    auto found = live_.find(address);
    if (found == live_.end()) return;
    Block block = std::move(found->second);
    live_.erase(found);
    for (void* child : block.children) retire(child);
    std::memset(block.storage.get(), poison, block.bytes);
    retired_.insert(address);
    quarantine_.emplace_back(address, std::move(block));
    while (quarantine_.size() > quarantine_limit) {
        retired_.erase(quarantine_.front().first);
        quarantine_.pop_front();
    }
}

FreeOutcome Memory::release(XLOPER* value) {
    void** pointer = nullptr;
    switch (xll::base_type(*value)) {
        case xltypeStr: pointer = reinterpret_cast<void**>(&value->val.str); break;
        case xltypeMulti: pointer = reinterpret_cast<void**>(&value->val.array.lparray); break;
        case xltypeRef:
            if (value->val.mref.lpmref == nullptr) return FreeOutcome::nothing_to_free;
            pointer = reinterpret_cast<void**>(&value->val.mref.lpmref);
            break;
        default: return FreeOutcome::nothing_to_free;
    }
    void* address = *pointer;
    if (address == nullptr) return FreeOutcome::already_released;
    auto found = live_.find(address);
    if (found == live_.end())
        return retired_.count(address) ? FreeOutcome::double_free : FreeOutcome::not_handed_out;
    if (found->second.owner == Owner::call) return FreeOutcome::owned_by_excel;
    if (found->second.parent != nullptr) return FreeOutcome::part_of_value;
    retire(address);
    *pointer = nullptr;
    return FreeOutcome::released;
}

void Memory::release_call_storage(unsigned long long since) {
    std::vector<const void*> addresses;
    for (const auto& [address, block] : live_)
        if (block.owner == Owner::call && block.serial >= since) addresses.push_back(address);
    for (const void* address : addresses) live_.erase(address);
}

bool Memory::owns(const void* address) const { return live_.count(address) != 0; }

size_t Memory::block_size(const void* address) const {
    auto found = live_.find(address);
    return found == live_.end() ? 0 : found->second.bytes;
}

int Memory::outstanding() const {
    int count = 0;
    for (const auto& [address, block] : live_)
        if (block.owner == Owner::addin && block.parent == nullptr) ++count;
    return count;
}

std::vector<std::string> Memory::outstanding_descriptions() const {
    std::vector<std::string> out;
    for (const auto& [address, block] : live_)
        if (block.owner == Owner::addin && block.parent == nullptr) out.push_back(block.what);
    return out;
}

void Memory::reset() {
    live_.clear();
    retired_.clear();
    quarantine_.clear();
}

}  // namespace xlhost::capi
