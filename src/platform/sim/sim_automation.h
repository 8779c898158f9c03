// Control side of the stand-in's COM: the host implements automation objects, registers them
// as the active object and in the running object table as Excel does, and reads back what the
// add-in left behind (references, live automation strings and safe arrays, OLE initialisations).
#pragma once

#include <cstdint>
#include <string>

#include "platform/automation.h"

namespace plat {

// Every object of the stand-in's COM: a reference count, starting at 1 for its maker.
struct UnknownObject {
    virtual ~UnknownObject() = default;
    uint32_t add_ref() { return ++references_; }
    // Destroys the object when the last reference goes; answers the references left.
    uint32_t release_reference();
    uint32_t references() const { return references_; }
    // QueryInterface(IID_IDispatch) without the added reference: null for a plain object.
    virtual DispatchObject* as_dispatch() { return nullptr; }

private:
    uint32_t references_ = 1;
};

// An object with names to look up and invoke (IDispatch); the host implements it.
struct DispatchObject : UnknownObject {
    DispatchObject* as_dispatch() override { return this; }
    virtual HResult id_of_name(const std::u16string& name, uint32_t locale, int32_t* id) = 0;
    virtual HResult invoke(int32_t id, uint32_t locale, uint16_t flags, Variant* arguments, unsigned count,
                           Variant* result) = 0;
};

}  // namespace plat

namespace sim {

// The class identifier a program identifier names (the registry's HKCR\ProgID\CLSID).
void automation_register_class(const std::u16string& progid, const plat::Guid& clsid);
// RegisterActiveObject (strong): an entry "!{clsid}" in the running object table, holding one
// reference. GetActiveObject answers the earliest such entry still registered; its moniker, an
// item moniker, does not bind on its own (as on Windows).
uint32_t register_active_object(plat::Dispatch object, const plat::Guid& clsid);
// IRunningObjectTable::Register (strong): an entry that holds one reference, in
// registration order.
uint32_t running_table_register(plat::Dispatch object, const std::string& display_name);
// RevokeActiveObject / IRunningObjectTable::Revoke: the entry's reference goes back.
void running_table_revoke(uint32_t cookie);

// What the add-in did with this COM is read through the platform's control side
// (platform/control/platform_control.h), as on Windows.
// While set, OleInitialize fails with E_FAIL.
void ole_refuse_initialize(bool refuse);

// A two-dimensional array of variants, `rows` x `columns`, both lower bounds 1, elements empty
// and stored column by column as automation stores them. Destroyed by variant_clear of the
// variant that holds it.
plat::SafeArray safe_array_of_variants(int rows, int columns);

// Everything back to a fresh machine (called by plat_control::reset).
void automation_reset();

}  // namespace sim
