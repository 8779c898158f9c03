// A probe add-in for the checks that only the real 32-bit build can make: one procedure per
// type text of the catalogue that answers the arguments exactly as they arrived, and
// procedures that fail on purpose (an exception caught by the boundary wrapper, one that
// escapes, and one that is not __stdcall).
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "xll/boundary.h"
#include "xll/xlcall.h"

namespace {

struct Row {
    const char* procedure;
    const char* type;
    const char* name;
};

// The type texts of the catalogue's thirteen functions, and the failing procedures.
const Row rows[] = {
    {"w_pipb", "PIPB", "W.PIPB"},
    {"w_pip", "PIP", "W.PIP"},
    {"w_ppp", "PPP", "W.PPP"},
    {"w_pbijbiibb", "PBIJBIIBB", "W.PBIJBIIBB"},
    {"w_pbjbbbb", "PBJBBBB", "W.PBJBBBB"},
    {"w_pjip", "PJIP", "W.PJIP"},
    {"w_pjij", "PJIJ", "W.PJIJ"},
    {"w_pjjip", "PJJIP", "W.PJJIP"},
    {"w_pbijbjjbb", "PBIJBJJBB", "W.PBIJBJJBB"},
    {"w_pbjjj", "PBJJJ", "W.PBJJJ"},
    {"w_pbjjbibjb", "PBJJBIBJB", "W.PBJJBIBJB"},
    {"w_pbjjbijb", "PBJJBIJB", "W.PBJJBIJB"},
    {"w_pbbjjbjjba", "PBBJJBJJBA", "W.PBBJJBJJBA"},
    {"w_guarded", "PJ", "W.GUARDED"},
    {"w_throw", "JJ", "W.THROW"},
    {"w_cdecl", "JJ", "W.CDECL"},
};

// The answer: one row holding every argument as a number (a P argument as its number, or as
// minus its type code when it is no number).
XLOPER answer;
XLOPER items[10];
int count = 0;

void put(double value) {
    items[count].xltype = xltypeNum;
    items[count].val.num = value;
    ++count;
}
void put(LPXLOPER value) { put(value->xltype == xltypeNum ? value->val.num : -static_cast<double>(value->xltype)); }

LPXLOPER start() {
    count = 0;
    return &answer;
}
LPXLOPER done() {
    answer.xltype = xltypeMulti;
    answer.val.array.lparray = items;
    answer.val.array.rows = 1;
    answer.val.array.columns = static_cast<uint16_t>(count);
    return &answer;
}

template <class... Arguments>
LPXLOPER row_of(Arguments... arguments) {
    start();
    (put(arguments), ...);
    return done();
}

struct Counted {
    char buffer[260];
    explicit Counted(const char* literal) {
        std::strncpy(buffer + 1, literal, sizeof buffer - 2);
        buffer[sizeof buffer - 1] = '\0';
        buffer[0] = static_cast<char>(std::strlen(buffer + 1));
    }
    XLOPER value() {
        XLOPER x;
        x.xltype = xltypeStr;
        x.val.str = buffer;
        return x;
    }
};

}  // namespace

VX_EXPORT int VX_STDCALL xlAutoOpen() {
    XLOPER module;
    if (Excel4(xlGetName, &module, 0) != xlretSuccess) return 1;
    for (const Row& row : rows) {
        Counted procedure(row.procedure), type(row.type), name(row.name), arguments("value"), category("Probes");
        XLOPER p = procedure.value(), t = type.value(), n = name.value(), a = arguments.value(), c = category.value();
        XLOPER macro;
        macro.xltype = xltypeInt;
        macro.val.w = 1;
        XLOPER id;
        Excel4(xlfRegister, &id, 7, &module, &p, &t, &n, &a, &macro, &c);
    }
    Excel4(xlFree, nullptr, 1, &module);
    return 1;
}

VX_EXPORT int VX_STDCALL xlAutoClose() { return 1; }

VX_EXPORT LPXLOPER VX_STDCALL w_pipb(short i, LPXLOPER p, double b) { return row_of(i, p, b); }
VX_EXPORT LPXLOPER VX_STDCALL w_pip(short i, LPXLOPER p) { return row_of(i, p); }
VX_EXPORT LPXLOPER VX_STDCALL w_ppp(LPXLOPER p1, LPXLOPER p2) { return row_of(p1, p2); }
VX_EXPORT LPXLOPER VX_STDCALL w_pbijbiibb(double b1, short i1, int j1, double b2, short i2, short i3, double b3,
                                          double b4) {
    return row_of(b1, i1, j1, b2, i2, i3, b3, b4);
}
VX_EXPORT LPXLOPER VX_STDCALL w_pbjbbbb(double b1, int j1, double b2, double b3, double b4, double b5) {
    return row_of(b1, j1, b2, b3, b4, b5);
}
VX_EXPORT LPXLOPER VX_STDCALL w_pjip(int j, short i, LPXLOPER p) { return row_of(j, i, p); }
VX_EXPORT LPXLOPER VX_STDCALL w_pjij(int j1, short i, int j2) { return row_of(j1, i, j2); }
VX_EXPORT LPXLOPER VX_STDCALL w_pjjip(int j1, int j2, short i, LPXLOPER p) { return row_of(j1, j2, i, p); }
VX_EXPORT LPXLOPER VX_STDCALL w_pbijbjjbb(double b1, short i, int j1, double b2, int j2, int j3, double b3,
                                          double b4) {
    return row_of(b1, i, j1, b2, j2, j3, b3, b4);
}
VX_EXPORT LPXLOPER VX_STDCALL w_pbjjj(double b, int j1, int j2, int j3) { return row_of(b, j1, j2, j3); }
VX_EXPORT LPXLOPER VX_STDCALL w_pbjjbibjb(double b1, int j1, int j2, double b2, short i, double b3, int j3,
                                          double b4) {
    return row_of(b1, j1, j2, b2, i, b3, j3, b4);
}
VX_EXPORT LPXLOPER VX_STDCALL w_pbjjbijb(double b1, int j1, int j2, double b2, short i, int j3, double b3) {
    return row_of(b1, j1, j2, b2, i, j3, b3);
}
VX_EXPORT LPXLOPER VX_STDCALL w_pbbjjbjjba(double b1, double b2, int j1, int j2, double b3, int j3, int j4,
                                           double b4, short a) {
    return row_of(b1, b2, j1, j2, b3, j3, j4, b4, a);
}

// An exception raised inside the boundary wrapper becomes the function's error value.
VX_EXPORT LPXLOPER VX_STDCALL w_guarded(int fail) {
    static XLOPER result;
    static XLOPER failed;
    xll::set_error(failed, xlerrNull);
    return xll::guarded(&failed, [&] {
        if (fail) throw std::runtime_error("forced to fail");
        result.xltype = xltypeNum;
        result.val.num = 1;
        return &result;
    });
}

// The same exception without the wrapper: it leaves the export.
VX_EXPORT int VX_STDCALL w_throw(int fail) {
    if (fail) throw std::runtime_error("escaped the export");
    return 0;
}

// Not __stdcall: it leaves its argument on the stack for the caller to remove.
VX_EXPORT int w_cdecl(int x) { return x; }
