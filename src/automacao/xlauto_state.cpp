// The bridge's state, one set per loaded copy of the add-in, and the probe that reads it.
#include "automacao/xlauto.h"
#include "automacao/xlauto_internal.h"
#include "xll/boundary.h"

namespace automacao {

plat::Dispatch g_pdispXL = nullptr;
plat::Dispatch g_pdispWorkbooks = nullptr;
int32_t ole_started = 0;
int32_t probe_active = 0;
int32_t own_instance_found = 0;
// Six spaces: differs from "8.0" until the host has been asked.
char host_version_text[7] = "      ";

bool module_name(ExcelValue& name) {
    return Excel4(xlGetName, name.record(), 0) == xlretSuccess && base_type(*name) == xltypeStr;
}

}  // namespace automacao

// Runs when an Excel evaluates the probe formula in this process. Only the copy that raised
// probe_active is the one whose Excel was asked, so only then is the instance our own.
VX_EXPORT int32_t VX_STDCALL CheckInstance() {
    return xll::guarded(0, [] {
        if (automacao::probe_active) automacao::own_instance_found = 1;
        return 0;
    });
}
