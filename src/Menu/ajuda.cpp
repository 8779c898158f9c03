// vx_chama_ajuda: the help page on the maker's web server, opened in a browser started on its
// own. Explorer is tried first, by name along PATH and then by its searched full path, then
// Netscape the same two ways; only when none of them starts is the user told.
#include <stdint.h>

#include <array>

#include "Menu/alerta.h"
#include "Menu/comandos.h"
#include "ambiente/idioma.h"
#include "platform/platform.h"
#include "xll/boundary.h"
#include "xll/counted_text.h"

namespace {

constexpr ambiente::Bilingue<const char*> help_pages{
    "http://www.marvessa.com.br/produtos/tecnologia/addin/varentis/manual/ajuda.php",
    "http://www.marvessa.com.br/produtos/tecnologia/addin/varentis/manual/ajuda_en.php"};

constexpr std::array<const char*, 1> error_pt = {
    "Não foi possível acessar a página na Internet. Verifique se você tem uma conexão ativa ou o "
    "navegador Internet Explorer ou Netscape instalado.",
};
constexpr std::array<const char*, 1> error_en = {
    "Internet access error. Please, check if you are connected  or if you have one of the two browser "
    "installed: Internet Explorer or Netscape.",
};
VX_COUNTED_STORAGE(error_pt_storage, error_pt);
VX_COUNTED_STORAGE(error_en_storage, error_en);
const ambiente::Bilingue<xll::CountedTable> errors{xll::counted_table(error_pt_storage),
                                                   xll::counted_table(error_en_storage)};

constexpr intptr_t not_started = -1;
constexpr uint32_t path_buffer_size = 500;

intptr_t by_name(const char* program, const char* url) { return plat::spawn_nowait(program, program, url); }

// The program's full path from the system's search order; nothing found, or a path that does
// not fit the buffer, fails without a launch.
intptr_t by_searched_path(const char* file, const char* url) {
    try {
        char path[path_buffer_size];
        const uint32_t length = plat::search_path(file, ".exe", path, path_buffer_size);
        if (length == 0 || length >= path_buffer_size) return not_started;
        return plat::spawn_nowait(path, path, url);
    } catch (...) {
        return not_started;
    }
}

}  // namespace

VX_EXPORT xll::Logical VX_STDCALL vx_chama_ajuda() {
    return xll::guarded(xll::Logical::yes, [] {
        const char* url = help_pages.atual();
        intptr_t launched = not_started;
        if (launched == not_started) launched = by_name("explorer.exe", url);
        if (launched == not_started) launched = by_searched_path("explorer", url);
        if (launched == not_started) launched = by_name("netscape.exe", url);
        if (launched == not_started) launched = by_searched_path("netscape", url);
        if (launched == not_started) menu::alerta(errors.atual().text(0, 0), menu::alerta_erro);
        return xll::Logical::yes;
    });
}
