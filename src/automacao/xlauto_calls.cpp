// The named automation calls of the bridge: the dispatch identifier of one name, then Invoke
// with positional arguments only, in the English neutral locale.
#include "automacao/xlauto.h"
#include "automacao/xlauto_internal.h"

namespace automacao {

namespace {

// Locale of every named call.
constexpr uint32_t automation_locale = plat::locale_english_neutral;
constexpr uint16_t method_or_get = plat::dispatch_method | plat::dispatch_propertyget;

plat::HResult call_named(plat::Dispatch object, const plat::OleChar* name, uint16_t flags, plat::Variant* argument,
                         plat::Variant* result) {
    if (object == nullptr) return plat::e_invalidarg;
    int32_t id = 0;
    plat::HResult status = plat::dispatch_id_of_name(object, name, automation_locale, &id);
    if (!plat::succeeded(status)) return status;
    return plat::dispatch_invoke(object, id, automation_locale, flags, argument, argument ? 1 : 0, result);
}

// A call whose result must be an object: anything else is cleared and answers
// DISP_E_PARAMNOTFOUND.
plat::HResult call_for_object(plat::Dispatch object, const plat::OleChar* name, uint16_t flags,
                              plat::Variant* argument, plat::Dispatch* out) {
    *out = nullptr;
    plat::Variant result;
    plat::variant_init(&result);
    const plat::HResult status = call_named(object, name, flags, argument, &result);
    if (!plat::succeeded(status)) return status;
    if (result.vt != plat::vt_dispatch) {
        plat::variant_clear(&result);
        return plat::disp_e_paramnotfound;
    }
    *out = result.pdispVal;  // the variant's reference becomes the caller's
    return status;
}

}  // namespace

plat::HResult get_workbooks(plat::Dispatch pdispExcel) {
    return call_for_object(pdispExcel, u"Workbooks", method_or_get, nullptr, &g_pdispWorkbooks);
}

plat::HResult get_workbook(plat::Dispatch pdispWorkbooks, plat::Variant book, plat::Dispatch* workbook) {
    return call_for_object(pdispWorkbooks, u"Item", plat::dispatch_propertyget, &book, workbook);
}

plat::HResult get_worksheets(plat::Dispatch pdispWorkbook, plat::Dispatch* worksheets) {
    return call_for_object(pdispWorkbook, u"Worksheets", method_or_get, nullptr, worksheets);
}

plat::HResult get_worksheet(plat::Dispatch pdispWorksheets, plat::Variant sheet, plat::Dispatch* worksheet) {
    return call_for_object(pdispWorksheets, u"Item", method_or_get, &sheet, worksheet);
}

plat::HResult get_range(plat::Dispatch pdispWorksheet, plat::Variant address, plat::Dispatch* range) {
    return call_for_object(pdispWorksheet, u"Range", method_or_get, &address, range);
}

plat::HResult get_range_value(plat::Dispatch pdispRange, plat::Variant* value) {
    return call_named(pdispRange, u"Value", method_or_get, nullptr, value);
}

plat::HResult execute_macro(plat::Dispatch pdispExcel, plat::Variant formula) {
    plat::Variant discarded;
    plat::variant_init(&discarded);
    const plat::HResult status = call_named(pdispExcel, u"ExecuteExcel4Macro", plat::dispatch_propertyget, &formula,
                                            &discarded);
    plat::variant_clear(&discarded);
    return status;
}

plat::HResult bridge_range_value(plat::Variant book, plat::Variant sheet, plat::Variant address,
                                 plat::Variant* value) {
    if (g_pdispXL == nullptr) return plat::disp_e_unknowninterface;
    plat::Dispatch workbook = nullptr, worksheets = nullptr, worksheet = nullptr, range = nullptr;
    plat::HResult status = get_workbook(g_pdispWorkbooks, book, &workbook);
    if (plat::succeeded(status)) status = get_worksheets(workbook, &worksheets);
    if (plat::succeeded(status)) status = get_worksheet(worksheets, sheet, &worksheet);
    if (plat::succeeded(status)) status = get_range(worksheet, address, &range);
    if (plat::succeeded(status)) status = get_range_value(range, value);
    plat::release(range);
    plat::release(worksheet);
    plat::release(worksheets);
    plat::release(workbook);
    return plat::succeeded(status) ? 0 : status;
}

}  // namespace automacao
