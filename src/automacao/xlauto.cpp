// Starting and stopping the bridge. States: idle (nothing registered, no objects), registered
// (the probe registered and the version read), connected (the own Application and its
// Workbooks held, OLE initialised). It connects only under Excel 97 ("8.0").
#include <string.h>

#include "automacao/xlauto.h"
#include "automacao/xlauto_internal.h"

namespace automacao {

namespace {

plat::HResult bridge_connect() {
    plat::HResult status = find_application(&g_pdispXL);
    if (!plat::succeeded(status)) return status;
    status = get_workbooks(g_pdispXL);
    if (plat::succeeded(status)) return status;
    plat::release(g_pdispXL);
    g_pdispXL = nullptr;
    return status;
}

}  // namespace

plat::HResult bridge_start() {
    bridge_stop();
    if (KeepDLLLoaded() != 0) return plat::e_fail;
    const plat::HResult status = read_host_version();
    if (strcmp(host_version_text, "8.0") != 0) return status;
    return bridge_connect();
}

void bridge_stop() {
    plat::release(g_pdispWorkbooks);
    plat::release(g_pdispXL);
    g_pdispWorkbooks = nullptr;
    g_pdispXL = nullptr;
    if (ole_started == 1) {
        plat::ole_uninitialize();
        ole_started = 0;
    }
    // A stopped bridge has no instance: a later fallback must not read through a search
    // that is over.
    own_instance_found = 0;
    unregister_probe();
}

}  // namespace automacao
