// The catalogue as one declarative table: per function the shared columns and the texts of each
// language; per command its seven columns. It is packed at compile time into writable storage.
#include "addin/catalogue.h"

#include "Cmp/chama_cmp.h"
#include "Funcoes/exports/exports.h"
#include "Menu/comandos.h"
#include "ambiente/idioma.h"
#include "xll/type_text.h"

namespace addin {

namespace {

struct LanguageTexts {
    const char* argument_text;
    const char* function_help;
    std::array<const char*, max_function_arguments> argument_help;  // unused ones stay empty
};

struct FunctionDefinition {
    const char* procedure;
    const char* type_text;
    const char* function_text;
    LanguageTexts pt;
    LanguageTexts en;
};

constexpr FunctionDefinition functions[function_rows] = {
    {"interpol", "PIPB", "VX.INTERPOLEX",
     {"Dias Úteis, Curva de Juros, Anos Flat",
      "Retorna a taxas de juros interpolada exponencialmente ou extrapolada para o período indicado",
      {"Número de dias úteis para o qual se deseja calcular a taxa de juros interpolada ou extrapolada",
       "Intervalo (matriz n linhas por 2 colunas) contendo a curva de juros - taxas ano base 252 e dias úties",
       "Opcional. Número de anos (base 252) após o vencimento da última taxa indicada onde a curva de juros fica flat. O valor padrão é 0"}},
     {"Workdays, Yield Curve, Years Flat",
      "Interest rate for Brazilian yield curve (base 252) using exponential interpolation or over the time rate",
      {"Number of workdays for which interest rate is calculated",
       "Range (n rows and 2 columns) describing Brazilian yield curve - rates base 252 and workdays",
       "Optional. Number of years after the last rate and time informed where yield curve flats. Default value is 0"}}},
    {"cspline", "PIP", "VX.CSPLINE",
     {"Dias Úteis, Curva de Juros",
      "Retorna a taxas de juros interpolada utilizando Cubic Spline natural para o período indicado",
      {"Número de dias úteis para o qual se deseja calcular a taxa de juros interpolada",
       "Intervalo (matriz n linhas por 2 colunas) contendo a curva de juros - taxas ano base 252 e dias úties"}},
     {"Workdays, Yield Curve",
      "Interest rate for Brazilian yield curve (base 252) using Natural Cubic Spline interpolation",
      {"Number of workdays for which interest rate is calculated",
       "Range (n rows and 2 columns) describing Brazilian yield curve - rates base 252 and workdays"}}},
    {"duration", "PPP", "VX.DURATION",
     {"Curva de Juros, Portfolio",
      "Retorna a Macauley duration, exposição final, convexidade e modified duration de uma carteira a partir da curva de juros",
      {"Intervalo (matriz n linhas por 2 colunas) contendo a curva de juros - taxas ano base 252 e dias úties",
       "Intervalo (matriz n linhas por 2 colunas) contendo o valor de face e os dias úteis de cada pagamento"}},
     {"Yield Curve, Portfolio",
      "Returns Macauley duration, final exposure, convexity and modified duration of a portfolio and a given yield curve",
      {"Range (n rows and 2 columns) describing yield curve - base 252 yield and workdays",
       "Range (n rows and 2 columns) with payment face value and workdays untill each payment"}}},
    {"hedge", "PBIJBIIBB", "VX.HEDGE",
     {"Taxa DI1, Dias Úteis, Valor de Face, Taxa Posição, Vencimento, Duração Alvo, Taxa Alvo, Beta",
      "Retorna a quantidade de contratos de DI1 da BM&F necessários para realizar o hedge da posição",
      {"Taxa de juros anual do contrato DI1 (efetiva base 252) utilizado para o hedge",
       "Número de dias úteis até o vencimento do contrato DI1 utilizado para hedge",
       "Valor de face da posição que se deseja fazer o hedge. Informe positivo para posições compradas e negativo para posições vendidas",
       "Taxa de juros anual (efetiva base 252) para o vencimento ou duration da posição",
       "Número de dias úteis para o vencimento da posição que será feito o hedge",
       "Opcional. Número de dias úteis que representarão o duration final. O valor padrão é 0, significando o hedge total",
       "Opcional. Taxa de juros anual (efetiva base 252) para vencimentos iguais ao da duração alvo. Obrigatório se a função utilizar Duração Alvo",
       "Opcional. Relação entre a variação dos contratos futuros utilizados e a variação dos títulos da posição. O valor padrão é 1"}},
     {"BMF DI1 Yield, Workdays, Face Value, Portfolio Yield, Settlement, Target Duration, Target Yield, Beta",
      "Returns number of BMF DI1 future contract to hedge a portfolio",
      {"BMF DI1 annual yield (base 252) used for hedging",
       "Workdays till BMF DI1 future settlement - expire date - used for hedging",
       "Face value of portfolio position to be hedged. Mark positive values for long positions and negative value for short positions",
       "Equivalent annual yield (base 252) for portfolio duration or portfolio settlement",
       "Workdays till portfolio (hedged) settlement",
       "Optional. Workdays of final duration. Default is 0, meaning total hedge",
       "Optional. Equivalent annual yield (base 252) for target duration. Must be informed if Target Duration is used",
       "Optional. Relationship between BMF DI1 future contracts and portfolio bonds. Default value is 1"}}},
    {"volproj", "PBJBBBB", "VX.VOLPROJ",
     {"Hora Atual, Volume Atual, Início do Pregão, Fim do Pregão, Fim da Manhã, Início da Tarde",
      "Retorna o volume projetado para um ativo com base no horário de funcionamento do pregão",
      {"Horário no formato hh:mm:ss (24H) que indica o momento da informação de Volume Atual",
       "Volume até o momento para o ativo (bolsa, futuros, ações etc.)",
       "Horário no formato hh:mm:ss (24H) que indica o início da negociação do ativo",
       "Horário no formato hh:mm:ss (24H) que indica o término da negociação do ativo",
       "Opcional. Horário no formato hh:mm:ss (24H) que indica o término da negociação do ativo no período da manhã",
       "Opcional. Horário no formato hh:mm:ss (24H) que indica o início da negociação do ativo no período da tarde"}},
     {"Time Now, Volume Now, Trade Start, Trade End, Lunch Break, Noon Restart",
      "Returns projected volume for an asset using trade interval",
      {"Time now using hh:mm:ss (24H) format that represents present volume",
       "Asset trade volume till now (stocks, futures, forwards etc.)",
       "Time in hh:mm:ss (24H) format showing first moment of asset trade",
       "Time in hh:mm:ss (24H) format showing first moment of asset trade",
       "Optional. Time in hh:mm:ss (24H) format showing morning break for lunch if volume stops at that time",
       "Optional. Time in hh:mm:ss (24H) format showing re-start after lunch time if volume stops at that time"}}},
    {"indjusto", "PJIP", "VX.INDJUSTO",
     {"Índice à Vista, Dias Úteis, Curva de Juros",
      "Retorna o valor justo para o índice futuro da bolsa de valores a partir da curva de juros",
      {"Índice à vista da bolsa de valores",
       "Número de dias úteis para o vencimento do índice futuro de bolsa de valores",
       "Intervalo (matriz n linhas por 2 colunas) contendo a curva de juros - taxas ano base 252 e dias úties"}},
     {"Spot Index, Workdays, Yield Curve",
      "Returns fare value for future contract considering time value of money",
      {"Spot index for an asset - Stock index for example",
       "Workdays till settlement of the future contract",
       "Range (n rows and 2 columns) describing yield curve - base 252 and workdays"}}},
    {"indtaxa", "PJIJ", "VX.INDTAXA",
     {"Índice Futuro, Dias Úteis, Índice à Vista",
      "Retorna a taxa de juros (anual base 252) implícita no índice futuro da bolsa de valores",
      {"Índice futuro da bolsa de valores",
       "Número de dias úteis para o vencimento do índice futuro de bolsa de valores",
       "Índice à vista da bolsa de valores"}},
     {"Future Contract, Workdays, Spot Index",
      "Returns interest rate (annual base 252) from future contract considering the spot index",
      {"Future contract quotation of the chosen index",
       "Workdays till settlement of the future contract",
       "Spot index"}}},
    {"inddif", "PJJIP", "VX.INDDIF",
     {"Índice à Vista, Índice Futuro, Dias Úteis, Curva de Juros",
      "Retorna a diferença entre o índice futuro justo e o negociado. Retorna negativo para índice barato e positivo para índice caro",
      {"Índice à vista da bolsa de valores",
       "Índice futuro da bolsa de valores",
       "Número de dias úteis para o vencimento do índice futuro de bolsa de valores",
       "Intervalo (matriz n linhas por 2 colunas) contendo a curva de juros - taxas ano base 252 e dias úties"}},
     {"Spot Index, Future Contract, Workdays, Yield Curve",
      "Returns the difference between fare future quotation and real (traded) future quotation. Returns negative for undervalued and positive for overvalued",
      {"Spot index for an asset - Stock index for example",
       "Future contract quotation of the chosen index",
       "Workdays till settlement of the future contract",
       "Range (n rows and 2 columns) describing yield curve - base 252 and workdays"}}},
    {"cupfra", "PBIJBJJBB", "VX.CUPOM_FRA",
     {"Taxa Curta, Dias Úteis Curta, Vcto Curta, Taxa Longa, Dias Úteis Longa, Vcto Longa, Rolagem, Dólar Curta",
      "Retorna a taxa de juros linear ACT/360 do contrato de cupom cambial limpo (FRC) conforme a curva de juros e o dólar futuro",
      {"Taxa de juros anual (efetiva base 252) para a ponta curta do cupom cambial",
       "Número de dias úteis até o vencimento da ponta curta do FRC. Deve ser maior do que 0",
       "Data de vencimento (dia/mês/ano) da ponta curta do FRA de cupom cambial",
       "Taxa de juros anual (efetiva base 252) para a ponta longa do FRC",
       "Número de dias úteis até o vencimento da ponta longa do FRC. Deve ser um valor maior do que 0",
       "Data de vencimento (dia/mês/ano) da ponta longa do FRC. Deve ser uma data posterior ao Vcto Curta",
       "Indica a rolagem para o dólar em pontos ou uma taxa de desvalorização anual (ACT/360)",
       "Opcional. Valor do contrato de dólar futuro da ponta curta. Informe 0 (padrão) para rolagem em taxa de desvalorização anual"}},
     {"Short Yield, Short Workdays, Short Settlement, Long Yield, Long Workdays, Long Settlement, Roll Over, Short Dollar",
      "Returns linear interest rate ACT/360 for BMF FRC contract from yield curve and R$/U$ NDF",
      {"Annual yield (base 252) for short side of BMF FRC contract",
       "Workdays till settlement of short side of BMF FRC contract. Must be greater than 0",
       "Settlement date (day/month/year) of short side of BMF FRC contract",
       "Annual yield (base 252) for long side of BMF FRC contract",
       "Workdays till settlement of long side of BMF FRC contract. Must be greater than 0",
       "Settlement date (day/month/year) of long side of BMF FRC contract. Must be greater than Short Settlement",
       "Points of R$/U$ NDF or annual devaluation rate R$/U$ (ACT/360) to be applied for each new monthly NDF",
       "Optional. R$/U$ NDF quotation for the short side. Mark 0 (default) when Roll Over is an annual devaluation rate; otherwise Roll Over is in points"}}},
    {"cupfracurta", "PBJJJ", "VX.CUPOM_FRACRUTA",
     {"Taxa FRC, Contratos, Vcto Longa, Vcto Curta",
      "Retorna o número de contratos a serem registrados na BM&F na ponta curta de um contrato de FRC considerando um cliente apenas",
      {"Taxa de juros anual (ACT/360) do contrato de cupom cambial limpo - FRC - negociado",
       "Número de contratos de FRA de cupom cambial negociados (ponta longa)",
       "Data de vencimento (dia/mês/ano) da ponta longa do FRA de cupom cambial. Deve ser uma data posterior ao Vcto Curta",
       "Data de vencimento (dia/mês/ano) da ponta curta do FRA de  cupom cambial"}},
     {"FRC Yield, Contracts, Long Settlement, Short Settlement",
      "Returns the number of contracts to be registered in BMF in the short side of BMF FRC contract for one client",
      {"Annual yield (ACT/360) of traded BMF FRC contract",
       "Number of BMF FRC contracts traded (long side)",
       "Settlement date (day/month/year) of long side of BMF FRC contract. Must be greater than Short Settlement",
       "Settlement date (day/month/year) of short side of BMF FRC contract"}}},
    {"cuprolimp", "PBJJBIBJB", "VX.CUPOM_ROLIMP",
     {"Taxa FRC, Vcto Longa, Dias Úteis Longa, Taxa Curta, Dias Úteis Curta, Dólar Curta, Vcto Curta, Taxa Longa",
      "Retorna a rolagem em pontos para o dólar futuro implícita na cotação do FRA de cupom cambial (cupom limpo)",
      {"Taxa de juros anual (ACT/360) do contrato de cupom cambial limpo - FRC - negociado",
       "Data de vencimento (dia/mês/ano) da ponta longa do FRC. Deve ser uma data posterior ao Vcto Curta",
       "Número de dias úteis até o vencimento do contrato de FRC. Deve ser um número maior do que Dias Úteis Curta",
       "Taxa de juros anual (efetiva base 252) para a ponta curta do cupom cambial. É igual ao DI1 da BM&F para a ponta curta do FRC",
       "Número de dias úteis até o vencimento da ponta curta do FRC. Deve ser maior do que 0",
       "Valor do contrato de dólar futuro da ponta curta. É igual ao dólar futuro da BM&F para a ponta curta do FRC",
       "Data de vencimento (dia/mês/ano) da ponta curta do FRA de cupom cambial",
       "Taxa de juros anual (efetiva base 252) para a ponta longa do FRC"}},
     {"FRC Yield, Long Settlement, Long Workdays, Short Yield, Workdays Short, Short Dollar, Short Settlement, Long Yield",
      "Returns the roll over points for R$/U$ NDF accounted in BMF FRC contract traded",
      {"Annual yield (ACT/360) of BMF FRC contract traded",
       "Settlement date (day/month/year) of long side of BMF FRC contract. Must be greater than Short Settlement",
       "Workdays till BMF FRC contract settlement. Must be greater than Workdays Short",
       "Annual yield (base 252) for short side of BMF FRC contract. It is the same as BMF DI1 for short side of BMF FRC contract",
       "Workdays till settlement of short side of BMF FRC contract. Must be greater than 0",
       "R$/U$ NDF quotation for short side of BMF FRC contract. It is the same as BMF R$/U$ NDF for short side",
       "Settlement date (day/month/year) of short side of BMF FRC contract",
       "Annual yield (base 252) for long side of BMF FRC contract"}}},
    {"cupdesvimp", "PBJJBIJB", "VX.CUPOM_DESVIMP",
     {"Taxa FRC, Vcto Longa, Dias Úteis Longa, Taxa Curta, Dias Úteis Curta, Vcto Curta, Taxa Longa",
      "Retorna a taxa de desvalorização anual (ACT/360) para o dólar futuro implícita na cotação do FRA de cupom cambial (cupom limpo)",
      {"Taxa de juros anual (ACT/360) do contrato de cupom cambial limpo - FRC - negociado",
       "Data de vencimento (dia/mês/ano) da ponta longa do FRC. Deve ser uma data posterior ao Vcto Curta",
       "Número de dias úteis até o vencimento do contrato de FRC. Deve ser um número maior do que Dias Úteis Curta",
       "Taxa de juros anual (efetiva base 252) para a ponta curta do cupom cambial. É igual ao DI1 da BM&F para a ponta curta do FRC",
       "Número de dias úteis até o vencimento da ponta curta do FRC. Deve ser maior do que 0",
       "Data de vencimento (dia/mês/ano) da ponta curta do FRA de  cupom cambial",
       "Taxa de juros anual (efetiva base 252) para a ponta longa do FRC"}},
     {"FRC Yield, Long Settlement, Workdays Long, Short Yield, Workdays Short, Short Settlement, Long Yield",
      "Returns annual devaluation rate (ACT/360) for R$/U$ NDF accounted in BMF FRC contract",
      {"Annual yield (ACT/360) of BMF FRC contract traded",
       "Settlement date (day/month/year) of long side of BMF FRC contract. Must be greater than Short Settlement",
       "Workdays till BMF FRC contract settlement. Must be greater than Workdays Short",
       "Annual yield (base 252) for short side of BMF FRC contract. It is the same as BMF DI1 for short side of BMF FRC contract",
       "Workdays till settlement of short side of BMF FRC contract. Must be greater than 0",
       "Settlement date (day/month/year) of short side of BMF FRC contract",
       "Annual yield (base 252) for long side of BMF FRC contract"}}},
    {"cupsujo", "PBBJJBJJBA", "VX.CUPOM_SUJO",
     {"PTAX Ontem, Dólar 2, Vcto Dólar 2, Hoje, Taxa Longa, Dias Úteis Longa, Vcto Longa, Rolagens, Tipo",
      "Retorna a taxa de juros (ACT/360) do cupom cambial sujo conforme a curva de juros, a rolagem do dólar e o valor do PTAX",
      {"cotação do dólar comercial à vista - venda - do dia anterior",
       "Dólar comercial à vista - venda - na data atual (PTAX de hoje - R$/U$) ou dólar futuro da BM&F (R$/1000 U$)",
       "Data de vencimento (dia/mês/ano) do Dólar 2. Para PTAX, informe a data de hoje. Para futuros, informe o vencimento do contrato",
       "Data atual (dia/mês/ano)",
       "Taxa de juros anual (efetiva base 252) para a ponta longa do cupom cambial",
       "Número de dias úteis até o vencimento da ponta longa do cupom cambial. Deve ser um valor maior do que 0",
       "Data de vencimento (dia/mês/ano) da ponta longa do cupom cambial. Deve ser posterior ao Vcto Dólar 2",
       "Indica a rolagem para o dólar em pontos ou uma taxa de desvalorização anual (ACT/360)",
       "Opcional. Indica se a rolagem é em pontos (padrão ou informe 0) ou uma taxa anual ACT/360 (informe 1)"}},
     {"PTAX Yesterday, Dollar 2, Dollar 2 Settlement, Today, Long Yield, Workdays Long, Long Settlement, Roll Over, Type",
      "Returns annual yield (ACT/360) of dirty BMF FRC contract according yield curve, R$/U$ roll over and PTAX",
      {"Commercial dollar - Ask - for the day before",
       "Commercial dollar for present day (PTAX - R$/U$ - Ask) or R$/U$ NDF (R$/1000 U$)",
       "Settlement date (day/month/year) of Dollar 2. For PTAX, mark present day. For NDF's, mark contract settlement",
       "Present day (day/month/year)",
       "Annual yield (base 252) for long side of BMF FRC contract",
       "Workdays till settlement of long side of BMR FRC contract. Must be greater than 0",
       "Settlement date (day/month/year) of long side of BMF FRC contract. Must be greater than Dollar 2 Settlement",
       "Points of R$/U$ NDF or annual devaluation rate R$/U$ (ACT/360) to be applied for each new monthly NDF",
       "Optional. Mark 0 (default) for roll over in points or 1 for rate of devaluation ACT/360"}}},
};

constexpr std::array<const char*, command_columns> commands[command_rows] = {
    {"vx_chama_cmp", "A", "vx_menu_cmp", "", "2", "Varentis", ""},
    {"vx_chama_ajuda", "A", "vx_menu_ajuda", "", "2", "Varentis", ""},
    {"vx_chama_sobre", "A", "vx_menu_sobre", "", "2", "Varentis", ""},
    {"vx_chama_port", "A", "vx_menu_port", "", "2", "Varentis", ""},
    {"vx_chama_ing", "A", "vx_menu_ing", "", "2", "Varentis", ""},
};

// Each row and its export agree: the row names the export, and its type text is the one that
// the export's C++ signature makes. A change to either side alone stops the build here.
constexpr const char* procedure(const FunctionDefinition& row) { return row.procedure; }
constexpr const char* type_text(const FunctionDefinition& row) { return row.type_text; }
constexpr const char* procedure(const std::array<const char*, command_columns>& row) { return row[col_procedure]; }
constexpr const char* type_text(const std::array<const char*, command_columns>& row) { return row[col_type_text]; }
template <class Row>
constexpr bool registers(const Row& row, const char* exported, const char* signature) {
    return xll::same_text(procedure(row), exported) && xll::same_text(type_text(row), signature);
}
#define VX_ROW_REGISTERS(row, exported)                                               \
    static_assert(registers(row, #exported, xll::type_text_of<decltype(exported)>), \
                  #exported ": the catalogue row and the export's signature differ")

VX_ROW_REGISTERS(functions[0], interpol);
VX_ROW_REGISTERS(functions[1], cspline);
VX_ROW_REGISTERS(functions[2], duration);
VX_ROW_REGISTERS(functions[3], hedge);
VX_ROW_REGISTERS(functions[4], volproj);
VX_ROW_REGISTERS(functions[5], indjusto);
VX_ROW_REGISTERS(functions[6], indtaxa);
VX_ROW_REGISTERS(functions[7], inddif);
VX_ROW_REGISTERS(functions[8], cupfra);
VX_ROW_REGISTERS(functions[9], cupfracurta);
VX_ROW_REGISTERS(functions[10], cuprolimp);
VX_ROW_REGISTERS(functions[11], cupdesvimp);
VX_ROW_REGISTERS(functions[12], cupsujo);
VX_ROW_REGISTERS(commands[0], vx_chama_cmp);
VX_ROW_REGISTERS(commands[1], vx_chama_ajuda);
VX_ROW_REGISTERS(commands[2], vx_chama_sobre);
VX_ROW_REGISTERS(commands[3], vx_chama_port);
VX_ROW_REGISTERS(commands[4], vx_chama_ing);
#undef VX_ROW_REGISTERS

constexpr const char* text_or_empty(const char* text) { return text ? text : ""; }

// The 19 REGISTER columns of every function row of one language, row by row.
constexpr std::array<const char*, function_rows * function_columns> function_cells(bool portuguese) {
    std::array<const char*, function_rows * function_columns> cells{};
    for (int row = 0; row < function_rows; ++row) {
        const FunctionDefinition& function = functions[row];
        const LanguageTexts& texts = portuguese ? function.pt : function.en;
        const char** cell = &cells[static_cast<size_t>(row * function_columns)];
        cell[col_procedure] = function.procedure;
        cell[col_type_text] = function.type_text;
        cell[col_function_text] = function.function_text;
        cell[col_argument_text] = texts.argument_text;
        cell[col_macro_type] = "1";
        cell[col_category] = "Varentis";
        cell[col_shortcut] = "";
        cell[col_help_topic] = "";
        cell[col_function_help] = texts.function_help;
        for (int argument = 0; argument < max_function_arguments; ++argument)
            cell[col_first_argument_help + argument] =
                text_or_empty(texts.argument_help[static_cast<size_t>(argument)]);
    }
    return cells;
}

constexpr std::array<const char*, command_rows * command_columns> command_cells() {
    std::array<const char*, command_rows * command_columns> cells{};
    for (int row = 0; row < command_rows; ++row)
        for (int column = 0; column < command_columns; ++column)
            cells[static_cast<size_t>(row * command_columns + column)] =
                commands[row][static_cast<size_t>(column)];
    return cells;
}

constexpr auto pt_cells = function_cells(true);
constexpr auto en_cells = function_cells(false);
constexpr auto command_texts = command_cells();

VX_COUNTED_STORAGE(pt_storage, pt_cells);
VX_COUNTED_STORAGE(en_storage, en_cells);
VX_COUNTED_STORAGE(command_storage, command_texts);

}  // namespace

const xll::CountedTable function_catalogue_pt{pt_storage.bytes, pt_storage.offsets, function_rows,
                                              function_columns};
const xll::CountedTable function_catalogue_en{en_storage.bytes, en_storage.offsets, function_rows,
                                              function_columns};
const xll::CountedTable command_catalogue{command_storage.bytes, command_storage.offsets,
                                          command_rows, command_columns};

const xll::CountedTable& function_catalogue() {
    return ambiente::bilingue(function_catalogue_pt, function_catalogue_en);
}

}  // namespace addin
