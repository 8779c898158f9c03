// A small real add-in (its exports are stdcall on Windows, as Excel calls them) for the host's own tests: exports that probe what Excel passes and
// answers, and others that misbehave on purpose (a leak, a double free, an unknown function
// number) so that the host is seen to catch them. It is loaded by path like any XLL.
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/platform.h"
#include "xll/xlcall.h"

namespace {

// Read at load time, so a test sees whether each load attaches afresh.
char greeting[64] = "";
int auto_free_calls = 0;

struct Row {
    const char* procedure;
    const char* type;
    const char* name;
    int macro_type;
};

const Row rows[] = {
    {"t_num", "BB", "T.NUM", 1},
    {"t_int16", "JI", "T.INT16", 1},
    {"t_int32", "JJ", "T.INT32", 1},
    {"t_bool", "JA", "T.BOOL", 1},
    {"t_uint16", "JH", "T.UINT16", 1},
    {"t_type", "JP", "T.TYPE", 1},
    {"t_echo", "PP", "T.ECHO", 1},
    {"t_mix", "BIBJA", "T.MIX", 1},
    {"t_text_c", "CC", "T.TEXTC", 1},
    {"t_text_d", "DD", "T.TEXTD", 1},
    {"t_by_ref", "BENM", "T.BYREF", 1},
    {"t_fp", "BK", "T.FPSUM", 1},
    {"t_double_in_place", "1E", "T.TWICE", 1},
    {"t_array", "PJJ", "T.ARRAY", 1},
    {"t_frees", "J", "T.FREES", 1},
    {"t_greeting", "C", "T.GREETING", 1},
    {"t_name", "P", "T.NAME", 1},
    {"t_hwnd", "J", "T.HWND", 1},
    {"t_sheet", "P", "T.SHEET", 1},
    {"t_coerce", "PPP", "T.COERCE", 1},
    {"t_null", "P", "T.NULL", 1},
    {"t_bad_result", "P", "T.BAD", 1},
    {"t_nan", "B", "T.NAN", 1},
    {"t_throw", "J", "T.THROW", 1},
    {"t_leak", "J", "T.LEAK", 1},
    {"t_free_twice", "J", "T.FREETWICE", 1},
    {"t_free_copy", "J", "T.FREECOPY", 1},
    {"t_free_argument", "JP", "T.FREEARG", 1},
    {"t_unknown", "J", "T.UNKNOWN", 1},
    {"t_bad_count", "J", "T.BADCOUNT", 1},
    {"t_too_many", "J", "T.TOOMANY", 1},
    {"t_sheet_bare", "P", "T.SHEETBARE", 1},
    {"t_alert_from_function", "J", "T.ALERTFN", 1},
    {"t_register", "PPPPP", "T.REGISTER", 1},
    {"t_register_id", "PPP", "T.REGID", 1},
    {"t_unregister", "PB", "T.UNREG", 1},
    {"t_set_name", "PPP", "T.SETNAME", 1},
    {"t_alert", "A", "t_alert", 2},
    {"t_alert_bad", "A", "t_alert_bad", 2},
    {"t_alert_and_box", "A", "t_alert_and_box", 2},
};

XLOPER text(char* counted) {
    XLOPER x;
    x.xltype = xltypeStr;
    x.val.str = counted;
    counted[0] = static_cast<char>(std::strlen(counted + 1));
    return x;
}

XLOPER integer(int16_t n) {
    XLOPER x;
    x.xltype = xltypeInt;
    x.val.w = n;
    return x;
}

XLOPER number(double n) {
    XLOPER x;
    x.xltype = xltypeNum;
    x.val.num = n;
    return x;
}

// Writable counted copies of a literal (length byte first).
struct Counted {
    char buffer[260];
    explicit Counted(const char* literal) {
        std::strncpy(buffer + 1, literal, sizeof buffer - 2);
        buffer[sizeof buffer - 1] = '\0';
    }
    XLOPER value() { return text(buffer); }
};

int register_row(XLOPER& module, const Row& row, bool hidden) {
    Counted procedure(row.procedure), type(row.type), name(row.name), arguments("value"), category("Tests");
    XLOPER p = procedure.value(), t = type.value(), n = name.value(), a = arguments.value(), c = category.value();
    XLOPER macro = integer(static_cast<int16_t>(hidden ? 0 : row.macro_type));
    XLOPER id;
    const int code = Excel4(xlfRegister, &id, 7, &module, &p, &t, &n, &a, &macro, &c);
    return code;
}

XLOPER result;

}  // namespace

__attribute__((constructor)) static void test_addin_attach() {
    plat::RegKey key = nullptr;
    greeting[0] = '\0';
    if (plat::reg_open_query("Software\\XlhostTest", &key) != plat::reg_ok) return;
    uint32_t type = 0, size = sizeof greeting - 1;
    if (plat::reg_query_value(key, "Greeting", &type, greeting, &size) != plat::reg_ok) greeting[0] = '\0';
    greeting[sizeof greeting - 1] = '\0';
    plat::reg_close(key);
}

VX_EXPORT int VX_STDCALL xlAutoOpen() {
    XLOPER module;
    Excel4(xlGetName, &module, 0);
    for (const Row& row : rows) register_row(module, row, false);
    Excel4(xlFree, nullptr, 1, &module);
    return 1;
}

VX_EXPORT int VX_STDCALL xlAutoClose() {
    for (const Row& row : rows) {
        Counted name(row.name);
        XLOPER n = name.value();
        Excel4(xlfSetName, nullptr, 1, &n);
    }
    return 1;
}

VX_EXPORT int VX_STDCALL xlAutoAdd() {
    Counted message("added");
    XLOPER m = message.value(), type = integer(2);
    Excel4(xlcAlert, nullptr, 2, &m, &type);
    return 1;
}

VX_EXPORT int VX_STDCALL xlAutoRemove() {
    XLOPER module;
    Excel4(xlGetName, &module, 0);
    for (const Row& row : rows)
        if (row.macro_type == 1) register_row(module, row, true);
    Excel4(xlFree, nullptr, 1, &module);
    return 1;
}

VX_EXPORT LPXLOPER VX_STDCALL xlAutoRegister(LPXLOPER name) {
    static XLOPER answer;
    answer.xltype = xltypeErr;
    answer.val.err = xlerrValue;
    if ((name->xltype & 0x0FFF) != xltypeStr) return &answer;
    const std::string wanted(name->val.str + 1, static_cast<unsigned char>(name->val.str[0]));
    if (wanted != "t_lazy") return &answer;
    XLOPER module;
    Excel4(xlGetName, &module, 0);
    const Row lazy = {"t_lazy", "BB", "T.LAZY", 1};
    register_row(module, lazy, false);
    Excel4(xlFree, nullptr, 1, &module);
    return &answer;
}

VX_EXPORT LPXLOPER VX_STDCALL xlAddInManagerInfo(LPXLOPER item) {
    static Counted long_name("Test Add-in");
    static XLOPER answer;
    XLOPER which, type = integer(xltypeInt);
    if (Excel4(xlCoerce, &which, 2, item, &type) == xlretSuccess && which.val.w == 1) {
        answer = long_name.value();
    } else {
        answer.xltype = xltypeErr;
        answer.val.err = xlerrValue;
    }
    return &answer;
}

VX_EXPORT void VX_STDCALL xlAutoFree(LPXLOPER value) {
    ++auto_free_calls;
    if ((value->xltype & 0x0FFF) == xltypeMulti) std::free(value->val.array.lparray);
    if ((value->xltype & 0x0FFF) == xltypeStr) std::free(value->val.str);
}

// ---- Probes of what Excel passes ----
VX_EXPORT double VX_STDCALL t_num(double x) { return x; }
VX_EXPORT int VX_STDCALL t_int16(short x) { return x; }
VX_EXPORT int VX_STDCALL t_int32(int x) { return x; }
VX_EXPORT int VX_STDCALL t_bool(short x) { return x; }
VX_EXPORT int VX_STDCALL t_uint16(unsigned short x) { return x; }
VX_EXPORT int VX_STDCALL t_type(LPXLOPER x) { return x->xltype; }
VX_EXPORT LPXLOPER VX_STDCALL t_echo(LPXLOPER x) { return x; }
VX_EXPORT double VX_STDCALL t_mix(short i, double b, int j, short a) { return i * 1e6 + b * 1e3 + j + a * 0.5; }
VX_EXPORT const char* VX_STDCALL t_text_c(const char* text) { return text; }
VX_EXPORT const unsigned char* VX_STDCALL t_text_d(const unsigned char* text) { return text; }
VX_EXPORT double VX_STDCALL t_by_ref(double* b, int* j, short* i) { return *b + *j * 10.0 + *i * 100.0; }

struct Fp {
    unsigned short rows, columns;
    double array[1];
};
VX_EXPORT double VX_STDCALL t_fp(Fp* fp) {
    double sum = 0;
    for (int k = 0; k < fp->rows * fp->columns; ++k) sum += fp->array[k] * (k + 1);
    return sum;
}
VX_EXPORT void VX_STDCALL t_double_in_place(double* x) { *x *= 2; }

VX_EXPORT LPXLOPER VX_STDCALL t_array(int rows, int columns) {
    if (rows < 1 || columns < 1 || rows > 100 || columns > 100) {
        result.xltype = xltypeErr;
        result.val.err = xlerrNA;
        return &result;
    }
    auto* items = static_cast<XLOPER*>(std::malloc(sizeof(XLOPER) * static_cast<size_t>(rows * columns)));
    for (int k = 0; k < rows * columns; ++k) items[k] = number(k + 1);
    result.xltype = xltypeMulti | xlbitDLLFree;
    result.val.array.lparray = items;
    result.val.array.rows = static_cast<uint16_t>(rows);
    result.val.array.columns = static_cast<uint16_t>(columns);
    return &result;
}

VX_EXPORT int VX_STDCALL t_frees() { return auto_free_calls; }
VX_EXPORT const char* VX_STDCALL t_greeting() { return greeting; }

// The add-in's own name, handed back to Excel for release (xlbitXLFree).
VX_EXPORT LPXLOPER VX_STDCALL t_name() {
    Excel4(xlGetName, &result, 0);
    result.xltype |= xlbitXLFree;
    return &result;
}

VX_EXPORT int VX_STDCALL t_hwnd() {
    XLOPER hwnd;
    if (Excel4(xlGetHwnd, &hwnd, 0) != xlretSuccess) return -1;
    return static_cast<unsigned short>(hwnd.val.w);
}

// The name of the active sheet through a reference built on xlSheetId.
VX_EXPORT LPXLOPER VX_STDCALL t_sheet() {
    XLOPER ref;
    if (Excel4(xlSheetId, &ref, 0) != xlretSuccess) return nullptr;
    XLMREF areas;
    areas.count = 1;
    areas.reftbl[0] = {0, 0, 0, 0};
    ref.val.mref.lpmref = &areas;
    Excel4(xlSheetNm, &result, 1, &ref);
    result.xltype |= xlbitXLFree;
    return &result;
}

// xlCoerce of the first argument to the types of the second (an integer mask); a failed
// coercion answers minus its return code.
VX_EXPORT LPXLOPER VX_STDCALL t_coerce(LPXLOPER value, LPXLOPER types) {
    XLOPER mask;
    int code;
    if ((types->xltype & 0x0FFF) == xltypeMissing) {
        code = Excel4(xlCoerce, &result, 1, value);
    } else {
        mask = integer(static_cast<int16_t>(types->val.num));
        code = Excel4(xlCoerce, &result, 2, value, &mask);
    }
    if (code != xlretSuccess) {
        result = number(-code);
        return &result;
    }
    result.xltype |= xlbitXLFree;
    return &result;
}

VX_EXPORT LPXLOPER VX_STDCALL t_null() { return nullptr; }
VX_EXPORT LPXLOPER VX_STDCALL t_bad_result() {
    result.xltype = 0x0300;
    return &result;
}
VX_EXPORT double VX_STDCALL t_nan() { return std::strtod("nan", nullptr); }
VX_EXPORT int VX_STDCALL t_throw() { throw std::runtime_error("escaped"); }

// ---- Misbehaviour the host must catch ----
VX_EXPORT int VX_STDCALL t_leak() {
    XLOPER module;
    return Excel4(xlGetName, &module, 0);
}

VX_EXPORT int VX_STDCALL t_free_twice() {
    XLOPER module;
    Excel4(xlGetName, &module, 0);
    Excel4(xlFree, nullptr, 1, &module);
    return Excel4(xlFree, nullptr, 1, &module);
}

VX_EXPORT int VX_STDCALL t_free_copy() {
    XLOPER module, copy;
    Excel4(xlGetName, &module, 0);
    copy = module;
    Excel4(xlFree, nullptr, 1, &module);
    return Excel4(xlFree, nullptr, 1, &copy);
}

VX_EXPORT int VX_STDCALL t_free_argument(LPXLOPER argument) { return Excel4(xlFree, nullptr, 1, argument); }

VX_EXPORT int VX_STDCALL t_unknown() {
    XLOPER answer;
    return Excel4(0x3FF, &answer, 0);
}

VX_EXPORT int VX_STDCALL t_bad_count() {
    XLOPER answer, extra = number(1);
    return Excel4(xlGetName, &answer, 1, &extra);
}

VX_EXPORT int VX_STDCALL t_too_many() {
    XLOPER answer, one = number(1);
    LPXLOPER arguments[31];
    for (auto& argument : arguments) argument = &one;
    return Excel4v(xlfRegister, &answer, 31, arguments);
}

// xlSheetNm straight on the answer of xlSheetId, which holds a sheet and no areas.
VX_EXPORT LPXLOPER VX_STDCALL t_sheet_bare() {
    XLOPER ref;
    Excel4(xlSheetId, &ref, 0);
    Excel4(xlSheetNm, &result, 1, &ref);
    result.xltype |= xlbitXLFree;
    return &result;
}

VX_EXPORT int VX_STDCALL t_alert_from_function() {
    Counted message("from a function");
    XLOPER m = message.value();
    return Excel4(xlcAlert, nullptr, 1, &m);
}

VX_EXPORT short VX_STDCALL t_alert() {
    Counted message("Olá, mundo");
    XLOPER m = message.value(), type = integer(3);
    return static_cast<short>(Excel4(xlcAlert, nullptr, 2, &m, &type));
}

VX_EXPORT short VX_STDCALL t_alert_bad() {
    Counted message("bad type");
    XLOPER m = message.value(), type = integer(7);
    return static_cast<short>(Excel4(xlcAlert, nullptr, 2, &m, &type));
}

// What a user sees in this order: an alert, a Windows message box, another alert.
VX_EXPORT short VX_STDCALL t_alert_and_box() {
    Counted before("before the box"), after("after the box");
    XLOPER first = before.value(), information = integer(2);
    Excel4(xlcAlert, nullptr, 2, &first, &information);
    plat::message_box(plat::active_window(), "Caixa do Windows", "Atenção", plat::mb_ok | plat::mb_iconwarning);
    XLOPER last = after.value(), error = integer(3);
    return static_cast<short>(Excel4(xlcAlert, nullptr, 2, &last, &error));
}

VX_EXPORT double VX_STDCALL t_lazy(double x) { return x + 1; }

// ---- Registration from inside the add-in, with what a test gives ----
namespace {
XLOPER module_name() {
    XLOPER module;
    Excel4(xlGetName, &module, 0);
    return module;
}
}  // namespace

// REGISTER(module, procedure, type, name, no argument text, macro type): omitted arguments
// at the end are left out.
VX_EXPORT LPXLOPER VX_STDCALL t_register(LPXLOPER procedure, LPXLOPER type, LPXLOPER name, LPXLOPER macro) {
    XLOPER module = module_name();
    XLOPER no_text;
    no_text.xltype = xltypeMissing;
    LPXLOPER arguments[6] = {&module, procedure, type, name, &no_text, macro};
    int count = 6;
    while (count > 2 && (arguments[count - 1]->xltype & 0x0FFF) == xltypeMissing) --count;
    const int code = Excel4v(xlfRegister, &result, count, arguments);
    Excel4(xlFree, nullptr, 1, &module);
    if (code != xlretSuccess) result = number(-code);
    return &result;
}

VX_EXPORT LPXLOPER VX_STDCALL t_register_id(LPXLOPER procedure, LPXLOPER type) {
    XLOPER module = module_name();
    LPXLOPER arguments[3] = {&module, procedure, type};
    const int count = (type->xltype & 0x0FFF) == xltypeMissing ? 2 : 3;
    const int code = Excel4v(xlfRegisterId, &result, count, arguments);
    Excel4(xlFree, nullptr, 1, &module);
    if (code != xlretSuccess) result = number(-code);
    return &result;
}

VX_EXPORT LPXLOPER VX_STDCALL t_unregister(double id) {
    XLOPER x = number(id);
    const int code = Excel4(xlfUnregister, &result, 1, &x);
    if (code != xlretSuccess) result = number(-code);
    return &result;
}

// SET.NAME(name) deletes, SET.NAME(name, value) defines.
VX_EXPORT LPXLOPER VX_STDCALL t_set_name(LPXLOPER name, LPXLOPER value) {
    const bool deleting = (value->xltype & 0x0FFF) == xltypeMissing;
    const int code = deleting ? Excel4(xlfSetName, &result, 1, name) : Excel4(xlfSetName, &result, 2, name, value);
    if (code != xlretSuccess) result = number(-code);
    return &result;
}
