#include "Cmp/tf_cmp.h"

#include <memory>
#include <new>

#include "ambiente/idioma.h"

namespace cmp {

Tf_cmp* f_cmp = nullptr;

namespace {

// The dialog font, MS Sans Serif 8 points.
constexpr plat::FontSpec fonte{"MS Sans Serif", 11, false, plat::color_default};
constexpr plat::FontSpec fonte_negrito{"MS Sans Serif", 11, true, plat::color_default};

// The texts that differ by language; "OK" is the same in both.
struct Textos {
    const char* titulo;
    const char* titulo1;
    const char* titulo2;
    const char* o_cores;
    const char* b_cancelar;
};
constexpr ambiente::Bilingue<Textos> textos{
    {"Comparação de Interpolações", "Cubic Spline Natural  X  Interpolação Exponencial",
     "Intervalo de dados para com pontos para curva de juros:", "Gráfico em preto e branco", "Cancelar"},
    {"Comparative Interpolation", "Natural Cubic Spline X Exponentially Interpolation", "Yield curve range data",
     "Black and white output", "Cancel"},
};

void ao_clicar_ok(void* dialogo) { static_cast<Tf_cmp*>(dialogo)->b_okClick(); }
void ao_clicar_cancelar(void* dialogo) { static_cast<Tf_cmp*>(dialogo)->b_cancelarClick(); }
void ao_fechar(void* dialogo, plat::CloseAction* action) {
    static_cast<Tf_cmp*>(dialogo)->FormClose(action);
}

}  // namespace

Tf_cmp* Tf_cmp::cria() {
    const Textos& texto = textos.atual();
    std::unique_ptr<Tf_cmp, Apaga> dialogo(new Tf_cmp);
    plat::Form form = plat::form_create(texto.titulo, 312, 143,
                                        plat::FrameStyle::tool_window, fonte);
    if (form == nullptr) throw std::bad_alloc();
    dialogo->form = form;

    using plat::ControlKind;
    dialogo->titulo2 = plat::control_add(form, ControlKind::label, "titulo2", -1, 15, 32, 267, 13,
                                         texto.titulo2);
    dialogo->intervalo = plat::control_add(form, ControlKind::edit, "intervalo", -1, 15, 48, 281, 21,
                                           "", plat::control_read_only);
    dialogo->b_ok = plat::control_add(form, ControlKind::button, "b_ok", -1, 145, 111, 73, 26, "OK");
    dialogo->b_cancelar = plat::control_add(form, ControlKind::button, "b_cancelar", -1, 225, 111,
                                            73, 26, texto.b_cancelar);
    dialogo->o_cores = plat::control_add(form, ControlKind::check_box, "o_cores", -1, 15, 82, 241,
                                         15, texto.o_cores);
    dialogo->titulo1 = plat::control_add(form, ControlKind::label, "titulo1", -1, 15, 11, 285, 13,
                                         texto.titulo1);
    if (dialogo->titulo1 < 0 || dialogo->titulo2 < 0 || dialogo->intervalo < 0 ||
        dialogo->b_ok < 0 || dialogo->b_cancelar < 0 || dialogo->o_cores < 0) {
        plat::form_destroy(form);
        throw std::bad_alloc();
    }
    plat::control_set_font(form, dialogo->titulo1, fonte_negrito);
    plat::control_set_enabled(form, dialogo->intervalo, false);
    plat::control_set_tab_order(form, dialogo->intervalo, 0);
    plat::control_set_tab_order(form, dialogo->b_ok, 1);
    plat::control_set_tab_order(form, dialogo->b_cancelar, 2);
    plat::control_set_tab_order(form, dialogo->o_cores, 3);
    plat::control_set_click(form, dialogo->b_ok, &ao_clicar_ok, dialogo.get());
    plat::control_set_click(form, dialogo->b_cancelar, &ao_clicar_cancelar, dialogo.get());
    // From here on the form owns the object.
    plat::form_set_handlers(form, &ao_fechar, &Tf_cmp::ao_destruir, dialogo.get());
    return dialogo.release();
}

void Tf_cmp::ao_destruir(void* dialogo) {
    auto* self = static_cast<Tf_cmp*>(dialogo);
    if (f_cmp == self) f_cmp = nullptr;
    delete self;
}

void Tf_cmp::mostra_intervalo(const char* endereco) {
    plat::control_set_text(form, intervalo, endereco);
}

bool Tf_cmp::mostra(plat::Window dono) { return plat::form_show_modal(form, dono); }

void Tf_cmp::destroi() { plat::form_destroy(form); }

bool Tf_cmp::preto_e_branco() const { return plat::control_checked(form, o_cores); }

void Tf_cmp::b_cancelarClick() noexcept { plat::form_close(form); }

void Tf_cmp::FormClose(plat::CloseAction* action) noexcept { *action = plat::CloseAction::free; }

}  // namespace cmp
