// The bridge's calls into Excel: the probe's registration, the host version, and the document
// made around a search. They go straight to Excel4 with values of their own (the bridge may run
// inside a coercion, while call_excel's scratch pool holds the caller's arguments), and every
// value Excel answers goes back with xlFree.
#include <string.h>

#include "automacao/xlauto.h"
#include "automacao/xlauto_internal.h"
#include "platform/platform.h"
#include "xll/values.h"

namespace automacao {

using xll::integer;
using xll::logical;
using xll::number;
using xll::text;

namespace {
// Counted texts: a reserved length byte in front of the characters.
char probe_procedure[] = " CheckInstance";
char probe_type[] = " J";

// REGISTER.ID of the probe in `module` into `id`: true when it answers a number.
bool probe_id(ExcelValue& module, ExcelValue& id) {
    XLOPER procedure = text(probe_procedure);
    return Excel4(xlfRegisterId, id.record(), 2, module.record(), &procedure) == xlretSuccess &&
           base_type(*id) == xltypeNum;
}
}  // namespace

// Registering the probe also keeps Excel from unloading the library while it is registered.
plat::HResult KeepDLLLoaded() {
    ExcelValue module(ExcelValue::direct);
    if (!module_name(module)) return host_failed;
    {
        ExcelValue id(ExcelValue::direct);
        if (probe_id(module, id)) return 0;
    }
    ExcelValue id(ExcelValue::direct);
    XLOPER procedure = text(probe_procedure);
    XLOPER type = text(probe_type);
    if (Excel4(xlfRegister, id.record(), 3, module.record(), &procedure, &type) == xlretSuccess &&
        base_type(*id) == xltypeNum)
        return 0;
    plat::debug_output("KeepDLLLoaded Failed\n");
    return host_failed;
}

plat::HResult read_host_version() {
    ExcelValue version(ExcelValue::direct);
    XLOPER which = integer(2);
    const int code = Excel4(xlfGetWorkspace, version.record(), 1, &which);
    if (code != xlretSuccess) return code;
    if (base_type(*version) != xltypeStr || version->val.str == nullptr) return host_failed;
    const size_t length = static_cast<unsigned char>(version->val.str[0]);
    const size_t kept = length < 6 ? length : 6;
    memcpy(host_version_text, version->val.str + 1, kept);
    host_version_text[kept] = '\0';
    return 0;
}

bool prepare_search() {
    XLOPER off = logical(false);
    Excel4(xlcEcho, nullptr, 1, &off);
    ExcelValue made(ExcelValue::direct);
    XLOPER module_document = number(6);
    const int code = Excel4(xlcNew, made.record(), 1, &module_document);
    return code == xlretSuccess && base_type(*made) != xltypeErr;
}

int undo_prepare_search() {
    XLOPER no_save = logical(false);
    const int code = Excel4(xlcClose, nullptr, 1, &no_save);
    XLOPER on = logical(true);
    Excel4(xlcEcho, nullptr, 1, &on);
    return code;
}

void unregister_probe() {
    ExcelValue module(ExcelValue::direct);
    if (!module_name(module)) return;
    ExcelValue id(ExcelValue::direct);
    if (!probe_id(module, id)) return;
    ExcelValue done(ExcelValue::direct);
    Excel4(xlfUnregister, done.record(), 1, id.record());
}

}  // namespace automacao
