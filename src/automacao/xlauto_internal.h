// The bridge's own state and steps, shared by its files (xlauto*.cpp) and nobody else.
#pragma once

#include <stdint.h>

#include "platform/automation.h"
#include "xll/excel_value.h"

namespace automacao {

// The call layer's value owner and type test, which every step of the bridge uses.
using xll::base_type;
using xll::ExcelValue;

extern plat::Dispatch g_pdispXL;         // the own Application (each candidate while searching)
extern plat::Dispatch g_pdispWorkbooks;  // its Workbooks, set together with g_pdispXL
extern int32_t ole_started;              // OLE initialised by the bridge
extern int32_t probe_active;             // 1 only while a probe formula is being evaluated

// The host status that means "failed" (xlretFailed), answered where a host call failed.
constexpr plat::HResult host_failed = 32;

// xlGetName straight to Excel4 into `name`; false when the call fails or gives no text.
bool module_name(ExcelValue& name);

// Host steps (xlauto_host.cpp).
plat::HResult KeepDLLLoaded();
plat::HResult read_host_version();
// ECHO FALSE, NEW 6; true when the document was made.
bool prepare_search();
// Closes the made document without saving, ECHO TRUE; the close's return code.
int undo_prepare_search();
// REGISTER.ID of the probe and UNREGISTER of its id, when it is registered.
void unregister_probe();

// The search (xlauto_search.cpp).
plat::HResult find_application(plat::Dispatch* ppdispExcel);
plat::HResult search_own_instance(plat::Dispatch* ppdispExcel);
plat::HResult run_probe();

// Named automation calls (xlauto_calls.cpp); each requires a non-null object.
plat::HResult get_workbooks(plat::Dispatch pdispExcel);
plat::HResult get_workbook(plat::Dispatch pdispWorkbooks, plat::Variant book, plat::Dispatch* workbook);
plat::HResult get_worksheets(plat::Dispatch pdispWorkbook, plat::Dispatch* worksheets);
plat::HResult get_worksheet(plat::Dispatch pdispWorksheets, plat::Variant sheet, plat::Dispatch* worksheet);
plat::HResult get_range(plat::Dispatch pdispWorksheet, plat::Variant address, plat::Dispatch* range);
plat::HResult get_range_value(plat::Dispatch pdispRange, plat::Variant* value);
plat::HResult execute_macro(plat::Dispatch pdispExcel, plat::Variant formula);

}  // namespace automacao
