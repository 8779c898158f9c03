// The dialog of the comparative chart: shows the selected curve range, offers black-and-white
// output, and on OK builds the chart. One object exists while the chart command runs; it belongs
// to its form and is freed when the form is destroyed (after closing, or on a rejected
// selection).
#pragma once

#include <cstdint>

#include "Funcoes/curva.h"
#include "platform/platform.h"

namespace cmp {

class Tf_cmp {
public:
    // A new dialog with its stored design in the language of the setting: box unchecked,
    // hidden. Throws std::bad_alloc when the form cannot be made.
    static Tf_cmp* cria();

    void mostra_intervalo(const char* endereco);
    // Runs the dialog modally, owned by `dono`; the dialog may be gone when this returns. False
    // when it could not be shown.
    bool mostra(plat::Window dono);
    // Destroys a dialog that is not being shown (a rejected selection); frees the object.
    void destroi();

    // Checked means black-and-white output.
    bool preto_e_branco() const;

    // Handlers.
    void b_okClick() noexcept;  // the chart construction
    void b_cancelarClick() noexcept;
    void FormClose(plat::CloseAction* action) noexcept;

    plat::Form form = nullptr;
    // Controls, in declaration order.
    int titulo2 = -1;
    int intervalo = -1;
    int b_ok = -1;
    int b_cancelar = -1;
    int o_cores = -1;
    int titulo1 = -1;

    std::uint32_t linha_ini = 0;
    std::uint32_t linha_fim = 0;
    std::uint32_t coluna_ini = 0;
    std::uint32_t coluna_fim = 0;
    funcoes::YieldCurve pontos;

private:
    struct Apaga {
        void operator()(Tf_cmp* dialogo) const { delete dialogo; }
    };
    Tf_cmp() = default;
    ~Tf_cmp() = default;
    static void ao_destruir(void* dialogo);
};

// The dialog while the chart command runs, null otherwise.
extern Tf_cmp* f_cmp;

}  // namespace cmp
