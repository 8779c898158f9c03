// Answers a file of cases through the worksheet exports, called as Excel calls them, so that
// a script can hold every answer against a high-precision evaluation. Cases on standard input,
// one line of answers for each line of cases on standard output:
//   I anos_flat n w1 r1 ... wn rn k a1 ... ak   VX.INTERPOLEX(a; curve; anos_flat) for each a
//   C n w1 r1 ... wn rn k a1 ... ak             VX.CSPLINE(a; curve) for each a
//   D n w1 r1 ... wn rn m f1 d1 ... fm dm       VX.DURATION(curve; portfolio)
// Numbers come back with 17 significant digits (exactly the double), errors as Excel writes
// them; VX.DURATION's five rows on one line. --addin PATH answers through another build of the
// add-in (an older one, for a baseline).
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "addin.h"
#include "xlhost/host.h"

namespace {

using Linhas = std::vector<std::pair<double, double>>;

// n rows of two numbers: (w, r) pairs of a curve become rows (rate, days) as a sheet holds them;
// (f, d) pairs of a portfolio are rows already.
Linhas le_linhas(std::istream& in, bool inverte) {
    std::size_t n = 0;
    in >> n;
    Linhas linhas(n);
    for (auto& [a, b] : linhas) {
        in >> a >> b;
        if (inverte) std::swap(a, b);
    }
    return linhas;
}

std::string texto(const XLOPER& r) {
    switch (r.xltype & ~xlbitDLLFree) {
        case xltypeNum: {
            char numero[32];
            std::snprintf(numero, sizeof numero, "%.17g", r.val.num);
            return numero;
        }
        case xltypeInt: return std::to_string(r.val.w);
        case xltypeErr: return xlhost::error_text(r.val.err);
        default: return "?";
    }
}

std::string responde(const std::string& linha) {
    const vx_bench::Exportacoes& e = vx_bench::exportacoes();
    std::istringstream in(linha);
    char funcao = 0;
    in >> funcao;
    if (funcao == 'I' || funcao == 'C') {
        double anos_flat = 0;
        if (funcao == 'I') in >> anos_flat;
        vx_bench::Intervalo curva(le_linhas(in, true));
        std::size_t k = 0;
        in >> k;
        std::string respostas;
        for (std::size_t i = 0; i < k; ++i) {
            int a = 0;
            in >> a;
            const auto dias = static_cast<std::int16_t>(a);
            respostas += (i ? " " : "") + texto(funcao == 'I' ? *e.interpol(dias, curva.valor(), anos_flat)
                                                              : *e.cspline(dias, curva.valor()));
        }
        return in ? respostas : "?";
    }
    if (funcao == 'D') {
        vx_bench::Intervalo curva(le_linhas(in, true));
        vx_bench::Intervalo portfolio(le_linhas(in, false));
        if (!in) return "?";
        LPXLOPER r = e.duration(curva.valor(), portfolio.valor());
        std::string resposta;
        if ((r->xltype & ~xlbitDLLFree) == xltypeMulti) {
            for (int i = 0; i < r->val.array.rows * r->val.array.columns; ++i)
                resposta += (i ? " " : "") + texto(r->val.array.lparray[i]);
        } else {
            resposta = texto(*r);
        }
        e.xl_auto_free(r);
        return resposta;
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--addin") {
        vx_bench::usa_addin(argv[2]);
    } else if (argc != 1) {
        std::cerr << "usage: precision_driver [--addin PATH] < CASES > ANSWERS\n";
        return 2;
    }
    try {
        std::ios::sync_with_stdio(false);
        std::string linha;
        while (std::getline(std::cin, linha)) std::cout << responde(linha) << '\n';
    } catch (const std::exception& e) {
        std::cerr << "precision_driver: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
