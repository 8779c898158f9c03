// Formulas as a user types them: parsed by the host's parser and, when they parse, evaluated on
// a sheet that holds a yield curve and a portfolio, with the add-in loaded, so that the host's
// conversions and the worksheet functions meet whatever a formula can say. Invariants: no crash,
// no undefined behaviour, a parse that either succeeds or gives a reason, the same verdict from
// the parser and the host's check, and after evaluation no fault and nothing left for xlFree.
#include <string>

#include "formula/formula.h"
#include "fuzz_support.h"

namespace {

// Ranges beyond a few hundred thousand cells only make the run slow (each cell becomes a value).
long long cells_named(const xlhost::Expr& expression) {
    long long cells = 0;
    if (expression.kind == xlhost::Expr::Kind::reference)
        cells += static_cast<long long>(expression.range.rows()) * expression.range.columns();
    for (const auto& argument : expression.arguments) cells += cells_named(argument);
    return cells;
}

xlhost::Host& sheet_with_a_curve() {
    static xlhost::Host& host = [] () -> xlhost::Host& {
        xlhost::Host& loaded = fuzz::host_with_the_addin();
        const double curve[4][2] = {{0.18, 21}, {0.185, 63}, {0.195, 126}, {0.20, 252}};
        for (int i = 0; i < 4; ++i) {
            loaded.set_cell("A" + std::to_string(i + 1), xlhost::Value::num(curve[i][0]));
            loaded.set_cell("B" + std::to_string(i + 1), xlhost::Value::num(curve[i][1]));
        }
        loaded.set_cell("D1", xlhost::Value::num(1000000));
        loaded.set_cell("E1", xlhost::Value::num(63));
        loaded.set_cell("D2", xlhost::Value::str("texto"));
        loaded.set_cell("E2", xlhost::Value::boolean_value(true));
        return loaded;
    }();
    return host;
}

}  // namespace

// The add-in is mapped before the run starts, so that the fuzzer counts its coverage.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::host_with_the_addin();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string formula(reinterpret_cast<const char*>(bytes), size);
    xlhost::Expr parsed;
    std::string why;
    const bool parses = xlhost::parse_formula(formula, &parsed, &why);
    if (!parses && why.empty()) fuzz::violation("a formula refused without a reason");
    if (parses != xlhost::Host::parse_check(formula)) fuzz::violation("the parser and the host's check disagree");
    if (!parses || cells_named(parsed) > 300000) return 0;

    xlhost::Host& host = sheet_with_a_curve();
    std::string error;
    host.eval(formula, &error);
    fuzz::check_host(host, "evaluating a formula");
    host.clear_calls();
    host.clear_alerts();
    return 0;
}
