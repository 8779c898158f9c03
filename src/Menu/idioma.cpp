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

using ambiente::Idioma;

// The confirmation, then the failure message.
constexpr int confirmation = 0;
constexpr int failure = 1;
constexpr std::array<const char*, 2> messages_pt = {
    "Por favor, inicie novamente o Microsoft Excel para que as alterações tenham efeito.",
    "Houve erros durante o processo.\n\nPor favor, inicie novamente o Microsoft Excel.",
};
constexpr std::array<const char*, 2> messages_en = {
    "Please, restart Microsoft Excel to enjoy all changes.",
    "Error during process.\n\nPlease, restart Microsoft Excel.",
};
VX_COUNTED_STORAGE(messages_pt_storage, messages_pt);
VX_COUNTED_STORAGE(messages_en_storage, messages_en);
const ambiente::Bilingue<xll::CountedTable> messages{xll::counted_table(messages_pt_storage),
                                                     xll::counted_table(messages_en_storage)};

xll::Logical choose(Idioma chosen) {
    if (ambiente::idioma == chosen) return xll::Logical::yes;
    const xll::CountedTable& texts = messages.atual();
    try {
        plat::RegKey key = nullptr;
        // A user who may not write the machine-wide key stores nothing, and is not told.
        if (plat::reg_create_for_set(ambiente::settings_key, &key) == plat::reg_ok) {
            plat::reg_set_text(key, "IDIOMA", ambiente::idioma_no_registro.em(chosen));
            plat::reg_close(key);
        }
        menu::alerta(texts.text(0, confirmation), menu::alerta_informacao);
    } catch (...) {
        menu::alerta(texts.text(0, failure), menu::alerta_erro);
    }
    return xll::Logical::yes;
}

}  // namespace

VX_EXPORT xll::Logical VX_STDCALL vx_chama_port() {
    return xll::guarded(xll::Logical::yes, [] { return choose(Idioma::portugues); });
}

VX_EXPORT xll::Logical VX_STDCALL vx_chama_ing() {
    return xll::guarded(xll::Logical::yes, [] { return choose(Idioma::ingles); });
}
