/* musl's pow, and beside it the two kernels it is built from, for callers that carry a logarithm
   with more bits than a double holds (a discount factor raised to a power of dozens): the
   logarithm as a value and a tail about 15 bits further, and the exponential of a value and a
   tail. The kernels are pow.c's own, compiled here with it. */
#include "pow.c"

double log_inline_of(double x, double *tail);
double exp_inline_of(double x, double tail);

double log_inline_of(double x, double *tail)
{
	*tail = 0.0;
	/* The kernel takes a positive normal number: the rest answers as log does. */
	if (!(x >= 0x1p-1022) || x == INFINITY)
		return x == 0.0 ? -INFINITY : x > 0.0 ? x : (x - x) / (x - x);
	double_t t;
	double_t y = log_inline(asuint64(x), &t);
	*tail = t;
	return y;
}

double exp_inline_of(double x, double tail)
{
	/* The kernel leaves infinities and NaN to its caller, as pow does. */
	if (isnan(x) || isnan(tail))
		return x + tail;
	if (isinf(x))
		return x > 0 ? x : 0.0;
	return exp_inline(x, tail, 0);
}
