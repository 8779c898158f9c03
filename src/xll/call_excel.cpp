#include "xll/call_excel.h"

#include <stdarg.h>

#include "xll/coerce.h"
#include "xll/debug_print.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace xll {

namespace {

// One diagnostic piece per debug_print, in this order, so a reader of the debugger output sees
// which flags the function number carried and every reason the code gives.
void report_failure(int function, int code) {
    debug_print("Erro! Excel4(");
    if (function & xlCommand) debug_print("xlCommand | ");
    if (function & xlSpecial) debug_print("xlSpecial | ");
    if (function & xlIntl) debug_print("xlIntl | ");
    if (function & xlPrompt) debug_print("xlPrompt | ");
    debug_print("%u) falha em callback:", static_cast<unsigned>(function & 0x0FFF));
    if (code & xlretAbort) debug_print(" Macro Abortada\r");
    if (code & xlretInvXlfn) debug_print(" Função Inválida\r");
    if (code & xlretInvCount) debug_print(" Número de argumentos inválido\r");
    if (code & xlretInvXloper) debug_print(" Invalido XLOPER\r");
    if (code & xlretStackOvfl) debug_print(" Stack Overflow\r");
    if (code & xlretFailed) debug_print(" Falha na execução do comando\r");
    if (code & xlretUncalced) debug_print(" Célula sem cálculo\r");
}

// A failed call has its diagnostic, and the pool is emptied whatever the code.
int finish(int function, int code) {
    if (code != xlretSuccess) report_failure(function, code);
    scratch_reset();
    return code;
}

}  // namespace

int call_excel_v(int function, LPXLOPER result, int count, LPXLOPER* arguments) {
    for (int i = 0; i < count; ++i) {
        if (arguments == nullptr || arguments[i] == nullptr) {
            debug_print("Erro! Parâmetro zero está sendo passado para o Excel. Limpando memória...\r");
            scratch_reset();
            return xlretFailed;
        }
    }
    const int code = function == xlCoerce ? coerce_value(result, count, arguments)
                                          : Excel4v(function, result, count, arguments);
    return finish(function, code);
}

int call_excel(int function, LPXLOPER result, int count, ...) {
    // More arguments than Excel takes cannot be collected; Excel would answer the same code.
    if (count < 0 || count > max_call_arguments) return finish(function, xlretInvCount);
    LPXLOPER arguments[max_call_arguments];
    va_list list;
    va_start(list, count);
    for (int i = 0; i < count; ++i) arguments[i] = va_arg(list, LPXLOPER);
    va_end(list);
    return call_excel_v(function, result, count, arguments);
}

}  // namespace xll
