#include "Menu/menu_array.h"

namespace menu {

MenuArray::MenuArray(const xll::CountedTable& table) {
    const size_t count = static_cast<size_t>(table.rows) * static_cast<size_t>(table.columns);
    block_ = plat::global_alloc_moveable(count * sizeof(XLOPER));
    if (block_ == nullptr) return;
    elements_ = static_cast<XLOPER*>(plat::global_lock(block_));
    if (elements_ == nullptr) return;
    // Each element points at the table's own counted string: nothing is copied.
    for (int row = 0; row < table.rows; ++row)
        for (int column = 0; column < table.columns; ++column) {
            XLOPER& element = elements_[row * table.columns + column];
            element.xltype = xltypeStr;
            element.val.str = table.text(row, column);
        }
    array_.xltype = xltypeMulti;
    array_.val.array.lparray = elements_;
    array_.val.array.rows = static_cast<uint16_t>(table.rows);
    array_.val.array.columns = static_cast<uint16_t>(table.columns);
}

MenuArray::~MenuArray() {
    if (block_ == nullptr) return;
    if (elements_ != nullptr) plat::global_unlock(block_);
    plat::global_free(block_);
}

}  // namespace menu
