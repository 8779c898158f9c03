// A scripted Excel behind the stand-in call library: each test says what Excel answers and then
// reads back which calls reached it, with copies of the argument records as they were then.
#pragma once

#include <functional>
#include <vector>

#include "xll/xloper.h"

struct ExcelCall {
    int function = 0;
    int count = 0;
    std::vector<XLOPER> arguments;
};

class ScriptedExcel {
public:
    using Answer = std::function<int(int function, LPXLOPER result, int count, LPXLOPER* arguments)>;

    ScriptedExcel();   // installs itself; every call answers 0 until told otherwise
    ~ScriptedExcel();  // uninstalls

    void answer(Answer answer) { answer_ = std::move(answer); }
    const std::vector<ExcelCall>& calls() const { return calls_; }

private:
    static int handle(int function, LPXLOPER result, int count, LPXLOPER* arguments);
    Answer answer_;
    std::vector<ExcelCall> calls_;
};
