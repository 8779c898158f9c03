#include "xll/excel_value.h"

#include "xll/call_excel.h"
#include "xll/values.h"
#include "xll/xlcall.h"

namespace xll {

ExcelValue::ExcelValue(Route route) : value_(nil()), route_(route) {}

ExcelValue::~ExcelValue() { release(); }

void ExcelValue::release() {
    if (value_.xltype != xltypeNil) {
        if (route_ == direct) Excel4(xlFree, nullptr, 1, &value_);
        else call_excel(xlFree, nullptr, 1, &value_);
    }
    forget();
}

void ExcelValue::forget() { value_ = nil(); }

}  // namespace xll
