// The notice as it is shown: caption, frame, size, fonts, texts, tab order and the logo,
// control by control; natively from the model, under Wine from the real windows.
#include "notice_fixture.h"
#include "support/scratch_folder.h"

namespace instalador_test {
namespace {

using K = plat::ControlKind;

struct Esperado {
    const char* nome;
    K tipo;
    const char* pai;
    int left, top, width, height;
    unsigned opcoes;
    plat_control::FontView fonte;
    int tab;
};

const plat_control::FontView sans{"MS Sans Serif", 11, false, plat::color_default};
const plat_control::FontView sans_negrito{"MS Sans Serif", 11, true, plat::color_default};

TEST_F(NoticeTest, TheDialogAsDesignedControlByControl) {
    instala("1");
    EXPECT_TRUE(carrega());
    ASSERT_EQ(vistos.size(), 1u);
    const plat_control::FormView& f = vistos[0];
    EXPECT_EQ(f.caption, cp("Marvessa - Varentis - Cálculos para Mercado de Capitais"));
    EXPECT_EQ(f.client_width, 470);
    EXPECT_EQ(f.client_height, 416);
    EXPECT_EQ(f.frame, plat::FrameStyle::dialog);
    EXPECT_EQ(f.font, sans);
    EXPECT_EQ(f.owner, nullptr);
    EXPECT_FALSE(f.title_buttons);
    EXPECT_TRUE(f.centred);
    EXPECT_TRUE(f.visible);

    const std::vector<Esperado> esperados = {
        {"Panel1", K::panel, nullptr, 0, 0, 473, 57, 0, sans, -1},
        {"Image1", K::picture, "Panel1", 19, 8, 41, 41, 0, sans, -1},
        {"Label1", K::label, "Panel1", 67, 23, 126, 29, 0, {"Tahoma", 24, true, 0x800000}, -1},
        {"Label2", K::label, nullptr, 11, 64, 449, 26, plat::control_word_wrap, sans_negrito, -1},
        {"Label3", K::label, nullptr, 11, 96, 449, 49, plat::control_word_wrap, sans, -1},
        {"m_licenca", K::memo, nullptr, 16, 144, 441, 225, plat::control_vertical_scroll,
         {"Times New Roman", 13, true, plat::color_default}, 0},
        {"b_ok", K::button, nullptr, 352, 376, 105, 33, 0, sans, 1},
        {"Label4", K::label, nullptr, 16, 392, 150, 13, 0, sans, -1},
    };
    ASSERT_EQ(f.controls.size(), esperados.size());
    for (size_t i = 0; i < esperados.size(); ++i) {
        const plat_control::ControlView& c = f.controls[i];
        const Esperado& e = esperados[i];
        EXPECT_EQ(c.name, e.nome);
        EXPECT_EQ(c.kind, e.tipo) << e.nome;
        EXPECT_EQ(c.parent < 0 ? std::string() : f.controls[static_cast<size_t>(c.parent)].name,
                  e.pai ? e.pai : "")
            << e.nome;
        EXPECT_EQ((std::vector<int>{c.left, c.top, c.width, c.height}),
                  (std::vector<int>{e.left, e.top, e.width, e.height}))
            << e.nome;
        EXPECT_EQ(c.options, e.opcoes) << e.nome;
        EXPECT_EQ(c.tab_order, e.tab) << e.nome;
        EXPECT_TRUE(c.enabled) << e.nome;
        if (c.kind == K::panel || c.kind == K::picture) continue;
        EXPECT_EQ(c.font.name, e.fonte.name) << e.nome;
        EXPECT_EQ(c.font.height, e.fonte.height) << e.nome;
        EXPECT_EQ(c.font.bold, e.fonte.bold) << e.nome;
        EXPECT_EQ(c.font.color, e.fonte.color) << e.nome;
    }
    EXPECT_EQ(f.control("Panel1")->color, 0xFFFFFFu);  // the white header band
    for (const auto& c : f.controls) {
        if (c.name == "Panel1") continue;
        EXPECT_EQ(c.color, plat::color_default) << c.name;  // button faces
    }

    EXPECT_EQ(f.control("Label1")->text, "Marvessa");
    EXPECT_EQ(f.control("Label2")->text,
              cp("Você está instalando o suplemento (add-in) dinâmico \"Varentis\" desenvolvido pela Marvessa."));
    EXPECT_EQ(f.control("Label3")->text,
              cp("Este suplemento adicionará uma categoria - se não existir - chamada \"Varentis\" na opção de "
                 "funções do Microsoft Excel. Esta categoria conterá todas as funções deste suplemento que "
                 "podem ser acessadas diretamente por planilhas do Microsoft Excel."));
    EXPECT_EQ(f.control("b_ok")->text, "OK");
    EXPECT_TRUE(f.control("b_ok")->has_click);
    EXPECT_NE(f.control("Label4")->text.find("Marvessa"), std::string::npos);

    // The terms: 26 lines, some ending with a space, the last one the maker's signature.
    const std::vector<std::string> termos = linhas(f.control("m_licenca")->text);
    ASSERT_EQ(termos.size(), 26u);
    int com_espaco = 0;
    for (const std::string& linha : termos) com_espaco += !linha.empty() && linha.back() == ' ';
    EXPECT_GE(com_espaco, 1);
    EXPECT_EQ(termos.back().rfind("Marvessa", 0), 0u) << termos.back();

    // The logo, decoded: 134 x 133 in three components, stretched into the 41 x 41 box.
    const plat_control::ControlView* logo = f.control("Image1");
    EXPECT_EQ((std::vector<int>{logo->picture_width, logo->picture_height, logo->picture_components}),
              (std::vector<int>{134, 133, 3}));
}

#ifdef _WIN32  // only real windows measure a text and paint: the stand-in has no fonts
// Every label shows its whole text, laid out in its font at its width as Windows lays it out,
// down to the last row its letters ink (a descender too), above any control that starts inside
// it and paints over its last rows.
TEST_F(NoticeTest, EveryLabelShowsItsWholeText) {
    instala("1");
    EXPECT_TRUE(carrega());
    ASSERT_EQ(vistos.size(), 1u);
    int medidos = 0;
    const std::vector<plat_control::ControlView>& controles = vistos[0].controls;
    for (const plat_control::ControlView& c : controles) {
        if (c.kind != K::label) continue;
        ++medidos;
        EXPECT_GT(c.text_width, 0) << c.name;
        EXPECT_LE(c.text_width, c.width) << c.name;
        int visivel = c.height;
        for (const plat_control::ControlView& outro : controles)
            if (&outro != &c && outro.parent == c.parent && outro.top > c.top && outro.top < c.top + visivel &&
                outro.left < c.left + c.width && c.left < outro.left + outro.width)
                visivel = outro.top - c.top;
        EXPECT_GT(c.text_height, 0) << c.name;
        EXPECT_LE(c.text_height, visivel) << c.name;
    }
    EXPECT_EQ(medidos, 4);
}

// Label3's last row lies on the terms box's first: the box's frame shows whole over it, as
// Windows paints siblings that overlap, and the label's text stays above it.
TEST_F(NoticeTest, TheTermsBoxShowsItsWholeFrame) {
    instala("1");
    EXPECT_TRUE(carrega());
    ASSERT_EQ(vistos.size(), 1u);
    const plat_control::ControlView* termos = vistos[0].control("m_licenca");
    const plat_control::ControlView* categoria = vistos[0].control("Label3");
    ASSERT_NE(termos, nullptr);
    ASSERT_NE(categoria, nullptr);
    ASSERT_GT(categoria->top + categoria->height, termos->top) << "the two overlap, as laid out";
    EXPECT_EQ(termos->edge_pixels_covered, 0);
}
#endif

TEST_F(NoticeTest, ThePrintedNoticeEndsWithItsPicture) {
    instala("1");
    host.unload();
    vx_test::ScratchFolder scratch;
    ASSERT_TRUE(scratch.ready());
    std::string out, err;
    const int status = xlhost::run_command_line(
        {"--registry", scratch.file("registry.txt"), "--addin", xlhost::default_addin_path(), "notice"}, out, err);
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(out.rfind("Marvessa - Varentis - Cálculos para Mercado de Capitais\n", 0), 0u) << out;
    EXPECT_NE(out.find("\nPanel1: panel, at 0,0, 473 x 57, colour #FFFFFF\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nLabel1: label, in Panel1, at 67,23, 126 x 29, font Tahoma 24 px bold #000080: Marvessa\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\nImage1: 134 x 133, 3 components, shown at 41 x 41\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nb_ok: button, at 352,376, 105 x 33, font MS Sans Serif 11 px, tab 1: OK\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\n  | TERMOS DE USO DO SUPLEMENTO VARENTIS\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace instalador_test
