#include "Menu/alerta.h"

#include "xll/call_excel.h"
#include "xll/scratch.h"

namespace menu {

void alerta(char* texto, int16_t tipo) {
    xll::call_excel(xlcAlert, nullptr, 2, xll::scratch_text(texto), xll::scratch_integer(tipo));
}

}  // namespace menu
