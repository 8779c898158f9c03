// Movable global memory blocks, the storage Excel's menu definitions are handed in.
#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace plat {

GlobalBlock global_alloc_moveable(size_t bytes) { return GlobalAlloc(GMEM_MOVEABLE, bytes); }

void* global_lock(GlobalBlock block) { return GlobalLock(static_cast<HGLOBAL>(block)); }

bool global_unlock(GlobalBlock block) { return GlobalUnlock(static_cast<HGLOBAL>(block)) != FALSE; }

GlobalBlock global_free(GlobalBlock block) { return GlobalFree(static_cast<HGLOBAL>(block)); }

}  // namespace plat
