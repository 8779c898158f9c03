#include "xll/sheet_id.h"

#include "xll/xlcall.h"

namespace xll {

std::optional<IDSHEET> sheet_id() {
    XLOPER answer{};
    answer.xltype = xltypeNil;
    if (Excel4(xlSheetId, &answer, 0) != xlretSuccess || base_type(answer) != xltypeRef)
        return std::nullopt;
    return answer.val.mref.idSheet;
}

}  // namespace xll
