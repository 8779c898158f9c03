// The elementary functions of the cores, musl's, against the C runtime's of the same name
// (glibc's natively, mingw-w64's under Wine): what one mathematics for every target costs or
// saves. Arguments as the cores give them: rates to 200 %, exponents of a rate over decades.
#include <cmath>
#include <random>
#include <vector>

#include "Funcoes/elementares.h"
#include "fixture.h"

namespace vx_bench {
namespace {

const std::vector<double>& argumentos() {
    static const std::vector<double> feitos = [] {
        std::mt19937 gerador(23);
        std::uniform_real_distribution<double> taxa(0.0, 2.0);
        std::vector<double> x(256);
        for (double& v : x) v = taxa(gerador);
        return x;
    }();
    return feitos;
}

template <class Funcao>
void mede(benchmark::State& state, Funcao f) {
    const std::vector<double>& x = argumentos();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(x[i]));
        i = (i + 1) % x.size();
    }
}

namespace e = funcoes::elementar;
void BM_log1p_musl(benchmark::State& s) { mede(s, [](double r) { return e::log1p(r); }); }
void BM_log1p_crt(benchmark::State& s) { mede(s, [](double r) { return std::log1p(r); }); }
void BM_expm1_musl(benchmark::State& s) { mede(s, [](double r) { return e::expm1(0.3 * r); }); }
void BM_expm1_crt(benchmark::State& s) { mede(s, [](double r) { return std::expm1(0.3 * r); }); }
void BM_exp_musl(benchmark::State& s) { mede(s, [](double r) { return e::exp(-20 * r); }); }
void BM_exp_crt(benchmark::State& s) { mede(s, [](double r) { return std::exp(-20 * r); }); }
void BM_pow_musl(benchmark::State& s) { mede(s, [](double r) { return e::pow(1.0 + r, 37.5 * r); }); }
void BM_pow_crt(benchmark::State& s) { mede(s, [](double r) { return std::pow(1.0 + r, 37.5 * r); }); }
BENCHMARK(BM_log1p_musl);
BENCHMARK(BM_log1p_crt);
BENCHMARK(BM_expm1_musl);
BENCHMARK(BM_expm1_crt);
BENCHMARK(BM_exp_musl);
BENCHMARK(BM_exp_crt);
BENCHMARK(BM_pow_musl);
BENCHMARK(BM_pow_crt);

}  // namespace
}  // namespace vx_bench
