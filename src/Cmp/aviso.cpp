#include "Cmp/aviso.h"

#include "ambiente/idioma.h"
#include "ambiente/janela_excel.h"
#include "platform/platform.h"

namespace cmp {

namespace {

constexpr ambiente::Bilingue<const char*> atencao{"Atenção", "Warning"};

constexpr ambiente::Bilingue<const char*> falha_na_montagem{
    "Houve erros durante o processo de montagem do gráfico comparativo de interpolações Cubic "
    "Spline natural  e exponencial.\nDesconsidere qualquer resultado e tente novamente.\n\nSe o "
    "problema persistir, entre em contato com o suporte da Marvessa.",
    "Some errors occurred during comparative chart setup.\nPlease, disregard any results and try "
    "again or contact Marvessa for assistance.",
};

}  // namespace

void avisa(const ambiente::Bilingue<const char*>& texto) {
    plat::message_box(ambiente::excel_hwnd, texto.atual(), atencao.atual(), plat::mb_ok | plat::mb_iconerror);
}

void avisa_falha_na_montagem() {
    ambiente::find_excel_window();
    avisa(falha_na_montagem);
}

}  // namespace cmp
