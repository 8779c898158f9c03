// COM and OLE automation as the add-in uses them: OLE initialisation, the class of a program
// identifier, the active object, bind contexts, the running object table and its monikers,
// IDispatch name lookup and invocation, automation strings, variants and two-dimensional safe
// arrays. Each operation mirrors the Windows call named in its comment, with its arguments and
// HRESULT; win32/ forwards to ole32 and oleaut32, sim/ is the stand-in the host controls.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace plat {

using HResult = int32_t;     // HRESULT
using OleChar = char16_t;    // OLECHAR: UTF-16
using AutoString = OleChar*;  // BSTR: allocated by sys_alloc_string, length-prefixed

constexpr HResult s_ok = 0;                                                // S_OK
constexpr HResult s_false = 1;                                             // S_FALSE
constexpr HResult e_fail = static_cast<HResult>(0x80004005u);              // E_FAIL
constexpr HResult e_nointerface = static_cast<HResult>(0x80004002u);       // E_NOINTERFACE
constexpr HResult e_outofmemory = static_cast<HResult>(0x8007000Eu);       // E_OUTOFMEMORY
constexpr HResult e_invalidarg = static_cast<HResult>(0x80070057u);        // E_INVALIDARG
constexpr HResult mk_e_unavailable = static_cast<HResult>(0x800401E3u);    // MK_E_UNAVAILABLE
constexpr HResult co_e_classstring = static_cast<HResult>(0x800401F3u);    // CO_E_CLASSSTRING
constexpr HResult disp_e_unknowninterface = static_cast<HResult>(0x80020001u);  // DISP_E_UNKNOWNINTERFACE
constexpr HResult disp_e_membernotfound = static_cast<HResult>(0x80020003u);    // DISP_E_MEMBERNOTFOUND
constexpr HResult disp_e_paramnotfound = static_cast<HResult>(0x80020004u);     // DISP_E_PARAMNOTFOUND
constexpr HResult disp_e_typemismatch = static_cast<HResult>(0x80020005u);      // DISP_E_TYPEMISMATCH
constexpr HResult disp_e_unknownname = static_cast<HResult>(0x80020006u);       // DISP_E_UNKNOWNNAME
constexpr HResult disp_e_exception = static_cast<HResult>(0x80020009u);         // DISP_E_EXCEPTION
constexpr HResult disp_e_badparamcount = static_cast<HResult>(0x8002000Eu);     // DISP_E_BADPARAMCOUNT

inline bool succeeded(HResult status) { return status >= 0; }

// A class or interface identifier, laid out as GUID.
struct Guid {
    uint32_t data1;
    uint16_t data2, data3;
    uint8_t data4[8];
};

// IID_IDispatch {00020400-0000-0000-C000-000000000046}.
constexpr Guid iid_dispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Locales of the automation calls.
constexpr uint32_t locale_user_default = 0x0400;  // LOCALE_USER_DEFAULT
constexpr uint32_t locale_english_neutral = 9;    // MAKELCID(LANG_ENGLISH, SUBLANG_NEUTRAL)

// Invoke flags.
constexpr uint16_t dispatch_method = 1;       // DISPATCH_METHOD
constexpr uint16_t dispatch_propertyget = 2;  // DISPATCH_PROPERTYGET

// The objects, each an interface pointer of the kind its name says, holding one reference
// that its owner gives back with release().
using Unknown = struct UnknownObject*;             // IUnknown*
using Dispatch = struct DispatchObject*;           // IDispatch*
using BindContext = struct BindContextObject*;     // IBindCtx*
using RunningTable = struct RunningTableObject*;   // IRunningObjectTable*
using MonikerList = struct MonikerListObject*;     // IEnumMoniker*
using Moniker = struct MonikerObject*;             // IMoniker*
using SafeArray = struct SafeArrayRecord*;         // SAFEARRAY*

// Variant kinds (VARTYPE).
enum : uint16_t {
    vt_empty = 0,
    vt_null = 1,
    vt_i2 = 2,
    vt_i4 = 3,
    vt_r4 = 4,
    vt_r8 = 5,
    vt_cy = 6,
    vt_date = 7,
    vt_bstr = 8,
    vt_dispatch = 9,
    vt_error = 10,
    vt_bool = 11,
    vt_variant = 12,
    vt_unknown = 13,
    vt_array = 0x2000,
};

// VARIANT, laid out as Windows lays it out (the win32 side checks the layout).
struct Variant {
    uint16_t vt;
    uint16_t reserved1, reserved2, reserved3;
    union {
        int16_t iVal;
        int32_t lVal;
        float fltVal;
        double dblVal;
        int64_t cyVal;       // currency: the amount times 10000
        double date;
        AutoString bstrVal;
        Dispatch pdispVal;
        Unknown punkVal;
        int32_t scode;
        int16_t boolVal;     // VARIANT_TRUE -1, VARIANT_FALSE 0
        SafeArray parray;
        void* pointers[2];   // the union's full size on every target
    };
};

// ---- OLE ----
HResult ole_initialize();  // OleInitialize(NULL)
void ole_uninitialize();   // OleUninitialize

// CLSIDFromProgID.
HResult clsid_from_progid(const OleChar* progid, Guid* clsid);
// GetActiveObject(clsid, NULL, unknown).
HResult get_active_object(const Guid& clsid, Unknown* unknown);
// unknown->QueryInterface(IID_IDispatch, dispatch).
HResult query_dispatch(Unknown unknown, Dispatch* dispatch);

// CreateBindCtx(0, context).
HResult create_bind_context(BindContext* context);
// context->GetRunningObjectTable(table).
HResult running_object_table(BindContext context, RunningTable* table);
// table->EnumRunning(list).
HResult enum_running(RunningTable table, MonikerList* list);
// list->Reset().
HResult moniker_list_reset(MonikerList list);
// list->Next(1, moniker, fetched): s_ok with one moniker, s_false at the end.
HResult moniker_list_next(MonikerList list, Moniker* moniker, uint32_t* fetched);
// moniker->BindToObject(context, NULL, IID_IDispatch, dispatch).
HResult bind_to_dispatch(Moniker moniker, BindContext context, Dispatch* dispatch);

// ->Release(): answers the references left.
uint32_t release(Unknown object);
uint32_t release(Dispatch object);
uint32_t release(BindContext object);
uint32_t release(RunningTable object);
uint32_t release(MonikerList object);
uint32_t release(Moniker object);

// dispatch->GetIDsOfNames(IID_NULL, &name, 1, locale, id).
HResult dispatch_id_of_name(Dispatch dispatch, const OleChar* name, uint32_t locale, int32_t* id);
// dispatch->Invoke(id, IID_NULL, locale, flags, {arguments, count, no named arguments},
// result, NULL, NULL). The arguments in DISPPARAMS order (the last argument first).
HResult dispatch_invoke(Dispatch dispatch, int32_t id, uint32_t locale, uint16_t flags, Variant* arguments,
                        unsigned count, Variant* result);

// ---- Automation strings, variants, safe arrays ----
AutoString sys_alloc_string(const OleChar* text);  // SysAllocString: null when out of memory
void sys_free_string(AutoString text);             // SysFreeString (null is allowed)
unsigned sys_string_len(AutoString text);          // SysStringLen
void variant_init(Variant* value);                 // VariantInit
HResult variant_clear(Variant* value);             // VariantClear
unsigned safe_array_dims(SafeArray array);         // SafeArrayGetDim
// SafeArrayGetLBound / SafeArrayGetUBound of dimension `dimension` (from 1).
HResult safe_array_bounds(SafeArray array, unsigned dimension, int32_t* lower, int32_t* upper);
// SafeArrayAccessData / SafeArrayUnaccessData.
HResult safe_array_access(SafeArray array, void** data);
HResult safe_array_unaccess(SafeArray array);
// The element kind of the array (SafeArrayGetVartype).
HResult safe_array_vartype(SafeArray array, uint16_t* vt);

// ---- Text conversion in the ANSI code page ----
// MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size): characters written with the
// terminator, 0 on failure (a text that does not fit).
int ansi_to_wide(const char* text, OleChar* wide, int size);
// WideCharToMultiByte(CP_ACP, 0, wide, length, text, size, NULL, NULL): bytes written, 0 on
// failure. `length` -1 converts through the terminator.
int wide_to_ansi(const OleChar* wide, int length, char* text, int size);

}  // namespace plat
