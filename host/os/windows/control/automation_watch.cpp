#include "os/windows/control/automation_watch.h"

#include "os/windows/control/win32.h"

#include <ole2.h>
#include <oleauto.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "platform/control/platform_control.h"

namespace xlhost::win32 {
namespace {

// The add-in runs on the host's one thread; the counts need no lock.
int initializations = 0, uninitializations = 0, enumerations = 0;
int wrappers_alive = 0;   // bind contexts, tables and enumerators the add-in was given
int strings = 0, arrays = 0;
std::vector<IMoniker*> monikers_given;  // each with one reference of ours, to see whether the add-in let go
std::set<HMODULE> watched_modules;

struct Contents {
    int strings = 0, arrays = 0;
};

// What VariantClear frees with a variant: its string, or its safe array with every string
// and array its elements hold.
Contents contents_of(const VARIANT& value) {
    Contents found;
    if (value.vt & VT_BYREF) return found;
    if (value.vt == VT_BSTR) {
        found.strings = value.bstrVal != nullptr;
        return found;
    }
    if (!(value.vt & VT_ARRAY) || value.parray == nullptr) return found;
    found.arrays = 1;
    const SAFEARRAY* array = value.parray;
    if ((value.vt & VT_TYPEMASK) != VT_VARIANT || array->pvData == nullptr) return found;
    uint64_t elements = array->cDims > 0 ? 1 : 0;
    for (USHORT d = 0; d < array->cDims; ++d) elements *= array->rgsabound[d].cElements;
    const auto* items = static_cast<const VARIANT*>(array->pvData);
    for (uint64_t i = 0; i < elements; ++i) {
        const Contents inner = contents_of(items[i]);
        found.strings += inner.strings;
        found.arrays += inner.arrays;
    }
    return found;
}

// One of COM's own objects as the add-in is given it: every call forwarded, and the wrapper
// counted alive until the add-in (or whoever it handed the object to) releases it.
template <typename Derived, typename Interface>
class Watched : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, iid_)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        return inner_->QueryInterface(riid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

protected:
    Watched(Interface* inner, const IID& iid) : inner_(inner), iid_(iid) { ++wrappers_alive; }
    ~Watched() {
        inner_->Release();
        --wrappers_alive;
    }
    Interface* inner_;

private:
    const IID& iid_;
    ULONG references_ = 1;
};

class WatchedMonikers final : public Watched<WatchedMonikers, IEnumMoniker> {
public:
    explicit WatchedMonikers(IEnumMoniker* inner) : Watched(inner, IID_IEnumMoniker) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IMoniker** monikers, ULONG* fetched) override {
        ULONG got = 0;
        const HRESULT status = inner_->Next(count, monikers, &got);
        if (fetched) *fetched = got;
        for (ULONG i = 0; monikers && i < got; ++i)
            if (monikers[i]) {
                monikers[i]->AddRef();
                monikers_given.push_back(monikers[i]);
            }
        return status;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return inner_->Skip(count); }
    HRESULT STDMETHODCALLTYPE Reset() override { return inner_->Reset(); }
    HRESULT STDMETHODCALLTYPE Clone(IEnumMoniker** copy) override {
        const HRESULT status = inner_->Clone(copy);
        if (SUCCEEDED(status) && copy && *copy) *copy = new WatchedMonikers(*copy);
        return status;
    }
};

class WatchedTable final : public Watched<WatchedTable, IRunningObjectTable> {
public:
    explicit WatchedTable(IRunningObjectTable* inner) : Watched(inner, IID_IRunningObjectTable) {}
    HRESULT STDMETHODCALLTYPE Register(DWORD flags, IUnknown* object, IMoniker* name, DWORD* cookie) override {
        return inner_->Register(flags, object, name, cookie);
    }
    HRESULT STDMETHODCALLTYPE Revoke(DWORD cookie) override { return inner_->Revoke(cookie); }
    HRESULT STDMETHODCALLTYPE IsRunning(IMoniker* name) override { return inner_->IsRunning(name); }
    HRESULT STDMETHODCALLTYPE GetObject(IMoniker* name, IUnknown** object) override {
        return inner_->GetObject(name, object);
    }
    HRESULT STDMETHODCALLTYPE NoteChangeTime(DWORD cookie, FILETIME* time) override {
        return inner_->NoteChangeTime(cookie, time);
    }
    HRESULT STDMETHODCALLTYPE GetTimeOfLastChange(IMoniker* name, FILETIME* time) override {
        return inner_->GetTimeOfLastChange(name, time);
    }
    HRESULT STDMETHODCALLTYPE EnumRunning(IEnumMoniker** monikers) override {
        ++enumerations;
        const HRESULT status = inner_->EnumRunning(monikers);
        if (SUCCEEDED(status) && monikers && *monikers) *monikers = new WatchedMonikers(*monikers);
        return status;
    }
};

class WatchedBindContext final : public Watched<WatchedBindContext, IBindCtx> {
public:
    explicit WatchedBindContext(IBindCtx* inner) : Watched(inner, IID_IBindCtx) {}
    HRESULT STDMETHODCALLTYPE RegisterObjectBound(IUnknown* object) override {
        return inner_->RegisterObjectBound(object);
    }
    HRESULT STDMETHODCALLTYPE RevokeObjectBound(IUnknown* object) override { return inner_->RevokeObjectBound(object); }
    HRESULT STDMETHODCALLTYPE ReleaseBoundObjects() override { return inner_->ReleaseBoundObjects(); }
    HRESULT STDMETHODCALLTYPE SetBindOptions(BIND_OPTS* options) override { return inner_->SetBindOptions(options); }
    HRESULT STDMETHODCALLTYPE GetBindOptions(BIND_OPTS* options) override { return inner_->GetBindOptions(options); }
    HRESULT STDMETHODCALLTYPE GetRunningObjectTable(IRunningObjectTable** table) override {
        const HRESULT status = inner_->GetRunningObjectTable(table);
        if (SUCCEEDED(status) && table && *table) *table = new WatchedTable(*table);
        return status;
    }
    HRESULT STDMETHODCALLTYPE RegisterObjectParam(LPOLESTR key, IUnknown* object) override {
        return inner_->RegisterObjectParam(key, object);
    }
    HRESULT STDMETHODCALLTYPE GetObjectParam(LPOLESTR key, IUnknown** object) override {
        return inner_->GetObjectParam(key, object);
    }
    HRESULT STDMETHODCALLTYPE EnumObjectParam(IEnumString** keys) override { return inner_->EnumObjectParam(keys); }
    HRESULT STDMETHODCALLTYPE RevokeObjectParam(LPOLESTR key) override { return inner_->RevokeObjectParam(key); }
};

HRESULT WINAPI record_ole_initialize(LPVOID reserved) {
    const HRESULT status = OleInitialize(reserved);
    if (SUCCEEDED(status)) ++initializations;
    return status;
}

void WINAPI record_ole_uninitialize() {
    ++uninitializations;
    OleUninitialize();
}

HRESULT WINAPI record_create_bind_ctx(DWORD reserved, IBindCtx** context) {
    const HRESULT status = CreateBindCtx(reserved, context);
    if (SUCCEEDED(status) && context && *context) *context = new WatchedBindContext(*context);
    return status;
}

BSTR WINAPI record_sys_alloc_string(const OLECHAR* text) {
    BSTR made = SysAllocString(text);
    if (made) ++strings;
    return made;
}

void WINAPI record_sys_free_string(BSTR text) {
    if (text) --strings;
    SysFreeString(text);
}

HRESULT WINAPI record_variant_clear(VARIANTARG* value) {
    const Contents freed = value ? contents_of(*value) : Contents{};
    const HRESULT status = VariantClear(value);
    if (SUCCEEDED(status)) {
        strings -= freed.strings;
        arrays -= freed.arrays;
    }
    return status;
}

struct Recorder {
    const char* name;
    void* address;
};
const Recorder recorders[] = {
    {"OleInitialize", reinterpret_cast<void*>(&record_ole_initialize)},
    {"OleUninitialize", reinterpret_cast<void*>(&record_ole_uninitialize)},
    {"CreateBindCtx", reinterpret_cast<void*>(&record_create_bind_ctx)},
    {"SysAllocString", reinterpret_cast<void*>(&record_sys_alloc_string)},
    {"SysFreeString", reinterpret_cast<void*>(&record_sys_free_string)},
    {"VariantClear", reinterpret_cast<void*>(&record_variant_clear)},
};

// References on a COM object, read without changing them.
ULONG references_of(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace

void* automation_recorder_for(const char* name) {
    for (const Recorder& recorder : recorders)
        if (std::strcmp(recorder.name, name) == 0) return recorder.address;
    return nullptr;
}

void note_watched_module(void* module) { watched_modules.insert(static_cast<HMODULE>(module)); }

bool called_from_watched_module(void* code) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(code), &module))
        return false;
    return watched_modules.count(module) > 0;
}

void note_handed_to_addin(const void* variant) {
    const Contents given = contents_of(*static_cast<const VARIANT*>(variant));
    strings += given.strings;
    arrays += given.arrays;
}

}  // namespace xlhost::win32

namespace plat_control {

int ole_initializations() { return xlhost::win32::initializations; }
int ole_uninitializations() { return xlhost::win32::uninitializations; }
int running_table_enumerations() { return xlhost::win32::enumerations; }

int automation_helpers_alive() {
    using namespace xlhost::win32;
    // A moniker the add-in released is held by our reference alone: let it go too.
    int held = 0;
    for (auto it = monikers_given.begin(); it != monikers_given.end();) {
        if (references_of(*it) > 1) {
            ++held;
            ++it;
        } else {
            (*it)->Release();
            it = monikers_given.erase(it);
        }
    }
    return wrappers_alive + held;
}

int automation_strings_alive() { return xlhost::win32::strings; }
int safe_arrays_alive() { return xlhost::win32::arrays; }

}  // namespace plat_control
