// xlAddInManagerInfo: Excel's Add-In Manager asks for the add-in's long name (item 1).
#include <string.h>

#include <algorithm>
#include <string>

#include "ambiente/idioma.h"
#include "xll/boundary.h"
#include "xll/call_excel.h"
#include "xll/counted_text.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace {

using ambiente::Idioma;

constexpr ambiente::Bilingue<const char*> long_names{"Varentis - Cálculos para Mercado Financeiro",
                                                     "Varentis - Calculations for Financial Market"};
constexpr size_t longest_name = std::max(std::char_traits<char>::length(long_names.em(Idioma::portugues)),
                                         std::char_traits<char>::length(long_names.em(Idioma::ingles)));

// The answer's text must stay valid after the call returns: a static counted string (the
// reserved length byte, the characters, the NUL).
char long_name[1 + longest_name + 1];
XLOPER manager_answer;

}  // namespace

VX_EXPORT LPXLOPER VX_STDCALL xlAddInManagerInfo(LPXLOPER item) {
    return xll::guarded(&manager_answer, [&] {
        xll::set_error(manager_answer, xlerrValue);
        const char* name = long_names.atual();
        memcpy(long_name + 1, name, strlen(name) + 1);

        XLOPER number{};
        const int code = xll::call_excel(xlCoerce, &number, 2, item, xll::scratch_integer(xltypeInt));
        if (code == xlretSuccess && number.xltype == xltypeInt && number.val.w == 1) {
            xll::set_counted_length(long_name);
            manager_answer.xltype = xltypeStr;
            manager_answer.val.str = long_name;
        }
        return &manager_answer;
    });
}
