// The host's recalculation of a trading sheet: a curve of 50 vertices in A1:B50 and one formula
// a row in column D (VX.INTERPOLEX and VX.CSPLINE in turn) on the day count beside it in column
// C, for 10^3 to 6·10^4 formulas. What `xlhost calc` does once the sheet is read; the cost per
// formula is the time over the number of formulas.
#include <random>
#include <sstream>

#include "fixture.h"
#include "xlhost/host.h"

namespace vx_bench {
namespace {

std::string planilha(std::int64_t formulas) {
    const Curva& c = curva(50);
    std::mt19937 gerador(19);
    std::uniform_int_distribution<int> dia(1, static_cast<int>(c.dias.back()) + 100);
    std::ostringstream csv;
    csv.precision(17);
    for (std::int64_t linha = 1; linha <= formulas; ++linha) {
        const auto i = static_cast<std::size_t>(linha - 1);
        if (i < c.tamanho()) csv << c.taxas[i] << "," << c.dias[i];
        else csv << ",";
        csv << "," << dia(gerador) << ",";
        if (linha % 2 != 0) csv << "=VX.INTERPOLEX(C" << linha << ";$A$1:$B$50;0)\n";
        else csv << "=VX.CSPLINE(C" << linha << ";$A$1:$B$50)\n";
    }
    return csv.str();
}

void BM_xlhost_calc(benchmark::State& state) {
    xlhost::Host& host = excel();
    std::string erro;
    if (!host.load_csv_text(planilha(state.range(0)), &erro)) {
        state.SkipWithError(erro.c_str());
        return;
    }
    host.calc();
    if (host.cell("D1").kind != xlhost::Value::Kind::number || host.cell("D2").kind != xlhost::Value::Kind::number) {
        state.SkipWithError("the sheet's formulas did not answer numbers");
        return;
    }
    for (auto _ : state) host.calc();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_xlhost_calc)->Unit(benchmark::kMillisecond)->Apply([](benchmark::internal::Benchmark* b) {
    b->ArgName("formulas");
    tamanhos(b, {{1000, 5000, 20000, 60000}});
});

}  // namespace
}  // namespace vx_bench
