// The install notice: a modal dialog that tells the user the add-in is being installed, what it
// adds to Excel, and shows the terms of use with the maker's logo. It reads and writes no
// setting. Each showing is a new dialog, built from its layout and destroyed after it closed.
#pragma once

#include <cstddef>
#include <memory>

#include "imagem/jpeg.h"
#include "platform/platform.h"

namespace instalador {

class Tf_instalador {
public:
    // A new, hidden dialog; `logo` (JPEG bytes, 134 x 133, three components) is decoded into
    // Image1, which stays empty when the bytes do not decode. Throws std::bad_alloc when the
    // form cannot be made.
    static std::unique_ptr<Tf_instalador> cria(const unsigned char* logo, std::size_t tamanho_logo);
    ~Tf_instalador();
    Tf_instalador(const Tf_instalador&) = delete;
    Tf_instalador& operator=(const Tf_instalador&) = delete;

    // Runs the dialog modally, with no owner, until it closes. False when it could not be shown.
    bool mostra();

    void b_okClick() noexcept;

    // How the logo was read (anything but ok leaves the picture empty).
    imagem::LeituraJpeg leitura_do_logo = imagem::LeituraJpeg::vazio;

    plat::Form form = nullptr;
    int Panel1 = -1;
    int Image1 = -1;
    int Label1 = -1;
    int Label2 = -1;
    int Label3 = -1;
    int m_licenca = -1;
    int b_ok = -1;
    int Label4 = -1;

private:
    Tf_instalador() = default;
    void poe_logo(const unsigned char* logo, std::size_t tamanho_logo);
};

// Shows a fresh notice with `logo` (JPEG bytes) modally, with no owner, and destroys it once it
// has closed: the install call with the embedded logo. The notice shows with an empty picture
// when the bytes are no sound 134 x 133 three-component JPEG. False when it could not be shown;
// throws std::bad_alloc when it could not be made.
bool mostra_aviso(const unsigned char* logo, std::size_t tamanho_logo);

// The form object's global, after the convention of the add-in's dialogs. The install call
// keeps its dialog to itself, so that nothing outlives the call: this stays null.
extern Tf_instalador* f_instalador;

}  // namespace instalador
