#include "addin/process_attach.h"

#include "Menu/menu_tables.h"
#include "addin/catalogue.h"
#include "ambiente/configuracao.h"
#include "automacao/reference_fallback.h"
#include "xll/coerce.h"

namespace addin {

void process_attach() {
    ambiente::read_settings();
    // A range Excel 97 cannot read beside other instances of it is read through the bridge.
    xll::set_reference_fallback(automacao::read_reference);
    // Only the chosen language's tables; the other language's texts are left as they are.
    function_catalogue().prepare();
    command_catalogue.prepare();
    menu::menu_table().prepare();
    menu::submenu_table().prepare();
}

}  // namespace addin
