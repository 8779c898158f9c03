#include "Funcoes/di1.h"

#include <cmath>
#include <cstring>

#include "Funcoes/arredondamento.h"
#include "Funcoes/calendario.h"
#include "Funcoes/elementares.h"

namespace funcoes {

namespace {

// A count of business days to maturity: a whole number from 1 on.
bool du_valido(double du) { return std::isfinite(du) && du >= 1.0 && elementar::trunc(du) == du; }
bool taxa_valida(double taxa) { return std::isfinite(taxa) && taxa > -1.0; }

// 100000 / (1 + taxa)^(du/252), through ln(1 + taxa) carried beyond a double: the power
// multiplies the error of its base by du / 252.
double pu_exato(double taxa, double du) {
    return valor_de_face_di1 / elementar::exp(elementar::log1p_duplo(taxa) * du / 252.0);
}

int mes_da_letra(char letra) {
    static constexpr char letras[] = "FGHJKMNQUVXZ";
    for (int i = 0; i < 12; ++i)
        if (letras[i] == letra) return i + 1;
    return 0;
}

bool eh_digito(char c) { return c >= '0' && c <= '9'; }

}  // namespace

Resultado di1_venc(const char* codigo) {
    if (codigo == nullptr) return Resultado::falha(Erro::valor);
    if (std::strncmp(codigo, "DI1", 3) == 0) codigo += 3;
    if (std::strlen(codigo) != 3 || !eh_digito(codigo[1]) || !eh_digito(codigo[2]))
        return Resultado::falha(Erro::valor);
    const int mes = mes_da_letra(codigo[0]);
    if (mes == 0) return Resultado::falha(Erro::valor);
    const int ano = 2000 + 10 * (codigo[1] - '0') + (codigo[2] - '0');
    if (ano < primeiro_ano) return Resultado::falha(Erro::num);  // "F00": January 2000
    const std::int32_t primeiro_dia = serial_de(ano, mes, 1);
    const auto vencimento = dia_util_de_indice(uteis_antes(primeiro_dia, Calendario::atual), Calendario::atual);
    if (!vencimento) return Resultado::falha(Erro::num);
    return Resultado::numero(*vencimento);
}

Resultado di1_pu(double taxa, double du) {
    if (!taxa_valida(taxa) || !du_valido(du)) return Resultado::falha(Erro::valor);
    const double pu = pu_exato(taxa, du);
    if (!std::isfinite(pu)) return Resultado::falha(Erro::num);
    const auto arredondado = arredonda_centavos(pu);
    if (!arredondado) return Resultado::falha(Erro::num);
    return Resultado::numero(*arredondado);
}

Resultado di1_taxa(double pu, double du) {
    if (!std::isfinite(pu) || !(pu > 0.0) || !du_valido(du)) return Resultado::falha(Erro::valor);
    return Resultado::numero(elementar::pow(valor_de_face_di1 / pu, 252.0 / du) - 1.0);
}

Resultado di1_dv01(double taxa, double du) {
    if (!taxa_valida(taxa) || !du_valido(du)) return Resultado::falha(Erro::valor);
    return Resultado::numero(0.0001 * (du / 252.0) / (1.0 + taxa) * pu_exato(taxa, du));
}

}  // namespace funcoes
