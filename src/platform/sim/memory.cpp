// Movable global memory blocks of the stand-in, with a lock count per block as Windows keeps.
#include <cstdlib>
#include <map>

#include "platform/platform.h"
#include "platform/control/platform_control.h"

namespace {
struct Block {
    void* data;
    int locks;
};
std::map<plat::GlobalBlock, Block> blocks;
uintptr_t next_handle = 0x00A40004;
}  // namespace

namespace plat_control {
int global_blocks_outstanding() { return static_cast<int>(blocks.size()); }
int global_blocks_locked() {
    int locked = 0;
    for (const auto& entry : blocks) locked += entry.second.locks > 0;
    return locked;
}
}  // namespace plat_control

namespace plat {

GlobalBlock global_alloc_moveable(size_t bytes) {
    void* data = std::calloc(1, bytes ? bytes : 1);
    if (data == nullptr) return nullptr;
    auto* handle = reinterpret_cast<GlobalBlock>(next_handle);
    next_handle += 8;
    blocks[handle] = {data, 0};
    return handle;
}

void* global_lock(GlobalBlock block) {
    auto found = blocks.find(block);
    if (found == blocks.end()) return nullptr;
    ++found->second.locks;
    return found->second.data;
}

bool global_unlock(GlobalBlock block) {
    auto found = blocks.find(block);
    if (found == blocks.end() || found->second.locks == 0) return false;
    return --found->second.locks > 0;
}

GlobalBlock global_free(GlobalBlock block) {
    auto found = blocks.find(block);
    if (found == blocks.end()) return block;  // failure answers the handle back
    std::free(found->second.data);
    blocks.erase(found);
    return nullptr;
}

}  // namespace plat
