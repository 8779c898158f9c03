// The chart command: takes the selected range of the active sheet as a yield curve (rates in
// the first column, business days in the second), checks its shape, reads its cells and shows
// the comparison dialog.
#include <cmath>
#include <cstdint>
#include <vector>

#include "Cmp/endereco.h"
#include "Cmp/tf_cmp.h"
#include "addin/excel_window.h"
#include "addin/settings.h"
#include "xll/boundary.h"
#include "xll/call_excel.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace cmp {
namespace {

constexpr int16_t conteudo_da_celula = 5;  // GET.CELL type: the cell's contents

constexpr const char* selecione_contiguas[] = {
    "Selecione apenas regiões contíguas de células!",
    "Please, select a range of adjacent cells!",
};
constexpr const char* selecione_forma[] = {
    "Selecione um intervalo de células com pelo menos 2 linhas e exatamente 2 colunas para a "
    "curva de juros: taxas de juros ao ano base 252 na primeira coluna e dias úties na segunda "
    "coluna!",
    "Please, select a range of cells with at least 2 rows and exactly 2 columns for Brazilian "
    "yield curve: interest rate (base 252) in the first column and workdays in the second one!",
};
constexpr const char* selecione_forma_longa[] = {
    "Selecione um intervalo de células com pelo menos 2 linhas e exatamente 2 colunas para a "
    "curva de juros: taxas de juros ao ano base 252 na primeira coluna e dias úties na segunda "
    "coluna! \n\nCélulas vazias, com texto ou com dias úties menores do que 1 são ignoradas!",
    "Please, select a range of cells with at least 2 rows and exactly 2 columns for Brazilian "
    "yield curve: interest rate (base 252) in the first column and workdays in the second "
    "one!\n\nText cells, empty cells or workdays lesser than 1 are disregarded!",
};
constexpr const char* atencao[] = {"Atenção", "Warning"};

void avisa(const char* const (&texto)[2]) {
    const int lingua = addin::idioma == 1 ? 0 : 1;
    plat::message_box(addin::excel_hwnd, texto[lingua], atencao[lingua],
                      plat::mb_ok | plat::mb_iconerror);
}

uint16_t tipo_base(const XLOPER& valor) {
    return static_cast<uint16_t>(valor.xltype & ~(xlbitXLFree | xlbitDLLFree));
}

// A value Excel wrote into a record of ours, given back when it is no longer needed.
struct ValorDoExcel {
    XLOPER valor{};
    ValorDoExcel() { valor.xltype = xltypeNil; }
    ~ValorDoExcel() { libera(); }
    void libera() {
        if (valor.xltype != xltypeNil) xll::free_excel_value(valor);
    }
    ValorDoExcel(const ValorDoExcel&) = delete;
    ValorDoExcel& operator=(const ValorDoExcel&) = delete;
};

// The dialog until it is shown: a rejected selection (or anything thrown on the way) destroys it.
struct DialogoAteMostrar {
    ~DialogoAteMostrar() {
        if (f_cmp != nullptr) f_cmp->destroi();
    }
};

// A cell's contents as the curve reads them: a number or a 16-bit integer, or nothing usable.
struct Leitura {
    bool numero = false;
    double valor = 0.0;
};

Leitura le_celula(uint32_t linha, uint32_t coluna) {
    ValorDoExcel resposta;
    xll::call_excel(xlfGetCell, &resposta.valor, 2, xll::scratch_integer(conteudo_da_celula),
                    xll::scratch_sheet_ref(static_cast<uint16_t>(linha), static_cast<uint16_t>(linha),
                                           static_cast<uint8_t>(coluna), static_cast<uint8_t>(coluna)));
    Leitura leitura;
    const uint16_t tipo = tipo_base(resposta.valor);
    if (tipo == xltypeNum) {
        leitura = {true, resposta.valor.val.num};
    } else if (tipo == xltypeInt) {
        leitura = {true, static_cast<double>(resposta.valor.val.w)};
    }
    // Numbers, integers and the other scalars hold nothing of Excel's; texts do.
    if (tipo == xltypeNum || tipo == xltypeInt || tipo == xltypeBool || tipo == xltypeErr ||
        tipo == xltypeNil || tipo == xltypeMissing)
        resposta.valor.xltype = xltypeNil;
    return leitura;
}

// Business days of at least 1, truncated to whole days; beyond what a curve point holds (32
// bits) the cell is as unusable as one below 1.
bool dias_uteis(const Leitura& celula, uint32_t* dias) {
    if (!celula.numero || !(celula.valor >= 1.0) || !(celula.valor < 4294967296.0)) return false;
    *dias = static_cast<uint32_t>(celula.valor);
    return true;
}

int chama_cmp() {
    // 1. Excel's main window owns the message boxes and the dialog.
    addin::find_excel_window();
    // 2. The dialog, in the language of the add-in.
    DialogoAteMostrar ate_mostrar;
    f_cmp = Tf_cmp::cria();
    if (addin::idioma != 1) f_cmp->traduz_para_ingles();
    f_cmp->pontos.clear();

    // 3. The selection.
    ValorDoExcel selecao;
    xll::call_excel(xlfSelection, &selecao.valor, 0);
    const uint16_t tipo = tipo_base(selecao.valor);
    // 4. Several areas.
    if (tipo == xltypeRef) {
        avisa(selecione_contiguas);
        return 0;
    }
    // 5. One rectangle of 2 columns and at least 2 rows; anything else (a drawing object) not.
    if (tipo != xltypeSRef) {
        avisa(selecione_forma);
        return 0;
    }
    const XLREF area = selecao.valor.val.sref.ref;
    if (area.rwLast < area.rwFirst || area.rwLast - area.rwFirst < 1 ||
        area.colLast < area.colFirst || area.colLast - area.colFirst != 1) {
        avisa(selecione_forma);
        return 0;
    }

    // 6. Row by row, the rate on the left and the business days on the right.
    std::vector<funcoes::CurvePoint> lidos;
    for (uint32_t linha = area.rwFirst; linha <= area.rwLast; ++linha) {
        const Leitura taxa = le_celula(linha, area.colFirst);
        const Leitura dias = le_celula(linha, area.colLast);
        funcoes::CurvePoint ponto;
        if (!taxa.numero || !dias_uteis(dias, &ponto.workdays)) continue;
        ponto.rate = taxa.valor;  // as it is: the chart shows a negative rate as negative
        lidos.push_back(ponto);
    }

    // 7.
    f_cmp->linha_ini = area.rwFirst;
    f_cmp->linha_fim = area.rwLast;
    f_cmp->coluna_ini = area.colFirst;
    f_cmp->coluna_fim = area.colLast;
    // 8.
    if (lidos.size() < 2) {
        avisa(selecione_forma_longa);
        return 0;
    }
    // 9.
    selecao.libera();
    // 10. Sorted, one point per business day carrying the largest rate given for it.
    f_cmp->pontos = funcoes::ordena_e_funde(std::move(lidos));
    // Both interpolations need two distinct points; one day count alone is as unusable as too
    // few rows.
    if (f_cmp->pontos.size() < 2) {
        avisa(selecione_forma_longa);
        return 0;
    }

    // 11. The dialog frees itself when it closes (one the toolkit could not show is destroyed
    // on the way out).
    const std::string endereco =
        endereco_intervalo(f_cmp->linha_ini, f_cmp->linha_fim, f_cmp->coluna_ini, f_cmp->coluna_fim);
    f_cmp->mostra_intervalo(endereco.c_str());
    return f_cmp->mostra(addin::excel_hwnd) ? 1 : 0;
}

}  // namespace
}  // namespace cmp

VX_EXPORT int VX_STDCALL vx_chama_cmp() {
    return xll::guarded(0, [] { return cmp::chama_cmp(); });
}
