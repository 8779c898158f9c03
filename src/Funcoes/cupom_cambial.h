// The Brazilian FX coupon (the dollar-linked interest rate): the clean FX coupon forward (FRC)
// between a short and a long leg, the short-leg contracts it registers, the dollar roll and
// devaluation it implies, and the dirty coupon from PTAX or a dollar future.
// Real-denominated rates are effective annual on 252 business days; coupon, FRC and
// devaluation rates are linear annual ACT/360; dates are Excel serial day numbers; dollar
// futures are quoted in reais per 1000 dollars, PTAX in reais per dollar.
#pragma once

#include <cstdint>

#include "Funcoes/resultado.h"

namespace funcoes {

// VX.CUPOM_FRA: the FRC rate implied by the two DI rates and the dollar roll. With a short
// dollar of 0 the roll is an annual devaluation rate; otherwise it is in points of that dollar.
Resultado cupfra(double taxa_curta, std::int16_t dias_curta, std::int32_t vcto_curta,
                 double taxa_longa, std::int32_t dias_longa, std::int32_t vcto_longa,
                 double rolagem, double dolar_curta);

// VX.CUPOM_FRACRUTA: the contracts to register on the short leg for one client.
Resultado cupfracurta(double taxa_frc, std::int32_t contratos, std::int32_t vcto_longa,
                      std::int32_t vcto_curta);

// VX.CUPOM_ROLIMP: the dollar roll implied by an FRC quote, in points per 30-day month.
Resultado cuprolimp(double taxa_frc, std::int32_t vcto_longa, std::int32_t dias_longa,
                    double taxa_curta, std::int16_t dias_curta, double dolar_curta,
                    std::int32_t vcto_curta, double taxa_longa);

// VX.CUPOM_DESVIMP: the annual devaluation rate implied by an FRC quote.
Resultado cupdesvimp(double taxa_frc, std::int32_t vcto_longa, std::int32_t dias_longa,
                     double taxa_curta, std::int16_t dias_curta, std::int32_t vcto_curta,
                     double taxa_longa);

// VX.CUPOM_SUJO: the dirty FX coupon from yesterday's PTAX. `em_taxa` false: the roll is in
// points of dollar 2; true: it is an annual devaluation rate.
Resultado cupsujo(double ptax_ontem, double dolar_2, std::int32_t vcto_dolar_2, std::int32_t hoje,
                  double taxa_longa, std::int32_t dias_longa, std::int32_t vcto_longa,
                  double rolagens, bool em_taxa);

}  // namespace funcoes
