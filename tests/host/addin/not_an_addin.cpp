// A library that exports a function but no xlAutoOpen: a DLL, but not an add-in Excel opens.
#include "xll/xlcall.h"

VX_EXPORT int VX_STDCALL not_an_addin_answer() { return 42; }
