#include "Instalador/textos_instalador.h"

namespace instalador {

const char* const titulo = "Marvessa - Varentis - Cálculos para Mercado de Capitais";
const char* const marca = "Marvessa";
const char* const instalando =
    "Você está instalando o suplemento (add-in) dinâmico \"Varentis\" desenvolvido pela Marvessa.";
const char* const categoria =
    "Este suplemento adicionará uma categoria - se não existir - chamada \"Varentis\" na opção de "
    "funções do Microsoft Excel. Esta categoria conterá todas as funções deste suplemento que podem "
    "ser acessadas diretamente por planilhas do Microsoft Excel.";
// Label4 is 150 pixels wide: this takes 148 in MS Sans Serif 8 points.
const char* const direitos = "Direitos reservados à Marvessa";

// Some paragraphs end with a space, as the text was written; the box shows it as it is.
const char* const termos[] = {
    "TERMOS DE USO DO SUPLEMENTO VARENTIS",
    "",
    "Leia com atenção os termos abaixo antes de usar este suplemento. ",
    "",
    "1. Licença. A Marvessa concede ao usuário uma licença pessoal, não exclusiva e intransferível "
    "para instalar e usar o suplemento Varentis no Microsoft Excel, nos computadores de sua "
    "propriedade ou sob seu controle. ",
    "",
    "2. Restrições. Não é permitido vender, alugar, sublicenciar ou distribuir o suplemento, nem "
    "modificá-lo, descompilá-lo ou desmontá-lo, salvo quando a lei aplicável o permitir "
    "expressamente. ",
    "",
    "3. Propriedade. O suplemento, sua documentação e suas marcas pertencem à Marvessa e estão "
    "protegidos pelas leis de direito autoral e de propriedade intelectual.",
    "",
    "4. Natureza dos cálculos. As funções deste suplemento calculam interpolações de taxas de "
    "juros, duration, convexidade, hedge, índice futuro, cupom cambial e projeção de volume a "
    "partir dos dados fornecidos pelo usuário. Os resultados dependem inteiramente desses dados e "
    "das convenções de mercado adotadas. ",
    "",
    "5. Isenção de garantias. O suplemento é fornecido \"no estado em que se encontra\", sem "
    "garantia de qualquer espécie, expressa ou implícita, inclusive quanto à exatidão dos "
    "resultados ou à sua adequação a uma finalidade específica.",
    "",
    "6. Limitação de responsabilidade. Em nenhuma hipótese a Marvessa responderá por perdas, lucros "
    "cessantes ou quaisquer danos decorrentes do uso ou da impossibilidade de uso do suplemento, "
    "inclusive por decisões de investimento tomadas com base em seus resultados. ",
    "",
    "7. Conferência. Cabe ao usuário conferir os resultados antes de utilizá-los em operações, "
    "relatórios ou decisões. ",
    "",
    "8. Aceitação. A instalação e o uso do suplemento significam a aceitação integral destes "
    "termos. Caso não concorde com eles, interrompa a instalação e remova o suplemento.",
    "",
    "Microsoft e Excel são marcas registradas da Microsoft Corporation.",
    "",
    "Dúvidas sobre estes termos podem ser enviadas à Marvessa. ",
    "",
    "",
    "Marvessa - Cálculos para Mercado de Capitais",
};
const std::size_t linhas_dos_termos = sizeof termos / sizeof termos[0];

static_assert(sizeof termos / sizeof termos[0] == 26, "the terms are 26 lines");

}  // namespace instalador
