// The menu's commands as Excel runs them (each registered from the command catalogue and picked
// from the menu): every one answers true on every path.
#pragma once

#include "xll/type_text.h"
#include "xll/xlcall.h"

// The help page in a browser.
VX_EXPORT xll::Logical VX_STDCALL vx_chama_ajuda();
// The about box.
VX_EXPORT xll::Logical VX_STDCALL vx_chama_sobre();
// The language for the next load: Portuguese, English.
VX_EXPORT xll::Logical VX_STDCALL vx_chama_port();
VX_EXPORT xll::Logical VX_STDCALL vx_chama_ing();
