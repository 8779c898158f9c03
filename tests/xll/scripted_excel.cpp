#include "scripted_excel.h"

#include "xlcall32/xlcall32.h"

namespace {
ScriptedExcel* current = nullptr;
}

ScriptedExcel::ScriptedExcel() {
    current = this;
    xlcall32_set_handler(&ScriptedExcel::handle);
}

ScriptedExcel::~ScriptedExcel() {
    xlcall32_set_handler(nullptr);
    current = nullptr;
}

int ScriptedExcel::handle(int function, LPXLOPER result, int count, LPXLOPER* arguments) {
    ExcelCall call;
    call.function = function;
    call.count = count;
    for (int i = 0; i < count; ++i) call.arguments.push_back(*arguments[i]);
    current->calls_.push_back(call);
    return current->answer_ ? current->answer_(function, result, count, arguments) : xlretSuccess;
}
