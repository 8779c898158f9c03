// Calling a registered procedure as Excel calls it on 32-bit Windows: __stdcall, every argument
// in 4-byte stack slots (A, I and J widened to one slot, P one slot, B a double in two), pushed
// right to left, the callee popping them. The call itself is a few lines of assembly, so that
// the host also sees how many bytes the procedure popped: a procedure that is not __stdcall,
// or that takes other arguments than its type text says, is refused instead of corrupting the
// stack (in Excel it would crash).
#include <cstdint>
#include <cstring>

#include "os/os.h"

extern "C" {
struct VxCallResult {
    uint32_t eax;
    uint32_t edx;
    uint32_t popped;  // bytes of arguments the procedure removed from the stack
    uint32_t reserved;
    double st0;
};
// cdecl helpers: call `procedure` with `count` 32-bit words (words[0] lowest on the stack).
void vx_stdcall_words(void* procedure, const uint32_t* words, uint32_t count, VxCallResult* result);
void vx_stdcall_words_double(void* procedure, const uint32_t* words, uint32_t count, VxCallResult* result);
}

// Both helpers keep the stack pointer in ebp/edi across the call, so that a callee popping the
// wrong number of bytes cannot unbalance the host's own frame.
asm(R"(
    .text
    .p2align 4
    .globl _vx_stdcall_words
    .globl _vx_stdcall_words_double
_vx_stdcall_words:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jmp 1b
2:  movl %esp, %edi
    call *8(%ebp)
    movl 20(%ebp), %ebx
    movl %eax, 0(%ebx)
    movl %edx, 4(%ebx)
    movl %esp, %ecx
    subl %edi, %ecx
    movl %ecx, 8(%ebx)
    leal -12(%ebp), %esp
    popl %ebx
    popl %edi
    popl %esi
    popl %ebp
    ret

_vx_stdcall_words_double:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jmp 1b
2:  movl %esp, %edi
    call *8(%ebp)
    movl 20(%ebp), %ebx
    fstpl 16(%ebx)
    movl %esp, %ecx
    subl %edi, %ecx
    movl %ecx, 8(%ebx)
    leal -12(%ebp), %esp
    popl %ebx
    popl %edi
    popl %esi
    popl %ebp
    ret
)");

namespace xlhost::os {

bool call_procedure(void* address, Slot result_slot, const std::vector<SlotValue>& arguments,
                    SlotValue* result, std::string* error) {
    if (address == nullptr) {
        if (error) *error = "no procedure to call";
        return false;
    }
    std::vector<uint32_t> words;
    words.reserve(arguments.size() * 2);
    for (const SlotValue& value : arguments) {
        switch (value.slot) {
            case Slot::int16: words.push_back(static_cast<uint32_t>(static_cast<int32_t>(value.i16))); break;
            case Slot::uint16: words.push_back(value.u16); break;
            case Slot::int32: words.push_back(static_cast<uint32_t>(value.i32)); break;
            case Slot::pointer: words.push_back(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value.ptr))); break;
            case Slot::float64: {
                uint32_t halves[2];
                std::memcpy(halves, &value.f64, sizeof halves);
                words.push_back(halves[0]);
                words.push_back(halves[1]);
                break;
            }
            case Slot::none:
                if (error) *error = "an argument without a type";
                return false;
        }
    }
    VxCallResult raw{};
    const auto count = static_cast<uint32_t>(words.size());
    if (result_slot == Slot::float64)
        vx_stdcall_words_double(address, words.data(), count, &raw);
    else
        vx_stdcall_words(address, words.data(), count, &raw);
    if (raw.popped != 4 * count) {
        if (error)
            *error = "the procedure removed " + std::to_string(raw.popped) + " bytes of arguments, not the " +
                     std::to_string(4 * count) + " of its type text (not __stdcall, or other arguments)";
        return false;
    }
    SlotValue out;
    out.slot = result_slot;
    switch (result_slot) {
        case Slot::int16: out.i16 = static_cast<int16_t>(raw.eax); break;
        case Slot::uint16: out.u16 = static_cast<uint16_t>(raw.eax); break;
        case Slot::int32: out.i32 = static_cast<int32_t>(raw.eax); break;
        case Slot::float64: out.f64 = raw.st0; break;
        case Slot::pointer: out.ptr = reinterpret_cast<void*>(static_cast<uintptr_t>(raw.eax)); break;
        case Slot::none: break;
    }
    if (result) *result = out;
    return true;
}

}  // namespace xlhost::os
