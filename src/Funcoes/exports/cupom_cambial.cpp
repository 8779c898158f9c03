// VX.CUPOM_FRA, VX.CUPOM_FRACRUTA, VX.CUPOM_ROLIMP, VX.CUPOM_DESVIMP and VX.CUPOM_SUJO.
#include "Funcoes/cupom_cambial.h"
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"

using std::int16_t;
using std::int32_t;

VX_EXPORT LPXLOPER VX_STDCALL cupfra(double taxa_curta, int16_t dias_curta, int32_t vcto_curta, double taxa_longa,
                                     int32_t dias_longa, int32_t vcto_longa, double rolagem, double dolar_curta) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::cupfra(taxa_curta, dias_curta, vcto_curta, taxa_longa, dias_longa, vcto_longa, rolagem,
                               dolar_curta);
    });
}

VX_EXPORT LPXLOPER VX_STDCALL cupfracurta(double taxa_frc, int32_t contratos, int32_t vcto_longa,
                                          int32_t vcto_curta) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::cupfracurta(taxa_frc, contratos, vcto_longa, vcto_curta);
    });
}

VX_EXPORT LPXLOPER VX_STDCALL cuprolimp(double taxa_frc, int32_t vcto_longa, int32_t dias_longa, double taxa_curta,
                                        int16_t dias_curta, double dolar_curta, int32_t vcto_curta,
                                        double taxa_longa) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::cuprolimp(taxa_frc, vcto_longa, dias_longa, taxa_curta, dias_curta, dolar_curta, vcto_curta,
                                  taxa_longa);
    });
}

VX_EXPORT LPXLOPER VX_STDCALL cupdesvimp(double taxa_frc, int32_t vcto_longa, int32_t dias_longa, double taxa_curta,
                                         int16_t dias_curta, int32_t vcto_curta, double taxa_longa) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::cupdesvimp(taxa_frc, vcto_longa, dias_longa, taxa_curta, dias_curta, vcto_curta, taxa_longa);
    });
}

// "Tipo" arrives as Excel's logical: 0 false, anything else true.
VX_EXPORT LPXLOPER VX_STDCALL cupsujo(double ptax_ontem, double dolar_2, int32_t vcto_dolar_2, int32_t hoje,
                                      double taxa_longa, int32_t dias_longa, int32_t vcto_longa, double rolagens,
                                      xll::Logical tipo) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::cupsujo(ptax_ontem, dolar_2, vcto_dolar_2, hoje, taxa_longa, dias_longa, vcto_longa, rolagens,
                                xll::is_true(tipo));
    });
}
