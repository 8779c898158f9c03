#include "Funcoes/volume.h"

#include "Funcoes/arredondamento.h"

namespace funcoes {

namespace {

bool e_horario(double t) { return t >= 0.0 && t <= 1.0; }

}  // namespace

Resultado volproj(double hora_atual, std::int32_t volume_atual, double inicio_pregao,
                  double fim_pregao, double fim_manha, double inicio_tarde) {
    if (volume_atual <= 0) return Resultado::numero(0);
    for (double t : {hora_atual, inicio_pregao, fim_pregao, fim_manha, inicio_tarde})
        if (!e_horario(t)) return Resultado::falha(Erro::valor);
    if (!(inicio_tarde > fim_manha || inicio_tarde == 0)) return Resultado::falha(Erro::valor);

    double total, decorrido;
    if (fim_manha > 0 && inicio_tarde > 0) {
        const double intervalo = inicio_tarde - fim_manha;
        total = (fim_pregao - inicio_pregao) - intervalo;
        if (hora_atual < fim_manha)
            decorrido = hora_atual - inicio_pregao;
        else if (hora_atual < inicio_tarde)
            decorrido = fim_manha - inicio_pregao;
        else if (hora_atual < fim_pregao)
            decorrido = (hora_atual - inicio_pregao) - intervalo;
        else
            decorrido = total;
    } else {
        total = fim_pregao - inicio_pregao;
        decorrido = hora_atual < fim_pregao ? hora_atual - inicio_pregao : fim_pregao - inicio_pregao;
    }
    if (!(decorrido > 0)) return Resultado::numero(0);

    // Formed in doubles and truncated as it comes (after the close it can give V − 1).
    const double projecao = volume_atual / decorrido * total;
    const auto inteiro = trunca<std::int32_t>(projecao);
    if (!inteiro) return Resultado::falha(Erro::num);
    return Resultado::numero(*inteiro);
}

}  // namespace funcoes
