// Calling a procedure by the C types of its type text, through libffi.
#include <ffi.h>

#include "os/os.h"

namespace xlhost::os {
namespace {

ffi_type* ffi_of(Slot slot) {
    switch (slot) {
        case Slot::none: return &ffi_type_void;
        case Slot::int16: return &ffi_type_sint16;
        case Slot::uint16: return &ffi_type_uint16;
        case Slot::int32: return &ffi_type_sint32;
        case Slot::float64: return &ffi_type_double;
        case Slot::pointer: return &ffi_type_pointer;
    }
    return nullptr;
}

void* storage_of(SlotValue& value) {
    switch (value.slot) {
        case Slot::int16: return &value.i16;
        case Slot::uint16: return &value.u16;
        case Slot::int32: return &value.i32;
        case Slot::float64: return &value.f64;
        case Slot::pointer: return &value.ptr;
        case Slot::none: break;
    }
    return nullptr;
}

}  // namespace

bool call_procedure(void* address, Slot result_slot, const std::vector<SlotValue>& arguments,
                    SlotValue* result, std::string* error) {
    if (address == nullptr) {
        if (error) *error = "no procedure to call";
        return false;
    }
    std::vector<SlotValue> values = arguments;
    std::vector<ffi_type*> types;
    std::vector<void*> pointers;
    types.reserve(values.size());
    pointers.reserve(values.size());
    for (auto& value : values) {
        if (value.slot == Slot::none) {
            if (error) *error = "an argument without a type";
            return false;
        }
        types.push_back(ffi_of(value.slot));
        pointers.push_back(storage_of(value));
    }
    ffi_cif cif;
    if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, static_cast<unsigned>(types.size()), ffi_of(result_slot),
                     types.empty() ? nullptr : types.data()) != FFI_OK) {
        if (error) *error = "libffi cannot prepare the call";
        return false;
    }
    // Integer results come back widened to a full register (ffi_arg).
    union {
        ffi_arg integer;
        double f64;
        void* ptr;
    } answer{};
    ffi_call(&cif, FFI_FN(address), &answer, pointers.empty() ? nullptr : pointers.data());
    SlotValue out;
    out.slot = result_slot;
    switch (result_slot) {
        case Slot::int16: out.i16 = static_cast<int16_t>(answer.integer); break;
        case Slot::uint16: out.u16 = static_cast<uint16_t>(answer.integer); break;
        case Slot::int32: out.i32 = static_cast<int32_t>(answer.integer); break;
        case Slot::float64: out.f64 = answer.f64; break;
        case Slot::pointer: out.ptr = answer.ptr; break;
        case Slot::none: break;
    }
    if (result) *result = out;
    return true;
}

}  // namespace xlhost::os
