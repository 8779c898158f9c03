// A host with the test add-in loaded, and a test that plays an add-in's command: it calls
// Excel4v inside Host::run_as_command with argument records built here, exactly as the chart
// construction builds them (16-bit integers, counted texts, references of the active sheet).
#pragma once

#include <deque>
#include <initializer_list>
#include <string>

#include "model/workbook.h"
#include "support/addin_host.h"
#include "xll/xlcall.h"
#include "xlhost/host.h"

class CommandScript : public AddinHost {
protected:
    // Loaded, not opened: the test plays the add-in's commands itself.
    CommandScript() : AddinHost(XLHOST_TEST_ADDIN, Opening::left_closed) {}

    // ---- Argument records ----
    XLOPER i(int n) {
        XLOPER x{};
        x.xltype = xltypeInt;
        x.val.w = static_cast<int16_t>(n);
        return x;
    }
    XLOPER num(double n) {
        XLOPER x{};
        x.xltype = xltypeNum;
        x.val.num = n;
        return x;
    }
    XLOPER yes(bool b = true) {
        XLOPER x{};
        x.xltype = xltypeBool;
        x.val.xbool = b ? 1 : 0;
        return x;
    }
    XLOPER no() { return yes(false); }
    XLOPER miss() {
        XLOPER x{};
        x.xltype = xltypeMissing;
        return x;
    }
    // A counted text of UTF-8 source turned into the cp1252 bytes Excel reads.
    XLOPER t(const std::string& utf8_text) {
        std::string& stored = texts.emplace_back(std::string(1, '\0') + xlhost::cp1252(utf8_text));
        stored[0] = static_cast<char>(stored.size() - 1);
        XLOPER x{};
        x.xltype = xltypeStr;
        x.val.str = stored.data();
        return x;
    }
    // A rectangle of the active sheet, 0-based, as xltypeSRef.
    XLOPER area(int first_row, int last_row, int first_column, int last_column) {
        XLOPER x{};
        x.xltype = xltypeSRef;
        x.val.sref.count = 1;
        x.val.sref.ref.rwFirst = static_cast<uint16_t>(first_row);
        x.val.sref.ref.rwLast = static_cast<uint16_t>(last_row);
        x.val.sref.ref.colFirst = static_cast<uint8_t>(first_column);
        x.val.sref.ref.colLast = static_cast<uint8_t>(last_column);
        return x;
    }

    // One call into Excel from inside a command; answers Excel's return code.
    int call(int function, std::initializer_list<XLOPER> arguments, XLOPER* result = nullptr) {
        std::vector<XLOPER> records(arguments);
        std::vector<LPXLOPER> pointers;
        for (auto& r : records) pointers.push_back(&r);
        int code = -1;
        host->run_as_command([&] {
            code = Excel4v(function, result, static_cast<int>(pointers.size()), pointers.data());
        });
        return code;
    }
    int call(int function) { return call(function, {}); }
    // The note of the last call (why the host refused it).
    std::string last_note() const { return host->calls().empty() ? "" : host->calls().back().note; }

    const xlhost::Sheet& active() const { return host->model().active_sheet(); }
    const xlhost::Chart& chart() const { return *host->model().active_sheet().objects().chart; }
    xlhost::ResolvedLook look_at(const xlhost::Sheet& sheet, int row, int column) const {
        return xlhost::resolve(sheet.objects().formats.look_at(row, column));
    }

    std::deque<std::string> texts;
};
