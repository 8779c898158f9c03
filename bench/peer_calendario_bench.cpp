// The peer to beat for VX.DU: QuantLib's Brazil settlement calendar counting the business days
// of the same spans (trade date included, maturity excluded), as an add-in built on it would.
// Both sides must agree on every span that ends before 20 November 2024, where every calendar
// of the national holidays agrees, before anything is timed.
#include <ql/time/calendars/brazil.hpp>

#include <sstream>

#include "calendario_datas.h"
#include "fixture.h"

namespace vx_bench {
namespace {

const QuantLib::Calendar& brasil() {
    static const QuantLib::Brazil calendario(QuantLib::Brazil::Settlement);
    return calendario;
}

// QuantLib's serial numbers are the 1900 date system's, as Excel's.
QuantLib::Date data(std::int32_t serial) { return QuantLib::Date(static_cast<QuantLib::Date::serial_type>(serial)); }

void BM_ql_business_days_between(benchmark::State& state) {
    const auto& v = vaos(static_cast<int>(state.range(0)));
    std::vector<std::pair<QuantLib::Date, QuantLib::Date>> datas;
    for (const auto& [de, ate] : v) datas.emplace_back(data(de), data(ate));
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [de, ate] = datas[i++ % vaos_pedidos];
        benchmark::DoNotOptimize(brasil().businessDaysBetween(de, ate, true, false));
    }
}

std::string concordam() {
    constexpr std::int32_t novembro_20_2024 = 45616;
    std::ostringstream problemas;
    const auto du = exportacoes().du;
    for (int anos : {1, 10, 50}) {
        for (const auto& [de, ate] : vaos(anos)) {
            if (ate > novembro_20_2024) continue;
            const XLOPER* nosso = du(de, ate, 1);
            const auto deles = brasil().businessDaysBetween(data(de), data(ate), true, false);
            if (nosso->xltype != xltypeNum || nosso->val.num != static_cast<double>(deles))
                problemas << "VX.DU from " << de << " to " << ate << " against " << deles << "; ";
        }
    }
    return problemas.str();
}

const bool registrada = (registra_conferencia("VX.DU against QuantLib's Brazil calendar", concordam), true);

void argumentos(benchmark::internal::Benchmark* b) {
    b->ArgName("years");
    tamanhos(b, {{1, 10, 50}});
}

BENCHMARK(BM_ql_business_days_between)->Apply(argumentos);

}  // namespace
}  // namespace vx_bench
