// The notice with other pictures than the embedded logo. Whatever the bytes hold, the notice
// opens with everything else in place and OK closes it; only a sound 134 x 133 colour JPEG fills
// the picture, and the debugger's output says why another was left out.
#include <string>
#include <vector>

#include "Instalador/logo_marvessa.h"
#include "imagem/pictures.h"
#include "notice_fixture.h"

namespace instalador_test {
namespace {

using imagem_test::encode;
using imagem_test::Encoding;
using Bytes = std::vector<unsigned char>;

Bytes inicio(const Bytes& inteira, size_t tamanho) {
    return Bytes(inteira.begin(), inteira.begin() + static_cast<long>(tamanho));
}

// The coded data ended early by an end-of-image marker in its middle.
Bytes com_fim_no_meio(Bytes bytes) {
    for (size_t i = 0; i + 3 < bytes.size(); ++i) {
        if (bytes[i] != 0xFF || bytes[i + 1] != 0xDA) continue;
        const size_t dados = i + 2 + (static_cast<size_t>(bytes[i + 2]) << 8 | bytes[i + 3]);
        bytes.at(dados + 40) = 0xFF;
        bytes.at(dados + 41) = 0xD9;
        return bytes;
    }
    ADD_FAILURE() << "no start of scan";
    return bytes;
}

Bytes codificada(int largura, int altura, int componentes, J_COLOR_SPACE espaco) {
    Encoding e;
    e.width = largura;
    e.height = altura;
    e.components = componentes;
    e.space = espaco;
    return encode(e);
}

// The line of the debugger's output about the logo, or "".
std::string linha_do_logo() {
    for (const std::string& linha : plat_control::debug_lines())
        if (linha.find("logotipo") != std::string::npos) return linha;
    return "";
}

TEST_F(NoticeTest, OnlyASoundLogoFillsThePictureAndTheNoticeShowsWhateverTheBytes) {
    const Bytes logo(std::begin(instalador::logo_marvessa), std::end(instalador::logo_marvessa));
    const Bytes sadia = encode({});

    plat_control::debug_lines_clear();
    ASSERT_TRUE(mostra_com_logo(sadia));
    ASSERT_EQ(vistos.size(), 1u);
    const plat_control::FormView referencia = vistos[0];
    const plat_control::ControlView* figura = referencia.control("Image1");
    ASSERT_NE(figura, nullptr);
    EXPECT_EQ((std::vector<int>{figura->picture_width, figura->picture_height, figura->picture_components}),
              (std::vector<int>{134, 133, 3}));
    EXPECT_EQ(linha_do_logo(), "");

    const std::string sem_dados = cp("não há dados");
    const std::string corrompida = cp("dados corrompidos ou incompletos");
    const std::string tamanho = "tamanho diferente de 134 x 133";
    const std::string componentes = cp("não tem três componentes de cor");
    const struct {
        const char* caso;
        Bytes bytes;
        std::string motivo;
    } casos[] = {
        {"no bytes", {}, sem_dados},
        {"not a JPEG", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0}, corrompida},
        {"a start-of-image marker alone", {0xFF, 0xD8}, corrompida},
        {"the logo cut in half", inicio(logo, logo.size() / 2), corrompida},
        {"the logo without its end marker", inicio(logo, logo.size() - 2), corrompida},
        {"a picture whose data ends in the middle", com_fim_no_meio(sadia), corrompida},
        {"133 x 134", codificada(133, 134, 3, JCS_RGB), tamanho},
        {"41 x 41, the size it is shown at", codificada(41, 41, 3, JCS_RGB), tamanho},
        {"grey", codificada(134, 133, 1, JCS_GRAYSCALE), componentes},
        {"CMYK", codificada(134, 133, 4, JCS_CMYK), componentes},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        vistos.clear();
        ainda_aberto.clear();
        plat_control::debug_lines_clear();
        EXPECT_TRUE(mostra_com_logo(caso.bytes));
        ASSERT_EQ(vistos.size(), 1u);
        EXPECT_FALSE(ainda_aberto[0]);  // closed by OK
        EXPECT_EQ(plat_control::forms_alive(), 0);

        const plat_control::FormView& visto = vistos[0];
        const plat_control::ControlView* vazia = visto.control("Image1");
        ASSERT_NE(vazia, nullptr);
        EXPECT_EQ((std::vector<int>{vazia->picture_width, vazia->picture_height, vazia->picture_components}),
                  (std::vector<int>{0, 0, 0}));
        // Everything else as with a sound picture.
        EXPECT_EQ(visto.caption, referencia.caption);
        ASSERT_EQ(visto.controls.size(), referencia.controls.size());
        for (size_t i = 0; i < visto.controls.size(); ++i) {
            const plat_control::ControlView& c = visto.controls[i];
            const plat_control::ControlView& r = referencia.controls[i];
            EXPECT_EQ(c.name, r.name);
            EXPECT_EQ((std::vector<int>{c.left, c.top, c.width, c.height}),
                      (std::vector<int>{r.left, r.top, r.width, r.height}))
                << r.name;
            EXPECT_EQ(c.text, r.text) << r.name;
        }

        const std::string linha = linha_do_logo();
        EXPECT_NE(linha.find(caso.motivo), std::string::npos) << linha;
    }
}

}  // namespace
}  // namespace instalador_test
