// Excel's main window: the owner of the add-in's message boxes and dialogs.
#pragma once

#include "platform/platform.h"

namespace ambiente {

// Null until found; a null owner shows message boxes without one.
extern plat::Window excel_hwnd;

// Asks Excel for the low 16 bits of its main window's handle and looks among the top-level
// windows for the first one of class "XLMAIN" (any case) with those bits; that window becomes
// excel_hwnd. When Excel does not answer or no window matches, excel_hwnd is left as it was.
// Answers excel_hwnd.
plat::Window find_excel_window();

}  // namespace ambiente
