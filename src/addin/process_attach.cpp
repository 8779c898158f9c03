#include "addin/process_attach.h"

#include "Menu/menu_tables.h"
#include "addin/catalogue.h"
#include "addin/settings.h"

namespace addin {

void process_attach() {
    read_settings();
    // Only the chosen language's tables; the other language's texts are left as they are.
    function_catalogue().prepare();
    command_catalogue.prepare();
    menu::menu_table(idioma).prepare();
    menu::submenu_table(idioma).prepare();
}

}  // namespace addin
