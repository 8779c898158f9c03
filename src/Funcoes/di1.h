// DI1 futures: the maturity of a contract from its code, and the unit price (PU), the implied
// rate and the DV01 of a contract worth 100000 at maturity, at an effective annual rate on a
// 252-business-day year. Rates are fractions (0.14901 is 14.901 % a year); the business days
// to maturity are a whole number from 1 on. Anything else is #VALUE!.
#pragma once

#include "Funcoes/resultado.h"

namespace funcoes {

constexpr double valor_de_face_di1 = 100000.0;

// VX.DI1_VENC: the first business day of the contract's month, from "DI1F26" or "F26" (month
// letters F G H J K M N Q U V X Z for January to December, the year 20yy).
Resultado di1_venc(const char* codigo);

// VX.DI1_PU: 100000 / (1 + taxa)^(du/252), rounded to the cent as ROUND(x; 2) rounds.
Resultado di1_pu(double taxa, double du);

// VX.DI1_TAXA: (100000 / pu)^(252/du) − 1, unrounded.
Resultado di1_taxa(double pu, double du);

// VX.DI1_DV01: the change of the unrounded price for one basis point of rate,
// 0.0001 · (du/252) / (1 + taxa) · 100000 / (1 + taxa)^(du/252).
Resultado di1_dv01(double taxa, double du);

}  // namespace funcoes
