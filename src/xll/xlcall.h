// Excel's two call entries, and the decoration every export of the add-in carries.
// On Windows they come from XLCALL32.DLL; on Linux from the stand-in libxlcall32.so.
#pragma once

#include "xll/xloper.h"

#if defined(_WIN32)
#define VX_STDCALL __stdcall
#define VX_CDECL __cdecl
#define VX_EXPORT extern "C" __declspec(dllexport)
#if defined(XLCALL32_BUILD)  // the stand-in call library itself
#define XLCALL_IMPORT __declspec(dllexport)
#else
#define XLCALL_IMPORT __declspec(dllimport)
#endif
#else
#define VX_STDCALL
#define VX_CDECL
#define VX_EXPORT extern "C" __attribute__((visibility("default")))
#define XLCALL_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

XLCALL_IMPORT int VX_CDECL Excel4(int xlfn, LPXLOPER operRes, int count, ...);
XLCALL_IMPORT int VX_STDCALL Excel4v(int xlfn, LPXLOPER operRes, int count, LPXLOPER opers[]);

#ifdef __cplusplus
}
#endif
