// Calling a registered procedure as Excel calls it on 64-bit Windows: the one x64 convention
// (__stdcall and __cdecl mean nothing there). Every argument takes an 8-byte slot; the first four
// travel in registers (rcx, rdx, r8, r9, or xmm0-xmm3 for a double), the rest on the stack above
// the 32 bytes of home space that the caller reserves; the result comes back in rax, or xmm0 for
// a double. The call itself is a few lines of assembly, which also tells the host where the stack
// pointer was after the call: a procedure that leaves it moved is refused (in Excel it would crash).
#include <cstdint>
#include <cstring>

#include "os/os.h"

extern "C" {
struct VxCallResult {
    uint64_t rax;
    double xmm0;
    uint64_t moved;  // bytes by which the stack pointer differs after the call from before it
};
// Calls `procedure` with `count` 8-byte slots, count >= 4: the first four are loaded into both
// their integer and their floating-point register, as a caller that does not know which one the
// callee reads does it.
void vx_win64_call(void* procedure, const uint64_t* slots, uint64_t count, VxCallResult* result);
}

// The frame pointer (rbp) keeps the host's own frame whatever the callee does to rsp. The
// unwind directives describe the prologue, so that Windows can walk through this frame.
asm(R"(
    .text
    .p2align 4
    .globl vx_win64_call
    .def vx_win64_call; .scl 2; .type 32; .endef
    .seh_proc vx_win64_call
vx_win64_call:
    pushq %rbp
    .seh_pushreg %rbp
    pushq %rsi
    .seh_pushreg %rsi
    pushq %rdi
    .seh_pushreg %rdi
    pushq %rbx
    .seh_pushreg %rbx
    pushq %r12
    .seh_pushreg %r12
    movq %rsp, %rbp
    .seh_setframe %rbp, 0
    .seh_endprologue
    movq %rcx, %r10
    movq %rdx, %rsi
    movq %r8, %rbx
    movq %r9, %r12
    leaq 15(,%rbx,8), %rax
    andq $-16, %rax
    subq %rax, %rsp
    andq $-16, %rsp
    movq $4, %rcx
1:  cmpq %rbx, %rcx
    jae 2f
    movq (%rsi,%rcx,8), %rax
    movq %rax, (%rsp,%rcx,8)
    incq %rcx
    jmp 1b
2:  movq 0(%rsi), %rcx
    movq 8(%rsi), %rdx
    movq 16(%rsi), %r8
    movq 24(%rsi), %r9
    movq %rcx, %xmm0
    movq %rdx, %xmm1
    movq %r8, %xmm2
    movq %r9, %xmm3
    movq %rsp, %rdi
    call *%r10
    movq %rax, 0(%r12)
    movsd %xmm0, 8(%r12)
    movq %rsp, %rax
    subq %rdi, %rax
    movq %rax, 16(%r12)
    leaq 0(%rbp), %rsp
    popq %r12
    popq %rbx
    popq %rdi
    popq %rsi
    popq %rbp
    ret
    .seh_endproc
)");

namespace xlhost::os {

bool call_procedure(void* address, Slot result_slot, const std::vector<SlotValue>& arguments,
                    SlotValue* result, std::string* error) {
    if (address == nullptr) {
        if (error) *error = "no procedure to call";
        return false;
    }
    // Four slots at least: the registers are loaded from the first four whatever the count.
    std::vector<uint64_t> slots(arguments.size() < 4 ? 4 : arguments.size(), 0);
    for (size_t i = 0; i < arguments.size(); ++i) {
        const SlotValue& value = arguments[i];
        switch (value.slot) {
            case Slot::int16: slots[i] = static_cast<uint64_t>(static_cast<int64_t>(value.i16)); break;
            case Slot::uint16: slots[i] = value.u16; break;
            case Slot::int32: slots[i] = static_cast<uint64_t>(static_cast<int64_t>(value.i32)); break;
            case Slot::pointer: slots[i] = reinterpret_cast<uintptr_t>(value.ptr); break;
            case Slot::float64: std::memcpy(&slots[i], &value.f64, sizeof value.f64); break;
            case Slot::none:
                if (error) *error = "an argument without a type";
                return false;
        }
    }
    VxCallResult raw{};
    vx_win64_call(address, slots.data(), slots.size(), &raw);
    if (raw.moved != 0) {
        if (error)
            *error = "the procedure left the stack pointer moved by " + std::to_string(static_cast<int64_t>(raw.moved)) +
                     " bytes (it takes other arguments than its type text says)";
        return false;
    }
    SlotValue out;
    out.slot = result_slot;
    switch (result_slot) {
        case Slot::int16: out.i16 = static_cast<int16_t>(raw.rax); break;
        case Slot::uint16: out.u16 = static_cast<uint16_t>(raw.rax); break;
        case Slot::int32: out.i32 = static_cast<int32_t>(raw.rax); break;
        case Slot::float64: out.f64 = raw.xmm0; break;
        case Slot::pointer: out.ptr = reinterpret_cast<void*>(static_cast<uintptr_t>(raw.rax)); break;
        case Slot::none: break;
    }
    if (result) *result = out;
    return true;
}

}  // namespace xlhost::os
