// Messages of the menu commands: Excel's ALERT box with a single OK button.
#pragma once

#include <stdint.h>

namespace menu {

constexpr int16_t alerta_informacao = 2;
constexpr int16_t alerta_erro = 3;

// `texto` is a writable text with a reserved first byte (it becomes the length). The ALERT
// call's own result is not used.
void alerta(char* texto, int16_t tipo);

}  // namespace menu
