#include "xll/excel_value.h"

#include "xll/call_excel.h"
#include "xll/values.h"

namespace xll {

ExcelValue::ExcelValue() : value_(nil()) {}

ExcelValue::~ExcelValue() { release(); }

void ExcelValue::release() {
    if (value_.xltype != xltypeNil) call_excel(xlFree, nullptr, 1, &value_);
    forget();
}

void ExcelValue::forget() { value_ = nil(); }

}  // namespace xll
