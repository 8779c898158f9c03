// The chart command as Excel runs it (registered from the command catalogue, picked from the
// menu).
#pragma once

#include "xll/type_text.h"
#include "xll/xlcall.h"

// True when the dialog was shown (and has since closed), false when the selection was refused.
VX_EXPORT xll::Logical VX_STDCALL vx_chama_cmp();
