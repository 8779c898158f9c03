// COM and OLE automation: straight to ole32 and oleaut32. The platform's handles are the
// interface pointers themselves, and its Variant is laid out as VARIANT.
#include <stddef.h>

#include "platform/automation.h"
#include "platform/win32/win32.h"

#include <ole2.h>
#include <oleauto.h>

namespace plat {

static_assert(sizeof(Variant) == sizeof(VARIANT), "Variant is laid out as VARIANT");
static_assert(offsetof(Variant, dblVal) == offsetof(VARIANT, dblVal), "the value area of VARIANT");
static_assert(sizeof(Guid) == sizeof(GUID), "Guid is laid out as GUID");
static_assert(sizeof(OleChar) == sizeof(OLECHAR), "OLECHAR is UTF-16");

namespace {
const GUID& guid(const Guid& value) { return reinterpret_cast<const GUID&>(value); }
VARIANT* variant(Variant* value) { return reinterpret_cast<VARIANT*>(value); }
const OLECHAR* ole(const OleChar* text) { return reinterpret_cast<const OLECHAR*>(text); }
BSTR bstr(AutoString text) { return reinterpret_cast<BSTR>(text); }
IUnknown* unknown_of(void* object) { return static_cast<IUnknown*>(object); }
}  // namespace

HResult ole_initialize() { return OleInitialize(nullptr); }
void ole_uninitialize() { OleUninitialize(); }

HResult clsid_from_progid(const OleChar* progid, Guid* clsid) {
    return CLSIDFromProgID(ole(progid), reinterpret_cast<CLSID*>(clsid));
}

HResult get_active_object(const Guid& clsid, Unknown* unknown) {
    return GetActiveObject(guid(clsid), nullptr, reinterpret_cast<IUnknown**>(unknown));
}

HResult query_dispatch(Unknown unknown, Dispatch* dispatch) {
    if (unknown == nullptr) return E_INVALIDARG;
    return unknown_of(unknown)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch));
}

HResult create_bind_context(BindContext* context) {
    return CreateBindCtx(0, reinterpret_cast<IBindCtx**>(context));
}

HResult running_object_table(BindContext context, RunningTable* table) {
    if (context == nullptr) return E_INVALIDARG;
    return reinterpret_cast<IBindCtx*>(context)->GetRunningObjectTable(reinterpret_cast<IRunningObjectTable**>(table));
}

HResult enum_running(RunningTable table, MonikerList* list) {
    if (table == nullptr) return E_INVALIDARG;
    return reinterpret_cast<IRunningObjectTable*>(table)->EnumRunning(reinterpret_cast<IEnumMoniker**>(list));
}

HResult moniker_list_reset(MonikerList list) {
    if (list == nullptr) return E_INVALIDARG;
    return reinterpret_cast<IEnumMoniker*>(list)->Reset();
}

HResult moniker_list_next(MonikerList list, Moniker* moniker, uint32_t* fetched) {
    if (list == nullptr) return E_INVALIDARG;
    ULONG count = 0;
    const HRESULT status = reinterpret_cast<IEnumMoniker*>(list)->Next(1, reinterpret_cast<IMoniker**>(moniker), &count);
    if (fetched) *fetched = count;
    return status;
}

HResult bind_to_dispatch(Moniker moniker, BindContext context, Dispatch* dispatch) {
    if (moniker == nullptr) return E_INVALIDARG;
    return reinterpret_cast<IMoniker*>(moniker)->BindToObject(reinterpret_cast<IBindCtx*>(context), nullptr, IID_IDispatch,
                                                               reinterpret_cast<void**>(dispatch));
}

uint32_t release(Unknown object) { return object ? unknown_of(object)->Release() : 0; }
uint32_t release(Dispatch object) { return object ? unknown_of(object)->Release() : 0; }
uint32_t release(BindContext object) { return object ? unknown_of(object)->Release() : 0; }
uint32_t release(RunningTable object) { return object ? unknown_of(object)->Release() : 0; }
uint32_t release(MonikerList object) { return object ? unknown_of(object)->Release() : 0; }
uint32_t release(Moniker object) { return object ? unknown_of(object)->Release() : 0; }

HResult dispatch_id_of_name(Dispatch dispatch, const OleChar* name, uint32_t locale, int32_t* id) {
    if (dispatch == nullptr) return E_INVALIDARG;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(ole(name))};
    return reinterpret_cast<IDispatch*>(dispatch)->GetIDsOfNames(IID_NULL, names, 1, locale,
                                                                  reinterpret_cast<DISPID*>(id));
}

HResult dispatch_invoke(Dispatch dispatch, int32_t id, uint32_t locale, uint16_t flags, Variant* arguments,
                        unsigned count, Variant* result) {
    if (dispatch == nullptr) return E_INVALIDARG;
    DISPPARAMS parameters{};
    parameters.rgvarg = variant(arguments);
    parameters.cArgs = count;
    return reinterpret_cast<IDispatch*>(dispatch)->Invoke(id, IID_NULL, locale, flags, &parameters, variant(result),
                                                          nullptr, nullptr);
}

AutoString sys_alloc_string(const OleChar* text) { return reinterpret_cast<AutoString>(SysAllocString(ole(text))); }
void sys_free_string(AutoString text) { SysFreeString(bstr(text)); }
unsigned sys_string_len(AutoString text) { return SysStringLen(bstr(text)); }
void variant_init(Variant* value) { VariantInit(variant(value)); }
HResult variant_clear(Variant* value) { return VariantClear(variant(value)); }

unsigned safe_array_dims(SafeArray array) { return SafeArrayGetDim(reinterpret_cast<SAFEARRAY*>(array)); }

HResult safe_array_bounds(SafeArray array, unsigned dimension, int32_t* lower, int32_t* upper) {
    LONG low = 0, high = 0;
    auto* safe = reinterpret_cast<SAFEARRAY*>(array);
    HRESULT status = SafeArrayGetLBound(safe, dimension, &low);
    if (SUCCEEDED(status)) status = SafeArrayGetUBound(safe, dimension, &high);
    if (SUCCEEDED(status)) {
        *lower = low;
        *upper = high;
    }
    return status;
}

HResult safe_array_access(SafeArray array, void** data) {
    return SafeArrayAccessData(reinterpret_cast<SAFEARRAY*>(array), data);
}

HResult safe_array_unaccess(SafeArray array) { return SafeArrayUnaccessData(reinterpret_cast<SAFEARRAY*>(array)); }

HResult safe_array_vartype(SafeArray array, uint16_t* vt) {
    VARTYPE kind = VT_EMPTY;
    const HRESULT status = SafeArrayGetVartype(reinterpret_cast<SAFEARRAY*>(array), &kind);
    if (SUCCEEDED(status)) *vt = kind;
    return status;
}

int ansi_to_wide(const char* text, OleChar* wide, int size) {
    return MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<LPWSTR>(wide), size);
}

int wide_to_ansi(const OleChar* wide, int length, char* text, int size) {
    return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(wide), length, text, size, nullptr, nullptr);
}

}  // namespace plat
