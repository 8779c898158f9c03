#include "Instalador/tf_instalador.h"

#include <cstdint>
#include <new>
#include <string>

#include "Instalador/textos_instalador.h"

namespace instalador {

Tf_instalador* f_instalador = nullptr;

namespace {

constexpr uint32_t branco = 0x00FFFFFF;
constexpr uint32_t azul_marinho = 0x00800000;  // 0x00BBGGRR

// MS Sans Serif 8 points; the brand in Tahoma; the terms in Times New Roman.
constexpr plat::FontSpec fonte{"MS Sans Serif", 11, false, plat::color_default};
constexpr plat::FontSpec fonte_negrito{"MS Sans Serif", 11, true, plat::color_default};
constexpr plat::FontSpec fonte_marca{"Tahoma", 24, true, azul_marinho};
constexpr plat::FontSpec fonte_termos{"Times New Roman", 13, true, plat::color_default};

constexpr imagem::FormatoEsperado formato_do_logo{134, 133, 3};

void ao_clicar_ok(void* dialogo) { static_cast<Tf_instalador*>(dialogo)->b_okClick(); }

// The terms as the multi-line box holds them: one line each, Windows line breaks between.
std::string texto_dos_termos() {
    std::string texto;
    for (std::size_t i = 0; i < linhas_dos_termos; ++i) {
        if (i > 0) texto += "\r\n";
        texto += termos[i];
    }
    return texto;
}

const char* motivo_em_portugues(imagem::LeituraJpeg leitura) {
    switch (leitura) {
        case imagem::LeituraJpeg::ok: return "";
        case imagem::LeituraJpeg::vazio: return "não há dados";
        case imagem::LeituraJpeg::corrompido: return "dados corrompidos ou incompletos";
        case imagem::LeituraJpeg::tamanho_errado: return "tamanho diferente de 134 x 133";
        case imagem::LeituraJpeg::componentes_errados: return "não tem três componentes de cor";
    }
    return "";
}

}  // namespace

std::unique_ptr<Tf_instalador> Tf_instalador::cria(const unsigned char* logo, std::size_t tamanho_logo) {
    std::unique_ptr<Tf_instalador> dialogo(new Tf_instalador);
    plat::Form form = plat::form_create(titulo, 470, 416, plat::FrameStyle::dialog, fonte);
    if (form == nullptr) throw std::bad_alloc();
    dialogo->form = form;

    using plat::ControlKind;
    Tf_instalador& d = *dialogo;
    d.Panel1 = plat::control_add(form, ControlKind::panel, "Panel1", -1, 0, 0, 473, 57, "");
    d.Image1 = plat::control_add(form, ControlKind::picture, "Image1", d.Panel1, 19, 8, 41, 41, "");
    d.Label1 = plat::control_add(form, ControlKind::label, "Label1", d.Panel1, 67, 23, 126, 29, marca);
    // Two bold lines of 13 pixels: the second one's descenders ("pela") ink its 26th row, so
    // the label is 26 high (into the empty rows above Label3) to show them whole.
    d.Label2 = plat::control_add(form, ControlKind::label, "Label2", -1, 11, 64, 449, 26, instalando,
                                 plat::control_word_wrap);
    d.Label3 = plat::control_add(form, ControlKind::label, "Label3", -1, 11, 96, 449, 49, categoria,
                                 plat::control_word_wrap);
    d.m_licenca = plat::control_add(form, ControlKind::memo, "m_licenca", -1, 16, 144, 441, 225,
                                    texto_dos_termos().c_str(), plat::control_vertical_scroll);
    d.b_ok = plat::control_add(form, ControlKind::button, "b_ok", -1, 352, 376, 105, 33, "OK");
    d.Label4 = plat::control_add(form, ControlKind::label, "Label4", -1, 16, 392, 150, 13, direitos);
    for (int control : {d.Panel1, d.Image1, d.Label1, d.Label2, d.Label3, d.m_licenca, d.b_ok, d.Label4})
        if (control < 0) throw std::bad_alloc();  // the destructor destroys the form

    plat::control_set_color(form, d.Panel1, branco);
    plat::control_set_font(form, d.Label1, fonte_marca);
    plat::control_set_font(form, d.Label2, fonte_negrito);
    plat::control_set_font(form, d.m_licenca, fonte_termos);
    plat::control_set_tab_order(form, d.m_licenca, 0);
    plat::control_set_tab_order(form, d.b_ok, 1);
    plat::control_set_click(form, d.b_ok, &ao_clicar_ok, dialogo.get());
    d.poe_logo(logo, tamanho_logo);
    return dialogo;
}

void Tf_instalador::poe_logo(const unsigned char* logo, std::size_t tamanho_logo) {
    imagem::Bitmap bitmap;
    std::string motivo;
    leitura_do_logo = imagem::decodifica_jpeg(logo, tamanho_logo, formato_do_logo, &bitmap, &motivo);
    if (leitura_do_logo == imagem::LeituraJpeg::ok &&
        plat::control_set_picture(form, Image1,
                                  {bitmap.largura, bitmap.altura, bitmap.componentes, bitmap.pixels.data()}))
        return;
    // The notice still shows, with an empty picture; the developer learns why.
    std::string linha = "Varentis: o logotipo do aviso de instalação não foi decodificado (";
    linha += motivo_em_portugues(leitura_do_logo);
    if (!motivo.empty()) linha += ": " + motivo;
    linha += ")\n";
    plat::debug_output(linha.c_str());
}

Tf_instalador::~Tf_instalador() {
    if (form != nullptr) plat::form_destroy(form);
}

bool Tf_instalador::mostra() { return plat::form_show_modal(form, nullptr); }

bool mostra_aviso(const unsigned char* logo, std::size_t tamanho_logo) {
    return Tf_instalador::cria(logo, tamanho_logo)->mostra();
}

void Tf_instalador::b_okClick() noexcept { plat::form_close(form); }

}  // namespace instalador
