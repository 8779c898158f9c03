// The owner of a value that Excel writes into a record of the add-in's (the result of a call):
// what Excel hands back is given back to it with xlFree exactly once, by release() or when the
// owner goes.
//
//     xll::ExcelValue name;
//     xll::call_excel(xlGetName, name.record(), 0);
//     ... read *name ...
//     name.release();  // or leave it to the destructor
#pragma once

#include "xll/xloper.h"

namespace xll {

class ExcelValue {
public:
    // How the value goes back: through call_excel, or straight to Excel4 for a value obtained
    // where call_excel must not run (inside a coercion, or while the scratch pool holds the
    // arguments of a call being built).
    enum Route { through_call_excel, direct };

    explicit ExcelValue(Route route = through_call_excel);
    ~ExcelValue();
    ExcelValue(const ExcelValue&) = delete;
    ExcelValue& operator=(const ExcelValue&) = delete;

    // The record a call writes its result into.
    LPXLOPER record() { return &value_; }
    const XLOPER& operator*() const { return value_; }
    const XLOPER* operator->() const { return &value_; }

    // Gives the value back to Excel (xlFree) and leaves the record nil. A nil record holds
    // nothing of Excel's and is not given back.
    void release();
    // Leaves the record nil without giving anything back: for a value Excel never wrote (a
    // refused call) or one that holds nothing of Excel's (a number, an error value).
    void forget();

private:
    XLOPER value_;
    Route route_;
};

}  // namespace xll
