// Excel's automation objects served through real COM: each object an IDispatch, the
// Application registered with RegisterActiveObject for "Excel.Application" and in the running
// object table under a file moniker of its own, as Excel registers itself and its workbooks.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <memory>
#include <set>
#include <vector>

#include "automation/excel_objects.h"
#include "os/os.h"
#include "os/windows/control/automation_watch.h"

namespace xlhost::os {
namespace {

// Excel.Application's class identifier {00024500-0000-0000-C000-000000000046}.
const CLSID excel_application = {0x00024500, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const char excel_clsid_text[] = "{00024500-0000-0000-C000-000000000046}";

class Dispatcher;

struct Alive {
    std::set<Dispatcher*> objects;
};

std::wstring wide_text(const std::string& cp1252_text) {
    if (cp1252_text.empty()) return L"";
    const int size = MultiByteToWideChar(1252, 0, cp1252_text.data(), static_cast<int>(cp1252_text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(1252, 0, cp1252_text.data(), static_cast<int>(cp1252_text.size()), wide.data(), size);
    return wide;
}

std::string narrow_text(const wchar_t* wide, int length) {
    if (wide == nullptr || length <= 0) return "";
    const int size = WideCharToMultiByte(1252, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(1252, 0, wide, length, text.data(), size, nullptr, nullptr);
    return text;
}

bool argument_value(const VARIANT& variant, Value* out) {
    switch (variant.vt) {
        case VT_BSTR: *out = Value::str(narrow_text(variant.bstrVal, static_cast<int>(SysStringLen(variant.bstrVal)))); return true;
        case VT_R8: *out = Value::num(variant.dblVal); return true;
        case VT_I2: *out = Value::num(variant.iVal); return true;
        case VT_I4: *out = Value::num(variant.lVal); return true;
        case VT_BOOL: *out = Value::boolean_value(variant.boolVal != VARIANT_FALSE); return true;
        case VT_EMPTY: *out = Value::missing_value(); return true;
        default: return false;
    }
}

// A cell's value as Excel's automation gives it: empty, double, text, boolean, or an error
// (CVErr: 2000 + the error code).
bool scalar_variant(const Value& value, VARIANT* out) {
    VariantInit(out);
    switch (value.kind) {
        case Value::Kind::nil:
        case Value::Kind::missing: return true;
        case Value::Kind::number:
        case Value::Kind::integer:
            out->vt = VT_R8;
            out->dblVal = value.number;
            return true;
        case Value::Kind::boolean:
            out->vt = VT_BOOL;
            out->boolVal = value.boolean ? VARIANT_TRUE : VARIANT_FALSE;
            return true;
        case Value::Kind::error:
            out->vt = VT_ERROR;
            out->scode = static_cast<SCODE>(0x800A0000u | static_cast<unsigned>(2000 + value.error));
            return true;
        case Value::Kind::text: {
            const std::wstring wide = wide_text(value.text);
            out->bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
            if (out->bstrVal == nullptr) return false;
            out->vt = VT_BSTR;
            return true;
        }
        default: return false;
    }
}

// An array as automation stores it: column by column, both lower bounds 1.
bool value_variant(const Value& value, VARIANT* out) {
    if (value.kind != Value::Kind::array) return scalar_variant(value, out);
    VariantInit(out);
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(value.rows), 1}, {static_cast<ULONG>(value.columns), 1}};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
    if (array == nullptr) return false;
    out->vt = VT_ARRAY | VT_VARIANT;
    out->parray = array;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) {
        VariantClear(out);
        return false;
    }
    auto* elements = static_cast<VARIANT*>(data);
    bool made = true;
    for (int row = 0; row < value.rows && made; ++row)
        for (int column = 0; column < value.columns && made; ++column)
            made = scalar_variant(value.items[static_cast<size_t>(row * value.columns + column)],
                                  &elements[static_cast<size_t>(column) * static_cast<size_t>(value.rows) + static_cast<size_t>(row)]);
    SafeArrayUnaccessData(array);
    if (!made) VariantClear(out);
    return made;
}

class Dispatcher final : public IDispatch {
public:
    Dispatcher(std::unique_ptr<automation::Object> object, std::shared_ptr<Alive> alive)
        : object_(std::move(object)), alive_(std::move(alive)) {
        alive_->objects.insert(this);
    }
    ~Dispatcher() { alive_->objects.erase(this); }
    LONG references() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = --references_;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
        HRESULT status = S_OK;
        for (UINT i = 0; i < count; ++i) {
            const int member =
                i == 0 ? object_->member(narrow_text(names[i], static_cast<int>(wcslen(names[i]))), locale) : -1;
            ids[i] = member < 0 ? DISPID_UNKNOWN : member;
            if (member < 0) status = DISP_E_UNKNOWNNAME;
        }
        return status;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        const UINT count = parameters ? parameters->cArgs : 0;
        if (parameters && parameters->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
        std::vector<Value> values(count);
        // DISPPARAMS holds the last argument first.
        for (UINT i = 0; i < count; ++i)
            if (!argument_value(parameters->rgvarg[count - 1 - i], &values[i])) return DISP_E_TYPEMISMATCH;
        automation::Answer answer;
        int32_t status = automation::status_exception;
        try {
            status = object_->invoke(id, locale, flags, values, &answer);
        } catch (...) {
            return DISP_E_EXCEPTION;  // nothing may cross back into the caller's frames
        }
        if (status != automation::status_ok) return status;
        if (result == nullptr) return S_OK;
        if (answer.object) {
            VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = new Dispatcher(std::move(answer.object), alive_);
            return S_OK;
        }
        if (!value_variant(answer.value, result)) return E_OUTOFMEMORY;
        // Called by the add-in in this process, not through COM from another one: the strings
        // and arrays of the result are the add-in's to free.
        if (win32::called_from_watched_module(__builtin_return_address(0))) win32::note_handed_to_addin(result);
        return S_OK;
    }

private:
    LONG references_ = 1;
    std::unique_ptr<automation::Object> object_;
    std::shared_ptr<Alive> alive_;
};

// Wine's CLSIDFromProgID reads the program identifier from HKLM\Software\Classes only.
bool register_progid(std::string* error) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\Excel.Application\\CLSID", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        if (error) *error = "cannot register the program identifier Excel.Application";
        return false;
    }
    const LONG status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(excel_clsid_text),
                                       sizeof excel_clsid_text);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS && error) *error = "cannot register the program identifier Excel.Application";
    return status == ERROR_SUCCESS;
}

class ComServer final : public AutomationServer {
public:
    bool start(std::unique_ptr<automation::Object> application, std::string* error) {
        if (FAILED(OleInitialize(nullptr))) {
            if (error) *error = "OleInitialize failed";
            return false;
        }
        ole_ = true;
        if (!register_progid(error)) return false;
        application_ = new Dispatcher(std::move(application), alive_);
        if (FAILED(RegisterActiveObject(application_, excel_application, ACTIVEOBJECT_STRONG, &active_))) {
            if (error) *error = "RegisterActiveObject failed";
            return false;
        }
        active_registered_ = true;
        IRunningObjectTable* table = nullptr;
        IMoniker* moniker = nullptr;
        static LONG serial = 0;
        wchar_t name[96];
        wsprintfW(name, L"C:\\xlhost\\%lu-%ld\\Book1", GetCurrentProcessId(), InterlockedIncrement(&serial));
        HRESULT status = GetRunningObjectTable(0, &table);
        if (SUCCEEDED(status)) status = CreateFileMoniker(name, &moniker);
        if (SUCCEEDED(status)) status = table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, application_, moniker, &entry_);
        if (moniker) moniker->Release();
        if (SUCCEEDED(status)) table_ = table;
        else if (table) table->Release();
        if (FAILED(status)) {
            if (error) *error = "cannot register in the running object table";
            return false;
        }
        baseline_ = count();
        return true;
    }
    ~ComServer() override {
        withdraw();
        if (application_) application_->Release();
        if (ole_) OleUninitialize();
    }
    // Beyond the server's own reference and what COM keeps for the registrations while they stand.
    int references_held() const override { return count() - baseline_; }
    void withdraw() override {
        if (table_) {
            table_->Revoke(entry_);
            table_->Release();
            table_ = nullptr;
        }
        if (active_registered_) RevokeActiveObject(active_, nullptr);
        active_registered_ = false;
        baseline_ = application_ ? 1 : 0;
    }

private:
    int count() const {
        int held = 0;
        for (Dispatcher* object : alive_->objects) held += static_cast<int>(object->references());
        return held;
    }
    std::shared_ptr<Alive> alive_ = std::make_shared<Alive>();
    Dispatcher* application_ = nullptr;
    IRunningObjectTable* table_ = nullptr;
    DWORD active_ = 0, entry_ = 0;
    bool active_registered_ = false, ole_ = false;
    int baseline_ = 0;
};

}  // namespace

std::unique_ptr<AutomationServer> serve_application(std::unique_ptr<automation::Object> application, std::string* error) {
    auto server = std::make_unique<ComServer>();
    if (!server->start(std::move(application), error)) return nullptr;
    return server;
}

}  // namespace xlhost::os
