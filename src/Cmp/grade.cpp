#include "Cmp/grade.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "Funcoes/exponencial.h"
#include "Funcoes/spline.h"

namespace cmp {

std::vector<LinhaGrade> monta_grade(const funcoes::YieldCurve& pontos) {
    if (pontos.size() < 2) throw std::invalid_argument("a curve needs two points");
    const std::uint32_t ultimo = pontos.back().workdays;
    // Every day of the grid is written as a 16-bit integer and interpolated as a 32-bit one.
    if (ultimo > static_cast<std::uint32_t>(std::numeric_limits<std::int16_t>::max()))
        throw std::range_error("the curve reaches beyond a 16-bit day count");

    const std::uint32_t linhas = ultimo < linhas_maximas ? ultimo : linhas_maximas;
    const double passo = ultimo < linhas_maximas ? 1.0 : ultimo * 0.004;

    // Both interpolations prepared once for the whole grid: the spline's system solved, the
    // vertices' log factors worked out.
    funcoes::MemoriaSpline memoria;
    const funcoes::InterpolacaoSpline spline(pontos, memoria);
    std::vector<double> log_fatores;
    const funcoes::InterpolacaoExponencial exponencial(pontos, log_fatores);

    std::vector<LinhaGrade> grade(linhas);
    std::size_t k = 0;  // the next point not yet placed
    for (std::uint32_t i = 0; i < linhas; ++i) {
        LinhaGrade& linha = grade[i];
        auto w = static_cast<std::int32_t>(std::ceil(i * passo)) + 1;
        if (k < pontos.size() && pontos[k].workdays <= static_cast<std::uint32_t>(w)) {
            // A point between two grid days takes the next grid row.
            w = static_cast<std::int32_t>(pontos[k].workdays);
            linha.ponto_da_curva = true;
            linha.taxa_ponto = pontos[k].rate;
            ++k;
        }
        linha.dias = static_cast<std::int16_t>(w);
        linha.spline = static_cast<double>(spline.taxa(w));
        linha.exponencial = static_cast<double>(exponencial.taxa(w));
        // Rates so large that the interpolation overflows have nothing a cell could show.
        if (!std::isfinite(linha.spline) || !std::isfinite(linha.exponencial))
            throw std::domain_error("the interpolated rate is not a finite number");
    }
    return grade;
}

}  // namespace cmp
