#include "fixture.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <utility>


namespace vx_bench {

funcoes::YieldCurve Curva::como_yield_curve() const {
    funcoes::YieldCurve c;
    for (std::size_t i = 0; i < tamanho(); ++i) c.push_back({dias[i], taxas[i]});
    return c;
}

std::vector<std::pair<double, double>> Curva::linhas(bool embaralhadas) const {
    std::vector<std::pair<double, double>> l;
    for (std::size_t i = 0; i < tamanho(); ++i) l.emplace_back(taxas[i], dias[i]);
    if (embaralhadas) std::shuffle(l.begin(), l.end(), std::mt19937(7));
    return l;
}

const Curva& curva(int vertices) {
    static std::map<int, Curva> feitas;
    auto [onde, nova] = feitas.try_emplace(vertices);
    if (nova) {
        Curva& c = onde->second;
        const double passo = 2520.0 / vertices;
        for (int i = 0; i < vertices; ++i) {
            c.dias.push_back(static_cast<std::uint32_t>(1 + i * passo));
            c.taxas.push_back(0.1375 + 0.0125 * i / vertices + 0.001 * (i % 3));
        }
    }
    return onde->second;
}

namespace {

std::vector<std::int16_t> sorteia(std::int32_t de, std::int32_t ate, unsigned semente) {
    std::mt19937 gerador(semente);
    std::uniform_int_distribution<std::int32_t> dia(de, ate);
    std::vector<std::int16_t> dias(dias_pedidos);
    for (auto& d : dias) d = static_cast<std::int16_t>(dia(gerador));
    return dias;
}

}  // namespace

const std::vector<std::int16_t>& dias_interiores(const Curva& curva) {
    static std::map<const Curva*, std::vector<std::int16_t>> feitos;
    auto [onde, novo] = feitos.try_emplace(&curva);
    if (novo)
        onde->second = sorteia(static_cast<std::int32_t>(curva.dias.front()) + 1,
                               static_cast<std::int32_t>(curva.dias.back()) - 1, 11);
    return onde->second;
}

const std::vector<std::int16_t>& dias_alem(const Curva& curva) {
    static std::map<const Curva*, std::vector<std::int16_t>> feitos;
    auto [onde, novo] = feitos.try_emplace(&curva);
    if (novo) {
        const auto ultimo = static_cast<std::int32_t>(curva.dias.back());
        onde->second = sorteia(ultimo + 1, ultimo + 500, 13);
    }
    return onde->second;
}

void informa_alocacoes(benchmark::State& state, std::size_t antes) {
    const double chamadas = static_cast<double>(state.iterations());
    if (chamadas > 0) state.counters["allocs"] = static_cast<double>(alocacoes() - antes) / chamadas;
}

namespace {

std::vector<std::pair<std::string, std::function<std::string()>>>& conferencias() {
    static std::vector<std::pair<std::string, std::function<std::string()>>> todas;
    return todas;
}

}  // namespace

void registra_conferencia(const std::string& nome, std::function<std::string()> conferencia) {
    conferencias().emplace_back(nome, std::move(conferencia));
}

bool conferencias_passam(std::ostream& erros) {
    bool passam = true;
    for (const auto& [nome, conferencia] : conferencias()) {
        const std::string problema = conferencia();
        if (problema.empty()) continue;
        erros << "check failed, " << nome << ": " << problema << "\n";
        passam = false;
    }
    return passam;
}

bool so_fumaca() {
    static const bool fumaca = std::getenv("VX_BENCH_SMOKE") != nullptr;
    return fumaca;
}

void tamanhos(benchmark::internal::Benchmark* b, const std::vector<std::vector<std::int64_t>>& produto) {
    if (!so_fumaca()) {
        b->ArgsProduct(produto);
        return;
    }
    std::vector<std::int64_t> primeiros;
    for (const auto& lista : produto) primeiros.push_back(lista.front());
    b->Args(primeiros);
}

}  // namespace vx_bench
