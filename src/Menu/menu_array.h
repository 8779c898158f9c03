// A menu table handed to Excel as one array value (rows x 5 text elements). The element
// records live in a movable global memory block, locked while the array exists and unlocked
// and freed when it goes, so that the block lives for one call only.
#pragma once

#include "platform/platform.h"
#include "xll/counted_text.h"
#include "xll/xloper.h"

namespace menu {

class MenuArray {
public:
    explicit MenuArray(const xll::CountedTable& table);
    ~MenuArray();
    MenuArray(const MenuArray&) = delete;
    MenuArray& operator=(const MenuArray&) = delete;

    // The array value, or null when no block could be had (call_excel then refuses the call).
    LPXLOPER value() { return elements_ != nullptr ? &array_ : nullptr; }

private:
    plat::GlobalBlock block_ = nullptr;
    XLOPER* elements_ = nullptr;
    XLOPER array_{};
};

}  // namespace menu
