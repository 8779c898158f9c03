// The worksheet functions as Excel calls them, in catalogue order. Each catalogue row takes its
// procedure name and type text from the declaration here; each export's definition is checked
// against it by the compiler.
#pragma once

#include <stdint.h>

#include "xll/type_text.h"
#include "xll/xlcall.h"

VX_EXPORT LPXLOPER VX_STDCALL interpol(int16_t dias, LPXLOPER curva, double anos_flat);
VX_EXPORT LPXLOPER VX_STDCALL cspline(int16_t dias, LPXLOPER curva);
VX_EXPORT LPXLOPER VX_STDCALL duration(LPXLOPER curva, LPXLOPER portfolio);
VX_EXPORT LPXLOPER VX_STDCALL hedge(double taxa_di1, int16_t dias_di1, int32_t valor_face, double taxa_posicao,
                                    int16_t vencimento, int16_t duracao_alvo, double taxa_alvo, double beta);
VX_EXPORT LPXLOPER VX_STDCALL volproj(double hora_atual, int32_t volume_atual, double inicio_pregao,
                                      double fim_pregao, double fim_manha, double inicio_tarde);
VX_EXPORT LPXLOPER VX_STDCALL indjusto(int32_t indice_vista, int16_t dias, LPXLOPER curva);
VX_EXPORT LPXLOPER VX_STDCALL indtaxa(int32_t indice_futuro, int16_t dias, int32_t indice_vista);
VX_EXPORT LPXLOPER VX_STDCALL inddif(int32_t indice_vista, int32_t indice_futuro, int16_t dias, LPXLOPER curva);
VX_EXPORT LPXLOPER VX_STDCALL cupfra(double taxa_curta, int16_t dias_curta, int32_t vcto_curta, double taxa_longa,
                                     int32_t dias_longa, int32_t vcto_longa, double rolagem, double dolar_curta);
VX_EXPORT LPXLOPER VX_STDCALL cupfracurta(double taxa_frc, int32_t contratos, int32_t vcto_longa,
                                          int32_t vcto_curta);
VX_EXPORT LPXLOPER VX_STDCALL cuprolimp(double taxa_frc, int32_t vcto_longa, int32_t dias_longa, double taxa_curta,
                                        int16_t dias_curta, double dolar_curta, int32_t vcto_curta,
                                        double taxa_longa);
VX_EXPORT LPXLOPER VX_STDCALL cupdesvimp(double taxa_frc, int32_t vcto_longa, int32_t dias_longa, double taxa_curta,
                                         int16_t dias_curta, int32_t vcto_curta, double taxa_longa);
VX_EXPORT LPXLOPER VX_STDCALL cupsujo(double ptax_ontem, double dolar_2, int32_t vcto_dolar_2, int32_t hoje,
                                      double taxa_longa, int32_t dias_longa, int32_t vcto_longa, double rolagens,
                                      xll::Logical tipo);
VX_EXPORT LPXLOPER VX_STDCALL du(double data_inicial, double data_final, double regime);
VX_EXPORT LPXLOPER VX_STDCALL diautil(double data, double n, double regime);
VX_EXPORT LPXLOPER VX_STDCALL ehdiautil(double data);
VX_EXPORT LPXLOPER VX_STDCALL feriados(double ano_inicial, double ano_final);
VX_EXPORT LPXLOPER VX_STDCALL di1venc(const char* codigo);
VX_EXPORT LPXLOPER VX_STDCALL di1pu(double taxa, double du);
VX_EXPORT LPXLOPER VX_STDCALL di1taxa(double pu, double du);
VX_EXPORT LPXLOPER VX_STDCALL di1dv01(double taxa, double du);
