// The value record of Excel's C API in its 8-bit form, with Excel's published names for the
// type codes, error codes, return codes and function numbers that this add-in uses.
// Written from Excel's documented tables: on 32-bit Windows a record is 16 bytes, on 64-bit
// Windows (and x86-64 Linux) 24, so whatever sizes or walks records uses sizeof(XLOPER).
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// A sheet's identifier: as wide as a pointer (32 bits in a 32-bit Excel, 64 in a 64-bit one).
typedef uintptr_t IDSHEET;

// One rectangle: 0-based rows (16-bit) and columns (8-bit).
typedef struct xlref {
    uint16_t rwFirst;
    uint16_t rwLast;
    uint8_t colFirst;
    uint8_t colLast;
} XLREF;

// A list of rectangles; `reftbl` holds `count` entries.
typedef struct xlmref {
    uint16_t count;
    XLREF reftbl[1];
} XLMREF;

typedef struct xloper {
    union {
        double num;      // xltypeNum
        char* str;       // xltypeStr: counted string, length byte first
        uint16_t xbool;  // xltypeBool
        uint16_t err;    // xltypeErr
        int16_t w;       // xltypeInt
        struct {
            uint16_t count;  // always 1
            XLREF ref;
        } sref;              // xltypeSRef
        struct {
            XLMREF* lpmref;
            IDSHEET idSheet;
        } mref;              // xltypeRef
        struct {
            struct xloper* lparray;  // rows x columns records, row by row
            uint16_t rows;
            uint16_t columns;
        } array;             // xltypeMulti
    } val;
    uint16_t xltype;
} XLOPER, *LPXLOPER;

// Type codes.
enum {
    xltypeNum = 0x0001,
    xltypeStr = 0x0002,
    xltypeBool = 0x0004,
    xltypeRef = 0x0008,
    xltypeErr = 0x0010,
    xltypeFlow = 0x0020,
    xltypeMulti = 0x0040,
    xltypeMissing = 0x0080,
    xltypeNil = 0x0100,
    xltypeSRef = 0x0400,
    xltypeInt = 0x0800,
    xlbitXLFree = 0x1000,
    xlbitDLLFree = 0x4000,
};

// Error codes of xltypeErr.
enum {
    xlerrNull = 0,
    xlerrDiv0 = 7,
    xlerrValue = 15,
    xlerrRef = 23,
    xlerrName = 29,
    xlerrNum = 36,
    xlerrNA = 42,
};

// Return codes of Excel4/Excel4v (bit flags; 0 is success).
enum {
    xlretSuccess = 0,
    xlretAbort = 1,
    xlretInvXlfn = 2,
    xlretInvCount = 4,
    xlretInvXloper = 8,
    xlretStackOvfl = 16,
    xlretFailed = 32,
    xlretUncalced = 64,
};

// Flag bits of a function number.
enum {
    xlCommand = 0x8000,
    xlSpecial = 0x4000,
    xlIntl = 0x2000,
    xlPrompt = 0x1000,
};

// Special functions.
enum {
    xlFree = 0 | xlSpecial,
    xlStack = 1 | xlSpecial,
    xlCoerce = 2 | xlSpecial,
    xlSet = 3 | xlSpecial,
    xlSheetId = 4 | xlSpecial,
    xlSheetNm = 5 | xlSpecial,
    xlAbort = 6 | xlSpecial,
    xlGetInst = 7 | xlSpecial,
    xlGetHwnd = 8 | xlSpecial,
    xlGetName = 9 | xlSpecial,
};

// Worksheet and macro-sheet functions. The international flag (xlIntl) is added where a call
// needs it, for instance xlfAddMenu | xlIntl.
enum {
    xlfOr = 37,
    xlfSetName = 88,
    xlfSelection = 95,
    xlfIstext = 127,
    xlfRegister = 149,
    xlfCall = 150,
    xlfAddMenu = 152,
    xlfCheckCommand = 155,
    xlfDeleteMenu = 158,
    xlfGetBar = 182,
    xlfGetCell = 185,
    xlfGetWorkspace = 186,
    xlfUnregister = 201,
    xlfRegisterId = 267,
};

// Commands (the command flag is part of the number).
enum {
    xlcClose = 16 | xlCommand,
    xlcFormatNumber = 42 | xlCommand,
    xlcAlignment = 43 | xlCommand,
    xlcBorder = 45 | xlCommand,
    xlcColumnWidth = 47 | xlCommand,
    xlcClear = 52 | xlCommand,
    xlcAttachText = 80 | xlCommand,
    xlcSelectChart = 82 | xlCommand,
    xlcSelectPlotArea = 83 | xlCommand,
    xlcPatterns = 84 | xlCommand,
    xlcFormula = 96 | xlCommand,
    xlcCalculateNow = 103 | xlCommand,
    xlcSelect = 109 | xlCommand,
    xlcAlert = 118 | xlCommand,
    xlcNew = 119 | xlCommand,
    xlcEcho = 141 | xlCommand,
    xlcEditSeries = 228 | xlCommand,
    xlcWorkbookActivate = 292 | xlCommand,
    xlcOptionsView = 320 | xlCommand,
    xlcOptionsChart = 325 | xlCommand,
    xlcWorkbookInsert = 354 | xlCommand,
    xlcFontProperties = 381 | xlCommand,
    xlcWorkbookHide = 383 | xlCommand,
    xlcWorkbookName = 386 | xlCommand,
    xlcFormatCharttype = 423 | xlCommand,
    xlcActiveCellFont = 476 | xlCommand,
};

#ifdef __cplusplus
}

namespace xll {

// A value's type without the two flags that say who releases it (xlbitXLFree, xlbitDLLFree).
constexpr uint16_t base_type(const XLOPER& value) {
    return static_cast<uint16_t>(value.xltype & ~(xlbitXLFree | xlbitDLLFree));
}

}  // namespace xll
#endif
