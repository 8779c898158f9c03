// Finding the own Excel among the running ones: the active object of "Excel.Application"
// first, then every entry of the running object table in its order. Each candidate's
// Application is asked to evaluate the probe formula; only the own instance runs the probe in
// this copy of the add-in, whose flag is raised while it asks.
#include <string.h>

#include "automacao/format.h"
#include "automacao/xlauto.h"
#include "automacao/xlauto_internal.h"
#include "platform/platform.h"

namespace automacao {

namespace {

// Room of the probe formula, terminator included: "cALL(\"", a file name of up to 255
// characters and "\",\"CheckInstance\",\"j\")" fit in it.
constexpr int probe_room = 293;
constexpr uint16_t method_or_get = plat::dispatch_method | plat::dispatch_propertyget;

const char probe_opening[] = "cALL(\"";
const char probe_closing[] = "\",\"CheckInstance\",\"j\")";

plat::HResult active_application(plat::Unknown* active) {
    plat::Guid clsid{};
    const plat::HResult status = plat::clsid_from_progid(u"Excel.Application", &clsid);
    if (!plat::succeeded(status)) return status;
    return plat::get_active_object(clsid, active);
}

}  // namespace

plat::HResult run_probe() {
    char formula[probe_room];
    {
        ExcelValue module(ExcelValue::direct);
        if (!module_name(module)) return plat::e_fail;
        char file[256];
        const size_t length = static_cast<unsigned char>(module->val.str[0]);
        memcpy(file, module->val.str + 1, length);
        file[length] = '\0';
        format(formula, sizeof formula, "%s%s%s", probe_opening, file, probe_closing);
    }
    plat::OleChar wide[probe_room];
    if (plat::ansi_to_wide(formula, wide, probe_room) == 0) return plat::e_fail;
    plat::Variant argument;
    plat::variant_init(&argument);
    argument.bstrVal = plat::sys_alloc_string(wide);
    if (argument.bstrVal == nullptr) return plat::e_fail;
    argument.vt = plat::vt_bstr;
    probe_active = 1;
    const plat::HResult status = execute_macro(g_pdispXL, argument);
    probe_active = 0;
    plat::variant_clear(&argument);
    return status;
}

plat::HResult search_own_instance(plat::Dispatch* ppdispExcel) {
    plat::Unknown active = nullptr;
    plat::Dispatch pDisp = nullptr;
    plat::BindContext pbc = nullptr;
    plat::RunningTable table = nullptr;
    plat::MonikerList pem = nullptr;
    bool table_opened = false;
    int32_t application_id = 0;
    // Only a probe of this search may find the instance.
    own_instance_found = 0;

    if (!plat::succeeded(active_application(&active))) goto done;
    if (!plat::succeeded(plat::query_dispatch(active, &pDisp))) goto done;
    // One identifier for every candidate.
    if (!plat::succeeded(plat::dispatch_id_of_name(pDisp, u"Application", plat::locale_user_default, &application_id)))
        goto done;
    for (;;) {
        plat::Variant application;
        plat::variant_init(&application);
        const plat::HResult status = plat::dispatch_invoke(pDisp, application_id, plat::locale_user_default,
                                                           method_or_get, nullptr, 0, &application);
        if (plat::succeeded(status) && application.vt == plat::vt_dispatch) {
            *ppdispExcel = application.pdispVal;
            run_probe();
            if (own_instance_found) goto done;
        } else {
            plat::variant_clear(&application);
        }
        plat::release(pDisp);
        pDisp = nullptr;
        plat::release(*ppdispExcel);
        *ppdispExcel = nullptr;

        if (!table_opened) {
            table_opened = true;
            if (!plat::succeeded(plat::create_bind_context(&pbc)) ||
                !plat::succeeded(plat::running_object_table(pbc, &table)) ||
                !plat::succeeded(plat::enum_running(table, &pem)) || !plat::succeeded(plat::moniker_list_reset(pem)))
                goto done;
        }
        while (pDisp == nullptr) {
            plat::Moniker pmon = nullptr;
            uint32_t fetched = 0;
            if (plat::moniker_list_next(pem, &pmon, &fetched) != plat::s_ok || pmon == nullptr) goto done;
            plat::Dispatch bound = nullptr;
            const plat::HResult bind = plat::bind_to_dispatch(pmon, pbc, &bound);
            plat::release(pmon);
            if (plat::succeeded(bind) && bound != nullptr) pDisp = bound;
        }
    }

done:
    plat::release(pem);
    plat::release(table);
    plat::release(pbc);
    plat::release(pDisp);
    plat::release(active);
    return own_instance_found ? 0 : plat::e_fail;
}

plat::HResult find_application(plat::Dispatch* ppdispExcel) {
    const bool created = prepare_search();
    plat::HResult result = plat::e_fail;
    if (*ppdispExcel != nullptr) {
        plat::debug_output("NULL != g_pdispXL\n");
    } else {
        bool ready = ole_started != 0;
        if (!ready) {
            result = plat::ole_initialize();
            if (!plat::succeeded(result)) {
                plat::debug_output("OleInitialize Failed\n");
            } else {
                ole_started = 1;
                ready = true;
            }
        }
        if (ready) result = search_own_instance(ppdispExcel);
    }
    if (created) undo_prepare_search();
    return result;
}

}  // namespace automacao
