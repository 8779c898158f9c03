/* In front of musl's internal libm.h: glibc's <math.h> declares its own __sin, __cos and __tan
   (and the long double ones), which musl's libm.h declares again with other arguments. The
   system's declarations come first; musl's then get names of their own. No function built here
   uses them. mingw-w64's classification macros (isnan, ...) are x87 code on i686: the compiler's
   own take their place, which test doubles in SSE2 registers like the rest. */
#include <float.h>
#include <math.h>
#include <stdint.h>
#define __sin musl_unused___sin
#define __cos musl_unused___cos
#define __tan musl_unused___tan
#define __sinl musl_unused___sinl
#define __cosl musl_unused___cosl
#define __tanl musl_unused___tanl
#undef isnan
#undef isinf
#undef isfinite
#undef isnormal
#undef signbit
#undef fpclassify
#define isnan(x) __builtin_isnan(x)
#define isinf(x) __builtin_isinf(x)
#define isfinite(x) __builtin_isfinite(x)
#define isnormal(x) __builtin_isnormal(x)
#define signbit(x) __builtin_signbit(x)
#define fpclassify(x) __builtin_fpclassify(FP_NAN, FP_INFINITE, FP_NORMAL, FP_SUBNORMAL, FP_ZERO, x)
#include_next "libm.h"
