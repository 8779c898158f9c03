// vx_chama_port and vx_chama_ing: the language submenu. A command stores the other language
// in the settings key and asks the user to restart Excel; the running add-in keeps the
// language it was loaded with. Each speaks the language being left, the only one active when
// it does anything.
#include <array>

#include "Menu/alerta.h"
#include "Menu/comandos.h"
#include "ambiente/configuracao.h"
#include "platform/platform.h"
#include "xll/boundary.h"
#include "xll/counted_text.h"

namespace {

// Row 0 the English messages (of vx_chama_port), row 1 the Portuguese (of vx_chama_ing).
constexpr std::array<const char*, 4> message_texts = {
    "Please, restart Microsoft Excel to enjoy all changes.",
    "Error during process.\n\nPlease, restart Microsoft Excel.",
    "Por favor, inicie novamente o Microsoft Excel para que as alterações tenham efeito.",
    "Houve erros durante o processo.\n\nPor favor, inicie novamente o Microsoft Excel.",
};
VX_COUNTED_STORAGE(message_storage, message_texts);
const xll::CountedTable messages{message_storage.bytes, message_storage.offsets, 2, 2};
constexpr int confirmation = 0;
constexpr int failure = 1;

struct Choice {
    int idioma;        // the language chosen
    const char* data;  // what IDIOMA then holds
    int messages_row;
};
constexpr Choice portuguese{1, "1", 0};
constexpr Choice english{2, "2", 1};

xll::Logical choose(const Choice& choice) {
    if (ambiente::idioma == choice.idioma) return xll::Logical::yes;
    try {
        plat::RegKey key = nullptr;
        // A user who may not write the machine-wide key stores nothing, and is not told.
        if (plat::reg_create_for_set(ambiente::settings_key, &key) == plat::reg_ok) {
            plat::reg_set_text(key, "IDIOMA", choice.data);
            plat::reg_close(key);
        }
        menu::alerta(messages.text(choice.messages_row, confirmation), menu::alerta_informacao);
    } catch (...) {
        menu::alerta(messages.text(choice.messages_row, failure), menu::alerta_erro);
    }
    return xll::Logical::yes;
}

}  // namespace

VX_EXPORT xll::Logical VX_STDCALL vx_chama_port() {
    return xll::guarded(xll::Logical::yes, [] { return choose(portuguese); });
}

VX_EXPORT xll::Logical VX_STDCALL vx_chama_ing() {
    return xll::guarded(xll::Logical::yes, [] { return choose(english); });
}
