// The chart construction behind OK, as the host's call log shows it: the whole sequence in
// colour and in black and white, in English and in Portuguese, the grid written to the data
// sheet, and a construction that fails before it starts.
#include "chart_fixture.h"

namespace chart_test {
namespace {

const std::vector<std::pair<double, double>> exemplo = {{0.18, 21}, {0.185, 63}, {0.195, 126}, {0.20, 252}};

std::vector<std::string> faltas(int quantas) { return std::vector<std::string>(static_cast<size_t>(quantas), "-"); }

std::vector<std::string> junta(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Textos {
    std::string titulo_dados, exponencial, pontos, grafico, taxa, dias, negrito;
};
const Textos ingles = {"Comparative chart source data for Cubic Spline and Exponential interpolation",
                       "Exponential", "Curve Pts.", "Interpolation: CSpline x Exponential", "I. Rate",
                       "Workdays", "Bold"};
const Textos portugues = {cp("Dados para gráfico comparativo de interpolação Cubic Spline x Exponencial"),
                          "Exponencial", "Ptos. Curva", cp("Interpolação: CSpline x Exponencial"), "Taxa",
                          cp("Dias Úteis"), "Negrito"};

// The construction for a grid of `n` rows, as the add-in must call it; the grid itself (the
// second argument of the second xlSet) is left out and checked on its own.
std::vector<Chamada> esperada(bool cores, const Textos& tx, int n) {
    const std::string u = std::to_string(n + 3);
    const std::string x = "=Auxiliar!R4C1:R" + u + "C1";
    const std::string cabecalho = "{\"" + tx.titulo_dados + "\",,,;,,,;\"" + tx.titulo_dados +
                                  "\",\"CSpline\",\"" + tx.exponencial + "\",\"" + tx.pontos + "\"}";
    const std::string cor_texto = cores ? "45i" : "1i";
    std::vector<Chamada> c;
    auto poe = [&](int f, std::vector<std::string> a = {}) { c.push_back({f, std::move(a)}); };
    auto fonte = [&](const std::string& estilo, const std::string& tamanho, const std::string& cor) {
        poe(FONT_PROPERTIES, junta({"Arial", estilo, tamanho}, junta(faltas(6), {cor})));
    };
    poe(NEW, {"1i"});
    poe(ECHO, {"FALSE"});
    poe(WORKBOOK_NAME, {"-", "Auxiliar"});
    poe(OPTIONS_VIEW, junta(faltas(7), {"FALSE"}));
    poe(SELECT, {"Auxiliar!$A$1:$IV$65536"});
    if (cores) {
        poe(PATTERNS, {"1i", "15i"});
        fonte("Normal", "10i", "5i");
    } else {
        poe(FONT_PROPERTIES, {"Arial", "Normal", "10i"});
    }
    poe(xlSet, {"Auxiliar!$A$1:$D$3", cabecalho});
    poe(SELECT, {"Auxiliar!$A$1"});
    poe(ACTIVE_CELL_FONT, {"-", tx.negrito});
    poe(SELECT, {"Auxiliar!$A$3:$D$3"});
    poe(BORDER, {"1i"});
    poe(SELECT, {"Auxiliar!$A$3"});
    poe(BORDER, {"1i"});
    poe(xlSet, {"Auxiliar!$A$4:$D$" + u, "<grid>"});
    poe(SELECT, {"Auxiliar!$A$4:$A$" + u});
    poe(BORDER, {"1i"});
    poe(SELECT, {"Auxiliar!$B$4:$D$" + u});
    poe(BORDER, {"1i"});
    poe(FORMAT_NUMBER, {"0.000%"});
    poe(SELECT, {"Auxiliar!$A$4:$D$" + u});
    poe(ALIGNMENT, {"3i"});
    if (cores) {
        poe(PATTERNS, {"1i", "2i"});
        poe(FONT_PROPERTIES, junta(faltas(9), {"1i"}));
    }
    poe(WORKBOOK_INSERT, {"2i"});
    poe(WORKBOOK_NAME, {"-", "CS x Exp"});
    poe(SELECT_CHART);
    poe(CLEAR, {"3i"});
    poe(OPTIONS_CHART, {"-", "-", "TRUE"});
    const std::vector<std::vector<std::string>> linhas = {
        cores ? std::vector<std::string>{"0i", "1i", "6i", "2i", "2i", "-", "6i", "6i"}
              : std::vector<std::string>{"0i", "3i", "1i", "2i", "2i", "-", "1i", "2i"},
        cores ? std::vector<std::string>{"0i", "1i", "3i", "2i", "2i", "-", "3i", "3i"}
              : std::vector<std::string>{"0i", "1i", "1i", "2i", "2i", "-", "1i", "2i"},
        {"2i", "-", "-", "-", "0i", "1i", "1i", "2i"},
    };
    for (int s = 0; s < 3; ++s) {
        const std::string coluna = std::to_string(s + 2);
        const std::string item = "S" + std::to_string(s + 1);
        // Each series plotted in its own place, so that "Sn" is the series just added.
        poe(EDIT_SERIES, {"0i", "=Auxiliar!R3C" + coluna, x, "=Auxiliar!R4C" + coluna + ":R" + u + "C" + coluna,
                          "-", std::to_string(s + 1) + "i"});
        poe(SELECT, {item});
        poe(FORMAT_CHARTTYPE, {"1i", "-", "1i", "8i"});
        poe(SELECT, {item});
        poe(PATTERNS, linhas[static_cast<size_t>(s)]);
    }
    poe(ATTACH_TEXT, {"1i"});
    poe(FORMULA, {tx.grafico});
    poe(SELECT, {"Title"});
    fonte(tx.negrito, "10i", cor_texto);
    poe(SELECT, {"Axis 1"});
    poe(FORMAT_NUMBER, {"0.00%"});
    fonte("Normal", "8i", cor_texto);
    if (cores) poe(PATTERNS, {"0i", "-", "45i"});
    poe(ATTACH_TEXT, {"2i"});
    poe(FORMULA, {tx.taxa});
    poe(SELECT, {"Text Axis 1"});
    fonte(tx.negrito, "8i", cor_texto);
    poe(SELECT, {"Axis 2"});
    fonte("Normal", "8i", cor_texto);
    if (cores) poe(PATTERNS, {"0i", "-", "45i"});
    poe(ATTACH_TEXT, {"3i"});
    poe(FORMULA, {tx.dias});
    poe(SELECT, {"Text Axis 2"});
    fonte(tx.negrito, "8i", cor_texto);
    poe(SELECT_PLOT_AREA);
    poe(PATTERNS, {"0i", "-", "16i", "-", "-", "2i"});
    if (cores) {
        poe(SELECT_CHART);
        poe(PATTERNS, {"2i", "-", "-", "-", "-", "0i", "1i", "49i"});
    }
    poe(SELECT, {"Gridline 1"});
    poe(PATTERNS, {"0i", "-", cores ? "16i" : "15i"});
    poe(SELECT, {"Legend"});
    poe(PATTERNS, {"2i", "-", "-", "-", "-", "2i"});
    fonte("Normal", "8i", cores ? "2i" : "1i");
    poe(SELECT_CHART);
    poe(WORKBOOK_ACTIVATE, {"Auxiliar"});
    poe(COLUMN_WIDTH, {"-", "Auxiliar!$A$3:$K$" + u, "-", "3i"});
    poe(SELECT, {"Auxiliar!$A$1"});
    poe(WORKBOOK_HIDE, {"Auxiliar", "TRUE"});
    poe(ECHO, {"TRUE"});
    return c;
}

// The construction as logged, with the grid replaced by a marker.
std::vector<Chamada> sem_a_grade(std::vector<Chamada> passos) {
    int escritas = 0;
    for (auto& passo : passos)
        if (passo.funcao == xlSet && ++escritas == 2 && passo.argumentos.size() == 2) passo.argumentos[1] = "<grid>";
    return passos;
}

void compara(const std::vector<Chamada>& feita, const std::vector<Chamada>& devida) {
    const size_t comuns = std::min(feita.size(), devida.size());
    for (size_t i = 0; i < comuns; ++i) {
        ASSERT_EQ(feita[i], devida[i]) << "step " << i;
    }
    EXPECT_EQ(feita.size(), devida.size());
}

TEST_F(ChartTest, ColourConstructionInEnglishInItsExactOrder) {
    abre("2");
    curva_de_numeros(exemplo);
    ASSERT_TRUE(host.select("A1:B4"));
    EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(true));
    compara(sem_a_grade(montagem()), esperada(true, ingles, 250));
    // Every call succeeded in the host, and nothing was shown but the dialog.
    for (const auto& call : host.calls()) EXPECT_EQ(call.code, 0) << call.function << " " << call.note;
    EXPECT_TRUE(plat_control::message_boxes().empty());
    // The data sheet's identifier is asked for right after the gridlines went off.
    const auto todas = chamadas();
    for (size_t i = 0; i + 1 < todas.size(); ++i) {
        if (todas[i].funcao == OPTIONS_VIEW) {
            EXPECT_EQ(todas[i + 1].funcao, xlSheetId);
        }
    }
}

TEST_F(ChartTest, BlackAndWhiteConstructionInPortuguese) {
    abre("1");
    curva_de_numeros(exemplo);
    ASSERT_TRUE(host.select("A1:B4"));
    EXPECT_EQ(roda(Resposta::ok_preto_e_branco), xlhost::Value::boolean_value(true));
    const auto passos = sem_a_grade(montagem());
    compara(passos, esperada(false, portugues, 250));
    // Only the palette colours of black-and-white output, and no fill of the sheet.
    for (const auto& passo : passos) {
        if (passo.funcao != PATTERNS && passo.funcao != FONT_PROPERTIES) continue;
        const std::string& cor = passo.argumentos.back();
        if (passo.funcao == FONT_PROPERTIES && passo.argumentos.size() < 10) continue;
        EXPECT_TRUE(cor == "1i" || cor == "2i" || cor == "15i" || cor == "16i" || cor == "-") << passo;
    }
}

TEST_F(ChartTest, TheGridReachesTheDataSheetWithTheCurvePointsInColumnD) {
    abre("2");
    curva_de_numeros({{0.18, 21}, {0.185, 63}, {0.19, 100}});
    ASSERT_TRUE(host.select("A1:B3"));
    roda(Resposta::ok);
    const auto escritas = chamadas_de(xlSet);
    ASSERT_EQ(escritas.size(), 2u);
    EXPECT_EQ(escritas[1].argumentos[0], "Auxiliar!$A$4:$D$103");
    const auto linhas = linhas_de(escritas[1].argumentos[1]);
    ASSERT_EQ(linhas.size(), 100u);
    for (size_t i = 0; i < linhas.size(); ++i) {
        ASSERT_EQ(linhas[i].size(), 4u) << i;
        EXPECT_EQ(linhas[i][0], std::to_string(i + 1));
        const bool ponto = i + 1 == 21 || i + 1 == 63 || i + 1 == 100;
        EXPECT_EQ(linhas[i][3].empty(), !ponto) << i;
    }
    // Before the first point both methods give its rate; the exponential column at 42 days is
    // the worked example's (its segment 21–63 is the same here).
    EXPECT_DOUBLE_EQ(std::stod(linhas[0][1]), 0.18);
    EXPECT_DOUBLE_EQ(std::stod(linhas[0][2]), 0.18);
    EXPECT_DOUBLE_EQ(std::stod(linhas[20][3]), 0.18);
    EXPECT_NEAR(std::stod(linhas[41][2]), 0.183748017, 5e-10);
    EXPECT_DOUBLE_EQ(std::stod(linhas[99][3]), 0.19);
    // The series cover the same rows.
    const auto series = chamadas_de(EDIT_SERIES);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(series[2].argumentos[3], "=Auxiliar!R4C4:R103C4");
}

TEST_F(ChartTest, NegativeRatesAndMergedDaysReachTheChartAsRead) {
    abre("2");
    curva_de_numeros({{0.18, 21.7}, {-0.19, 42}, {0.2, 21}, {0.21, 1}});
    ASSERT_TRUE(host.select("A1:B4"));
    roda(Resposta::ok);
    const auto escritas = chamadas_de(xlSet);
    ASSERT_EQ(escritas.size(), 2u);
    const auto linhas = linhas_de(escritas[1].argumentos[1]);
    ASSERT_EQ(linhas.size(), 42u);
    // 21.7 and 21 are one point carrying the larger rate; a day count of 1 counts; the negative
    // rate stays negative.
    EXPECT_DOUBLE_EQ(std::stod(linhas[0][3]), 0.21);
    EXPECT_DOUBLE_EQ(std::stod(linhas[20][3]), 0.2);
    EXPECT_DOUBLE_EQ(std::stod(linhas[41][3]), -0.19);
    int pontos = 0;
    for (const auto& linha : linhas) pontos += linha[3].empty() ? 0 : 1;
    EXPECT_EQ(pontos, 3);
}

TEST_F(ChartTest, AConstructionThatCannotStartLeavesNothingAndSaysSo) {
    abre("2");
    // The data sheet's day column holds 16-bit integers: 40000 business days do not fit.
    curva_de_numeros({{0.18, 21}, {0.2, 40000}});
    ASSERT_TRUE(host.select("A1:B2"));
    EXPECT_EQ(roda(Resposta::ok), xlhost::Value::boolean_value(true));
    EXPECT_TRUE(chamadas_de(NEW).empty());
    EXPECT_EQ(mensagem("Warning"),
              "Some errors occurred during comparative chart setup.\nPlease, disregard any results and "
              "try again or contact Marvessa for assistance.");
    // Excel's window was looked up again for the message.
    EXPECT_EQ(chamadas().back().funcao, xlGetHwnd);
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

// A rate near the largest double makes the interpolations overflow: nothing is built, and the
// failure message says so.
TEST_F(ChartTest, RatesThatOverflowTheInterpolationsLeaveNothingAndSaySo) {
    abre("2");
    curva_de_numeros({{1e308, 1}, {-1e308, 2}, {1e308, 300}});
    ASSERT_TRUE(host.select("A1:B3"));
    roda(Resposta::ok);
    EXPECT_TRUE(chamadas_de(NEW).empty());
    EXPECT_TRUE(chamadas_de(xlSet).empty());
    EXPECT_EQ(mensagem("Warning").rfind("Some errors occurred during comparative chart setup.", 0), 0u);
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

TEST_F(ChartTest, TheFailureMessageInPortuguese) {
    abre("1");
    curva_de_numeros({{0.18, 21}, {0.2, 40000}});
    ASSERT_TRUE(host.select("A1:B2"));
    roda(Resposta::ok);
    EXPECT_EQ(mensagem("Atenção"),
              cp("Houve erros durante o processo de montagem do gráfico comparativo de interpolações "
                 "Cubic Spline natural  e exponencial.\nDesconsidere qualquer resultado e tente "
                 "novamente.\n\nSe o problema persistir, entre em contato com o suporte da Marvessa."));
}

}  // namespace
}  // namespace chart_test
