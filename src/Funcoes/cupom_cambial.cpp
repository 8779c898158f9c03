#include "Funcoes/cupom_cambial.h"

#include <cmath>
#include <optional>

#include "Funcoes/arredondamento.h"
#include "Funcoes/elementares.h"

namespace funcoes {

namespace {

const double um_252 = 1.0 / 252;
const double um_360 = 1.0 / 360;

// Forward factor between the legs: the long DI factor over the short one.
double fator_a_termo(double taxa_longa, std::int32_t dias_longa, double taxa_curta,
                     std::int32_t dias_curta) {
    const double longa = elementar::pow(1.0 + taxa_longa, dias_longa * um_252);
    const double curta = elementar::pow(1.0 + taxa_curta, dias_curta * um_252);
    return longa / curta;
}

// Calendar days from one serial date to another, in the 32-bit integer the functions hold it in.
std::optional<std::int32_t> dias_corridos(std::int32_t de, std::int32_t ate) {
    return cabe_em_int32(static_cast<std::int64_t>(ate) - de);
}

// What an FRC quote leaves between the legs: Φ / K − 1 over d calendar days, K being the
// FRC discount d × c × 1/360 + 1.
struct Excesso {
    Erro erro = Erro::nenhum;
    double valor = 0;
    std::int32_t dias = 0;
};

Excesso excesso_sobre_frc(double taxa_frc, std::int32_t vcto_longa, std::int32_t dias_longa,
                          double taxa_curta, std::int16_t dias_curta, std::int32_t vcto_curta,
                          double taxa_longa) {
    Excesso e;
    const auto d = dias_corridos(vcto_curta, vcto_longa);
    if (!d) {
        e.erro = Erro::num;
        return e;
    }
    const double phi = fator_a_termo(taxa_longa, dias_longa, taxa_curta, dias_curta);
    const double k = *d * taxa_frc * um_360 + 1.0;
    if (k == 0) {
        e.erro = Erro::div0;
        return e;
    }
    e.valor = phi / k - 1.0;
    e.dias = *d;
    return e;
}

}  // namespace

Resultado cupfra(double taxa_curta, std::int16_t dias_curta, std::int32_t vcto_curta,
                 double taxa_longa, std::int32_t dias_longa, std::int32_t vcto_longa,
                 double rolagem, double dolar_curta) {
    if (!(taxa_curta > 0.0) || dias_curta <= 0 || !(dolar_curta >= 0.0) ||
        dias_longa <= dias_curta || vcto_longa <= vcto_curta)
        return Resultado::falha(Erro::na);
    const auto d = dias_corridos(vcto_curta, vcto_longa);
    if (!d) return Resultado::falha(Erro::num);
    const double phi = fator_a_termo(taxa_longa, dias_longa, taxa_curta, dias_curta);
    const double desvalorizacao = dolar_curta != 0 ? rolagem / dolar_curta * 12.0 : rolagem;
    const double k = *d * desvalorizacao * um_360 + 1.0;
    if (k == 0) return Resultado::falha(Erro::div0);
    return Resultado::numero((phi / k - 1.0) * 360.0 / *d);
}

Resultado cupfracurta(double taxa_frc, std::int32_t contratos, std::int32_t vcto_longa,
                      std::int32_t vcto_curta) {
    if (vcto_longa <= vcto_curta) return Resultado::falha(Erro::na);
    const auto d = dias_corridos(vcto_curta, vcto_longa);
    if (!d) return Resultado::falha(Erro::num);
    const double divisor = *d * um_360 * taxa_frc + 1.0;
    if (divisor == 0) return Resultado::falha(Erro::div0);
    const double q = contratos / divisor;
    const auto k = arredonda_meio_acima(q);
    if (!k) return Resultado::falha(Erro::num);
    return Resultado::numero(*k);
}

Resultado cupdesvimp(double taxa_frc, std::int32_t vcto_longa, std::int32_t dias_longa,
                     double taxa_curta, std::int16_t dias_curta, std::int32_t vcto_curta,
                     double taxa_longa) {
    if (vcto_longa <= vcto_curta || !(taxa_curta > 0.0) || dias_curta <= 0 ||
        dias_longa <= dias_curta)
        return Resultado::falha(Erro::na);
    const Excesso e = excesso_sobre_frc(taxa_frc, vcto_longa, dias_longa, taxa_curta, dias_curta,
                                        vcto_curta, taxa_longa);
    if (e.erro != Erro::nenhum) return Resultado::falha(e.erro);
    return Resultado::numero(e.valor * 360.0 / e.dias);
}

Resultado cuprolimp(double taxa_frc, std::int32_t vcto_longa, std::int32_t dias_longa,
                    double taxa_curta, std::int16_t dias_curta, double dolar_curta,
                    std::int32_t vcto_curta, double taxa_longa) {
    if (vcto_longa <= vcto_curta || !(taxa_curta > 0.0) || dias_curta <= 0 ||
        !(dolar_curta >= 0.0) || dias_longa <= dias_curta)
        return Resultado::falha(Erro::na);
    const Excesso e = excesso_sobre_frc(taxa_frc, vcto_longa, dias_longa, taxa_curta, dias_curta,
                                        vcto_curta, taxa_longa);
    if (e.erro != Erro::nenhum) return Resultado::falha(e.erro);
    // Daily devaluation, then points of the short-leg dollar per 30-day month.
    const double diaria = e.valor / e.dias;
    return Resultado::numero(dolar_curta * diaria * 30.0);
}

Resultado cupsujo(double ptax_ontem, double dolar_2, std::int32_t vcto_dolar_2, std::int32_t hoje,
                  double taxa_longa, std::int32_t dias_longa, std::int32_t vcto_longa,
                  double rolagens, bool em_taxa) {
    if (!(ptax_ontem > 0.0) || dias_longa <= 0 || vcto_longa <= vcto_dolar_2)
        return Resultado::falha(Erro::na);
    const double fator_di = elementar::pow(1.0 + taxa_longa, dias_longa * um_252);
    const auto ate_longa = dias_corridos(hoje, vcto_longa);
    const auto ate_dolar_2 = dias_corridos(hoje, vcto_dolar_2);
    if (!ate_longa || !ate_dolar_2) return Resultado::falha(Erro::num);
    // Today's PTAX is in reais per dollar; the futures are quoted per 1000 dollars.
    const double dolar_mil = *ate_dolar_2 == 0 ? dolar_2 * 1000.0 : dolar_2;
    if (!em_taxa && dolar_mil == 0) return Resultado::falha(Erro::div0);
    const double desvalorizacao = em_taxa ? rolagens : rolagens / dolar_mil * 12.0;
    // The long leg is carried one calendar day less than the days to it.
    const double a = (static_cast<double>(*ate_longa) - 1.0) * desvalorizacao * um_360 + 1.0;
    const double b = *ate_dolar_2 * desvalorizacao * um_360 + 1.0;
    if (b == 0) return Resultado::falha(Erro::div0);
    const double variacao = a * ((0.001 * dolar_mil) / b / ptax_ontem);
    if (variacao == 0 || *ate_longa == 0) return Resultado::falha(Erro::div0);
    return Resultado::numero((fator_di / variacao - 1.0) * 360.0 / *ate_longa);
}

}  // namespace funcoes
