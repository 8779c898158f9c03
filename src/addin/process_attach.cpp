#include "addin/process_attach.h"

#include "Menu/menu_tables.h"
#include "addin/catalogue.h"
#include "ambiente/configuracao.h"

namespace addin {

void process_attach() {
    ambiente::read_settings();
    // Only the chosen language's tables; the other language's texts are left as they are.
    function_catalogue().prepare();
    command_catalogue.prepare();
    menu::menu_table().prepare();
    menu::submenu_table().prepare();
}

}  // namespace addin
