/* The elementary functions of musl's libm (Debian source package musl), built from source for
   every target with the same flags: IEEE doubles in SSE2 registers, no contraction into fused
   multiply-adds, no run-time choice of code by processor. The same inputs give the same bits on
   Linux and in both Windows builds, whatever the processor. Errors, from musl's sources: exp
   0.511 ulp, pow 0.52 ulp, log1p and expm1 below 1 ulp; trunc is exact. */
#ifndef MUSL_MATH_H
#define MUSL_MATH_H

/* On i686 the library takes its double arguments in SSE registers rather than on the stack (it is
   built with -msseregparm); a double it returns still travels on the x87 stack, as the i386
   convention has it, loaded and stored whole and so unchanged. */
#if defined(__i386__)
#define MUSL_MATH_CALL __attribute__((sseregparm))
#else
#define MUSL_MATH_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

MUSL_MATH_CALL double musl_exp(double x);
MUSL_MATH_CALL double musl_pow(double x, double y);
MUSL_MATH_CALL double musl_log1p(double x);
MUSL_MATH_CALL double musl_expm1(double x);
MUSL_MATH_CALL double musl_trunc(double x);

/* ln(x) as the double nearest it plus *tail, together about 15 bits beyond a double (relative
   error near 2^-68). x > 0. */
MUSL_MATH_CALL double musl_log_inline_of(double x, double *tail);
/* e^(x + tail) to 0.52 ulp, for |tail| < 2^-15 and |tail| <= |x|. */
MUSL_MATH_CALL double musl_exp_inline_of(double x, double tail);

#ifdef __cplusplus
}
#endif

#endif
