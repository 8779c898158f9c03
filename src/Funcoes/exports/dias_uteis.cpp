// VX.DU, VX.DIAUTIL, VX.EHDIAUTIL and VX.FERIADOS (an n × 1 array handed to Excel with
// xlbitDLLFree).
#include "Funcoes/dias_uteis.h"
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"

VX_EXPORT LPXLOPER VX_STDCALL du(double data_inicial, double data_final, double regime) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::du(data_inicial, data_final, regime); });
}

VX_EXPORT LPXLOPER VX_STDCALL diautil(double data, double n, double regime) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::diautil(data, n, regime); });
}

VX_EXPORT LPXLOPER VX_STDCALL ehdiautil(double data) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::ehdiautil(data); });
}

VX_EXPORT LPXLOPER VX_STDCALL feriados(double ano_inicial, double ano_final) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::feriados(ano_inicial, ano_final); });
}
