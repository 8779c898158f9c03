// The chart command's messages: a Windows message box with the error icon and an OK button,
// owned by Excel's main window and captioned "Atenção" or "Warning".
#pragma once

#include "ambiente/idioma.h"

namespace cmp {

// The box shows the text of the language setting.
void avisa(const ambiente::Bilingue<const char*>& texto);

// The construction of the chart failed: Excel's window is looked up again first, and the user
// is told to disregard what was built.
void avisa_falha_na_montagem();

}  // namespace cmp
