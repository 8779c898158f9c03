#include "model/workbook_objects.h"

namespace xlhost {

double SheetObjects::column_width(int column) const {
    const auto found = column_widths.find(column);
    return found == column_widths.end() ? standard_column_width : found->second;
}

}  // namespace xlhost
