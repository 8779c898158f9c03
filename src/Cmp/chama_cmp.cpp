// The chart command: takes the selected range of the active sheet as a yield curve (rates in
// the first column, business days in the second), checks its shape, reads its cells and shows
// the comparison dialog.
#include "Cmp/chama_cmp.h"

#include <cstdint>
#include <vector>

#include "Cmp/aviso.h"
#include "Cmp/endereco.h"
#include "Cmp/ponto_da_selecao.h"
#include "Cmp/tf_cmp.h"
#include "Funcoes/exports/resposta.h"
#include "ambiente/idioma.h"
#include "ambiente/janela_excel.h"
#include "xll/boundary.h"
#include "xll/call.h"
#include "xll/excel_value.h"

namespace cmp {
namespace {

constexpr int16_t conteudo_da_celula = 5;  // GET.CELL type: the cell's contents

constexpr ambiente::Bilingue<const char*> selecione_contiguas{
    "Selecione apenas regiões contíguas de células!",
    "Please, select a range of adjacent cells!",
};
constexpr ambiente::Bilingue<const char*> selecione_forma{
    "Selecione um intervalo de células com pelo menos 2 linhas e exatamente 2 colunas para a "
    "curva de juros: taxas de juros ao ano base 252 na primeira coluna e dias úties na segunda "
    "coluna!",
    "Please, select a range of cells with at least 2 rows and exactly 2 columns for Brazilian "
    "yield curve: interest rate (base 252) in the first column and workdays in the second one!",
};
constexpr ambiente::Bilingue<const char*> selecione_forma_longa{
    "Selecione um intervalo de células com pelo menos 2 linhas e exatamente 2 colunas para a "
    "curva de juros: taxas de juros ao ano base 252 na primeira coluna e dias úties na segunda "
    "coluna! \n\nCélulas vazias, com texto ou com dias úties menores do que 1 são ignoradas!",
    "Please, select a range of cells with at least 2 rows and exactly 2 columns for Brazilian "
    "yield curve: interest rate (base 252) in the first column and workdays in the second "
    "one!\n\nText cells, empty cells or workdays lesser than 1 are disregarded!",
};
// The dialog until it is shown: a rejected selection (or anything thrown on the way) destroys it.
struct DialogoAteMostrar {
    ~DialogoAteMostrar() {
        if (f_cmp != nullptr) f_cmp->destroi();
    }
};

// A cell's contents (GET.CELL type 5) as a curve reads a cell.
funcoes::Celula le_celula(uint32_t linha, uint32_t coluna) {
    xll::ExcelValue resposta;
    xll::Call()
        .integer(conteudo_da_celula)
        .cells(static_cast<uint16_t>(linha), static_cast<uint16_t>(linha), static_cast<uint8_t>(coluna),
               static_cast<uint8_t>(coluna))
        .run(xlfGetCell, resposta.record());
    const funcoes::Celula celula = funcoes::celula_de(*resposta);
    // Numbers, integers and the other scalars hold nothing of Excel's; texts do.
    const uint16_t tipo = xll::base_type(*resposta);
    if (tipo == xltypeNum || tipo == xltypeInt || tipo == xltypeBool || tipo == xltypeErr ||
        tipo == xltypeNil || tipo == xltypeMissing)
        resposta.forget();
    return celula;
}

bool chama_cmp() {
    // Excel's main window owns the message boxes and the dialog.
    ambiente::find_excel_window();
    // The dialog, in the language of the add-in.
    DialogoAteMostrar ate_mostrar;
    f_cmp = Tf_cmp::cria();
    f_cmp->pontos.clear();

    xll::ExcelValue selecao;
    xll::Call().run(xlfSelection, selecao.record());
    const uint16_t tipo = xll::base_type(*selecao);
    // Several areas.
    if (tipo == xltypeRef) {
        avisa(selecione_contiguas);
        return false;
    }
    // One rectangle of 2 columns and at least 2 rows; anything else (a drawing object) not.
    if (tipo != xltypeSRef) {
        avisa(selecione_forma);
        return false;
    }
    const XLREF area = selecao->val.sref.ref;
    if (area.rwLast < area.rwFirst || area.rwLast - area.rwFirst < 1 ||
        area.colLast < area.colFirst || area.colLast - area.colFirst != 1) {
        avisa(selecione_forma);
        return false;
    }

    // Row by row, the rate on the left and the business days on the right, by the chart's own
    // rule (ponto_da_selecao.h).
    std::vector<funcoes::CurvePoint> lidos;
    for (uint32_t linha = area.rwFirst; linha <= area.rwLast; ++linha) {
        const funcoes::Celula taxa = le_celula(linha, area.colFirst);
        const funcoes::Celula dias = le_celula(linha, area.colLast);
        if (const auto ponto = ponto_da_selecao(taxa, dias)) lidos.push_back(*ponto);
    }

    f_cmp->linha_ini = area.rwFirst;
    f_cmp->linha_fim = area.rwLast;
    f_cmp->coluna_ini = area.colFirst;
    f_cmp->coluna_fim = area.colLast;
    if (lidos.size() < 2) {
        avisa(selecione_forma_longa);
        return false;
    }
    selecao.release();
    // Sorted, one point per business day carrying the largest rate given for it.
    funcoes::ordena_e_funde(lidos);
    f_cmp->pontos = std::move(lidos);
    // Both interpolations need two distinct points; one day count alone is as unusable as too
    // few rows.
    if (f_cmp->pontos.size() < 2) {
        avisa(selecione_forma_longa);
        return false;
    }

    // The dialog frees itself when it closes (one the platform could not show is destroyed on
    // the way out).
    const std::string endereco =
        endereco_intervalo(f_cmp->linha_ini, f_cmp->linha_fim, f_cmp->coluna_ini, f_cmp->coluna_fim);
    f_cmp->mostra_intervalo(endereco.c_str());
    return f_cmp->mostra(ambiente::excel_hwnd);
}

}  // namespace
}  // namespace cmp

VX_EXPORT xll::Logical VX_STDCALL vx_chama_cmp() {
    return xll::guarded(xll::Logical::no, [] { return cmp::chama_cmp() ? xll::Logical::yes : xll::Logical::no; });
}
