// vx_chama_sobre: the about box, with the installed version and the maker's signature.
#include <string.h>

#include "Menu/alerta.h"
#include "Menu/comandos.h"
#include "ambiente/configuracao.h"
#include "ambiente/idioma.h"
#include "xll/boundary.h"
#include "xll/counted_text.h"

namespace {

// Per language: the first part (up to the version) and the signature line; then the web address.
constexpr ambiente::Bilingue<const char*> primeira_parte{
    "Varentis - Cálculos para Mercado Financeiro\nSuplemento para Microsoft Excel\nVersão: ",
    "Varentis - Calcs for Financial Market\nMicrosoft Excel Add-in\nVersion: "};
constexpr ambiente::Bilingue<const char*> assinatura{"Marvessa Sistemas Financeiros", "Marvessa Financial Systems"};
constexpr const char* endereco_web = "www.marvessa.com.br";

// The reserved length byte, at most 255 characters, the NUL.
char texto[1 + xll::counted_text_max + 1];

// Appends as much of `parte` as still fits in a counted string.
void junta(size_t& usado, const char* parte) {
    for (; *parte != '\0' && usado < xll::counted_text_max; ++parte) texto[1 + usado++] = *parte;
    texto[1 + usado] = '\0';
}

}  // namespace

VX_EXPORT xll::Logical VX_STDCALL vx_chama_sobre() {
    return xll::guarded(xll::Logical::yes, [] {
        // A counted string holds 255 characters: a text that would be longer (only a very long
        // VERSAO makes it so) is cut at 255, losing its end rather than the whole box.
        size_t usado = 0;
        junta(usado, primeira_parte.atual());
        junta(usado, ambiente::versao_text);
        junta(usado, "\n\n");
        junta(usado, assinatura.atual());
        junta(usado, "\n");
        junta(usado, endereco_web);
        menu::alerta(texto, menu::alerta_informacao);
        return xll::Logical::yes;
    });
}
