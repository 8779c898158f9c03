// The bridge's state, one set per loaded copy of the add-in, and the probe that reads it.
#include "xll/boundary.h"
#include "xll/xlauto.h"
#include "xll/xlauto_internal.h"

namespace xll {

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

}  // namespace xll

// Runs when an Excel evaluates the probe formula in this process. Only the copy that raised
// probe_active is the one whose Excel was asked, so only then is the instance our own.
VX_EXPORT int32_t VX_STDCALL CheckInstance() {
    return xll::guarded(0, [] {
        if (xll::probe_active) xll::own_instance_found = 1;
        return 0;
    });
}
