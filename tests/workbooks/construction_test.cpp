// The whole construction of the comparison chart played against the host, call by call in
// the add-in's order, and the model it leaves: the new workbook, the very hidden data sheet,
// the chart sheet with its three series, titles and formats; then the same workbook saved as
// .xlsx and read back with openpyxl.
#include <fstream>
#include <sstream>

#include "command_script.h"
#include "support/scratch_folder.h"
#include "xlsx_facts.h"

namespace {

using xlhost::Value;

class Construction : public CommandScript {
protected:
    // The construction with a grid of `rows` rows (business days 1, 2, ...).
    void build(bool black_and_white, int rows, const std::string& bold = "Bold") {
        const int last = rows + 3;
        XLOPER none = miss();
        ASSERT_EQ(call(xlcNew, {i(1)}), 0);
        ASSERT_EQ(call(xlcEcho, {no()}), 0);
        ASSERT_EQ(call(xlcWorkbookName, {none, t("Auxiliar")}), 0);
        ASSERT_EQ(call(xlcOptionsView, {none, none, none, none, none, none, none, no()}), 0);
        ASSERT_EQ(call(xlcSelect, {area(0, 65535, 0, 255)}), 0);
        if (!black_and_white) {
            ASSERT_EQ(call(xlcPatterns, {i(1), i(15)}), 0);
            ASSERT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), t("Normal"), i(10), none, none, none, none, none, none, i(5)}), 0);
        } else {
            ASSERT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), t("Normal"), i(10)}), 0);
        }
        // Rows 1 to 3: the titles.
        std::vector<XLOPER> head(12, XLOPER{});
        for (auto& h : head) h.xltype = xltypeNil;
        head[0] = t("Comparative chart source data for Cubic Spline and Exponential interpolation");
        head[8] = head[0];
        head[9] = t("CSpline");
        head[10] = t("Exponential");
        head[11] = t("Curve Pts.");
        XLOPER header{};
        header.xltype = xltypeMulti;
        header.val.array.rows = 3;
        header.val.array.columns = 4;
        header.val.array.lparray = head.data();
        ASSERT_EQ(call(xlSet, {area(0, 2, 0, 3), header}), 0);
        ASSERT_EQ(call(xlcSelect, {area(0, 0, 0, 0)}), 0);
        ASSERT_EQ(call(xlcActiveCellFont | xlIntl, {none, t(bold)}), 0);
        ASSERT_EQ(call(xlcSelect, {area(2, 2, 0, 3)}), 0);
        ASSERT_EQ(call(xlcBorder, {i(1)}), 0);
        ASSERT_EQ(call(xlcSelect, {area(2, 2, 0, 0)}), 0);
        ASSERT_EQ(call(xlcBorder, {i(1)}), 0);
        // The grid.
        std::vector<XLOPER> grid;
        for (int r = 0; r < rows; ++r) {
            grid.push_back(i(r + 1));
            grid.push_back(num(0.18 + r * 0.001));
            grid.push_back(num(0.18 + r * 0.0011));
            if (r % 2 == 0) grid.push_back(num(0.18 + r * 0.001));
            else {
                XLOPER empty{};
                empty.xltype = xltypeNil;
                grid.push_back(empty);
            }
        }
        XLOPER data{};
        data.xltype = xltypeMulti;
        data.val.array.rows = static_cast<uint16_t>(rows);
        data.val.array.columns = 4;
        data.val.array.lparray = grid.data();
        ASSERT_EQ(call(xlSet, {area(3, last - 1, 0, 3), data}), 0);
        ASSERT_EQ(call(xlcSelect, {area(3, last - 1, 0, 0)}), 0);
        ASSERT_EQ(call(xlcBorder, {i(1)}), 0);
        ASSERT_EQ(call(xlcSelect, {area(3, last - 1, 1, 3)}), 0);
        ASSERT_EQ(call(xlcBorder, {i(1)}), 0);
        ASSERT_EQ(call(xlcFormatNumber | xlIntl, {t("0.000%")}), 0);
        ASSERT_EQ(call(xlcSelect, {area(3, last - 1, 0, 3)}), 0);
        ASSERT_EQ(call(xlcAlignment, {i(3)}), 0);
        if (!black_and_white) {
            ASSERT_EQ(call(xlcPatterns, {i(1), i(2)}), 0);
            ASSERT_EQ(call(xlcFontProperties | xlIntl, {none, none, none, none, none, none, none, none, none, i(1)}), 0);
        }
        // The chart sheet.
        ASSERT_EQ(call(xlcWorkbookInsert, {i(2)}), 0);
        ASSERT_EQ(call(xlcWorkbookName, {none, t("CS x Exp")}), 0);
        ASSERT_EQ(call(xlcSelectChart), 0);
        ASSERT_EQ(call(xlcClear, {i(3)}), 0);
        ASSERT_EQ(call(xlcOptionsChart, {none, none, yes()}), 0);
        const std::string n = std::to_string(last);
        const std::string x = "=Auxiliar!R4C1:R" + n + "C1";
        struct Line {
            const char* name;
            int column;
            const char* item;
        };
        const Line lines[] = {{"=Auxiliar!R3C2", 2, "S1"}, {"=Auxiliar!R3C3", 3, "S2"}, {"=Auxiliar!R3C4", 4, "S3"}};
        for (const Line& line : lines) {
            const std::string y = "=Auxiliar!R4C" + std::to_string(line.column) + ":R" + n + "C" + std::to_string(line.column);
            ASSERT_EQ(call(xlcEditSeries | xlIntl, {i(0), t(line.name), t(x), t(y), none, i(1)}), 0) << last_note();
            ASSERT_EQ(call(xlcSelect, {t(line.item)}), 0) << last_note();
            ASSERT_EQ(call(xlcFormatCharttype, {i(1), none, i(1), i(8)}), 0) << last_note();
            ASSERT_EQ(call(xlcSelect, {t(line.item)}), 0);
            if (line.column == 2) {
                ASSERT_EQ(black_and_white ? call(xlcPatterns, {i(0), i(3), i(1), i(2), i(2), none, i(1), i(2)})
                                          : call(xlcPatterns, {i(0), i(1), i(6), i(2), i(2), none, i(6), i(6)}), 0) << last_note();
            }
            if (line.column == 3) {
                ASSERT_EQ(black_and_white ? call(xlcPatterns, {i(0), i(1), i(1), i(2), i(2), none, i(1), i(2)})
                                          : call(xlcPatterns, {i(0), i(1), i(3), i(2), i(2), none, i(3), i(3)}), 0);
            }
            if (line.column == 4) {
                ASSERT_EQ(call(xlcPatterns, {i(2), none, none, none, i(0), i(1), i(1), i(2)}), 0) << last_note();
            }
        }
        const int accent = black_and_white ? 1 : 45;
        ASSERT_EQ(call(xlcAttachText, {i(1)}), 0);
        ASSERT_EQ(call(xlcFormula, {t("Interpolation: CSpline x Exponential")}), 0);
        ASSERT_EQ(call(xlcSelect, {t("Title")}), 0);
        ASSERT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), t(bold), i(10), none, none, none, none, none, none, i(accent)}), 0);
        ASSERT_EQ(call(xlcSelect, {t("Axis 1")}), 0);
        ASSERT_EQ(call(xlcFormatNumber | xlIntl, {t("0.00%")}), 0);
        for (int axis = 1; axis <= 2; ++axis) {
            if (axis == 2) {
                ASSERT_EQ(call(xlcSelect, {t("Axis 2")}), 0);
            }
            ASSERT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), t("Normal"), i(8), none, none, none, none, none, none, i(accent)}), 0);
            if (!black_and_white) {
                ASSERT_EQ(call(xlcPatterns, {i(0), none, i(45)}), 0) << last_note();
            }
            ASSERT_EQ(call(xlcAttachText, {i(axis + 1)}), 0);
            ASSERT_EQ(call(xlcFormula, {t(axis == 1 ? "I. Rate" : "Workdays")}), 0);
            ASSERT_EQ(call(xlcSelect, {t(axis == 1 ? "Text Axis 1" : "Text Axis 2")}), 0);
            ASSERT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), t(bold), i(8), none, none, none, none, none, none, i(accent)}), 0);
        }
        ASSERT_EQ(call(xlcSelectPlotArea), 0);
        ASSERT_EQ(call(xlcPatterns, {i(0), none, i(16), none, none, i(2)}), 0) << last_note();
        if (!black_and_white) {
            ASSERT_EQ(call(xlcSelectChart), 0);
            ASSERT_EQ(call(xlcPatterns, {i(2), none, none, none, none, i(0), i(1), i(49)}), 0) << last_note();
        }
        ASSERT_EQ(call(xlcSelect, {t("Gridline 1")}), 0);
        ASSERT_EQ(call(xlcPatterns, {i(0), none, i(black_and_white ? 15 : 16)}), 0);
        ASSERT_EQ(call(xlcSelect, {t("Legend")}), 0);
        ASSERT_EQ(call(xlcPatterns, {i(2), none, none, none, none, i(2)}), 0);
        ASSERT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), t("Normal"), i(8), none, none, none, none, none, none, i(black_and_white ? 1 : 2)}), 0);
        ASSERT_EQ(call(xlcSelectChart), 0);
        ASSERT_EQ(call(xlcWorkbookActivate, {t("Auxiliar")}), 0);
        ASSERT_EQ(call(xlcColumnWidth, {none, area(2, last - 1, 0, 10), none, i(3)}), 0) << last_note();
        ASSERT_EQ(call(xlcSelect, {area(0, 0, 0, 0)}), 0);
        ASSERT_EQ(call(xlcWorkbookHide, {t("Auxiliar"), yes()}), 0);
        ASSERT_EQ(call(xlcEcho, {yes()}), 0);
    }

    const xlhost::Workbook& book2() const {
        const auto* book = host->model().find_book("Book2");
        EXPECT_NE(book, nullptr);
        return *book;
    }
    const xlhost::Sheet& sheet(const std::string& name) const { return *host->model().find_sheet("[Book2]" + name); }
};

TEST_F(Construction, ColourModeLeavesTheWorkbookItDescribes) {
    build(false, 250);
    const auto& book = book2();
    ASSERT_EQ(book.sheets().size(), 2u);
    EXPECT_EQ(book.sheets()[0]->name(), "CS x Exp");  // inserted before the data sheet
    EXPECT_EQ(book.sheets()[1]->name(), "Auxiliar");
    const auto& data = sheet("Auxiliar");
    EXPECT_EQ(data.objects().visibility, xlhost::Visibility::very_hidden);
    EXPECT_FALSE(data.objects().gridlines);
    EXPECT_EQ(&active(), book.sheets()[0].get()) << "hiding the active data sheet activates the chart";
    EXPECT_TRUE(host->model().workspace.screen_updating);
    // Cells and their looks.
    EXPECT_EQ(data.value(2, 1), Value::str("CSpline"));
    EXPECT_EQ(data.value(3, 0), Value::num(1));  // integers land as numbers
    EXPECT_EQ(data.value(252, 0), Value::num(250));
    EXPECT_EQ(data.value(4, 3).kind, Value::Kind::nil);
    const auto title = look_at(data, 0, 0), header = look_at(data, 2, 2), rate = look_at(data, 10, 2),
               outside = look_at(data, 300, 20);
    EXPECT_TRUE(title.bold);
    EXPECT_FALSE(header.bold);
    EXPECT_EQ(outside.pattern, 1);
    EXPECT_EQ(outside.pattern_fore, 15);
    EXPECT_EQ(outside.font_colour, 5);
    EXPECT_EQ(rate.pattern_fore, 2);
    EXPECT_EQ(rate.font_colour, 1);
    EXPECT_EQ(rate.number_format, "0.000%");
    EXPECT_EQ(rate.horizontal, 3);
    EXPECT_EQ(look_at(data, 3, 0).number_format, "General");
    EXPECT_EQ(header.top.style, 1);
    EXPECT_EQ(header.bottom.style, 1);
    EXPECT_EQ(look_at(data, 2, 3).right.style, 1);
    EXPECT_EQ(look_at(data, 10, 1).left.style, 1) << "the outline of B4:D253 has a left edge";
    EXPECT_EQ(look_at(data, 10, 2).left.style, 0);
    EXPECT_GT(data.objects().column_width(0), 50) << "column A fits the title text of A3";
    EXPECT_LT(data.objects().column_width(1), 12);
    // The chart.
    const auto& c = *book.sheets()[0]->objects().chart;
    ASSERT_EQ(c.series.size(), 3u);
    EXPECT_EQ(c.type, xlhost::chart_xy);
    // Each new series was given plot order 1, so it went before the others: the last one
    // added (the curve points) is S1.
    EXPECT_EQ(c.series[0].name_ref.text, "=Auxiliar!R3C4");
    EXPECT_EQ(c.series[1].name_ref.text, "=Auxiliar!R3C3");
    EXPECT_EQ(c.series[2].name_ref.text, "=Auxiliar!R3C2");
    EXPECT_EQ(c.series[2].y.range, (xlhost::Range{3, 1, 252, 1}));
    EXPECT_EQ(c.series[0].x.range, (xlhost::Range{3, 0, 252, 0}));
    for (const auto& s : c.series) EXPECT_EQ(s.type, xlhost::chart_xy);
    EXPECT_EQ(c.title.text, "Interpolation: CSpline x Exponential");
    EXPECT_TRUE(c.title.font.bold);
    EXPECT_EQ(c.title.font.colour, 45);
    EXPECT_EQ(c.value_axis.title.text, "I. Rate");
    EXPECT_EQ(c.category_axis.title.text, "Workdays");
    EXPECT_EQ(c.value_axis.number_format, "0.00%");
    EXPECT_EQ(c.value_axis.line.colour, 45);
    EXPECT_EQ(c.category_axis.font.size, 8);
    EXPECT_EQ(c.plot_area.fill.automatic, 2);
    EXPECT_EQ(c.plot_area.border.colour, 16);
    EXPECT_EQ(c.chart_area.fill.fore, 49);
    EXPECT_EQ(c.chart_area.border.automatic, 2);
    EXPECT_EQ(c.value_axis.major_gridline_look.colour, 16);
    EXPECT_EQ(c.legend.font.colour, 2);
    EXPECT_TRUE(c.size_with_window);
}

TEST_F(Construction, BlackAndWhiteUsesOnlyTheGreysAndNoSheetFill) {
    build(true, 100);
    const auto& data = sheet("Auxiliar");
    EXPECT_EQ(look_at(data, 300, 20).pattern, 0);
    EXPECT_EQ(look_at(data, 10, 2).pattern, 0);
    const auto& c = *book2().sheets()[0]->objects().chart;
    std::vector<int> colours = {c.title.font.colour, c.value_axis.font.colour, c.category_axis.font.colour,
                                c.value_axis.title.font.colour, c.legend.font.colour,
                                c.value_axis.major_gridline_look.colour, c.plot_area.border.colour};
    for (const auto& s : c.series) {
        if (s.line.automatic == 0) colours.push_back(s.line.colour);
        if (s.marker.automatic == 0) colours.insert(colours.end(), {s.marker.fore, s.marker.back});
    }
    for (int colour : colours) EXPECT_TRUE(colour == 0 || colour == 1 || colour == 2 || colour == 15 || colour == 16) << colour;
    EXPECT_EQ(c.chart_area.fill.automatic, 1) << "no chart area fill in black and white";
}

TEST_F(Construction, PortugueseStyleNamesAreFontStyles) {
    build(false, 10, "Negrito");
    EXPECT_TRUE(look_at(sheet("Auxiliar"), 0, 0).bold);
    EXPECT_TRUE(book2().sheets()[0]->objects().chart->title.font.bold);
}

TEST_F(Construction, TheSavedFileReadsBackWithItsSheetsSeriesAndTitles) {
    build(false, 250);
    vx_test::ScratchFolder scratch;
    ASSERT_TRUE(scratch.ready());
    const std::string path = scratch.file("construction_chart.xlsx");
    std::string error;
    ASSERT_TRUE(host->save_xlsx(path, &error, "Book2")) << error;
    const std::string facts = workbooks_test::read_xlsx_facts(path);
    const char* const expected[] = {
        "sheet CS x Exp visible chartsheet",
        "sheet Auxiliar veryHidden worksheet",
        "A3 Comparative chart source data for Cubic Spline and Exponential interpolation",
        "B3 CSpline",
        "A253 250",
        "B5 format 0.000%",
        "A1 bold True",
        "gridlines False",
        "title Interpolation: CSpline x Exponential",
        "y axis title I. Rate",
        "x axis title Workdays",
        "y axis format 0.00%",
        "series name Auxiliar!$D$3 x Auxiliar!$A$4:$A$253 y Auxiliar!$D$4:$D$253",
        "series name Auxiliar!$C$3 x Auxiliar!$A$4:$A$253 y Auxiliar!$C$4:$C$253",
        "series name Auxiliar!$B$3 x Auxiliar!$A$4:$A$253 y Auxiliar!$B$4:$B$253",
        "chart scatterChart",
    };
    for (const char* fact : expected) EXPECT_NE(facts.find(std::string(fact) + "\n"), std::string::npos) << fact << "\n" << facts;
}

TEST_F(Construction, AnEmptyChartIsNotWrittenAndLeavesNoFile) {
    XLOPER none = miss();
    ASSERT_EQ(call(xlcNew, {i(1)}), 0);
    ASSERT_EQ(call(xlcWorkbookInsert, {i(2)}), 0);
    (void)none;
    vx_test::ScratchFolder scratch;
    ASSERT_TRUE(scratch.ready());
    const std::string path = scratch.file("empty_chart.xlsx");
    std::string error;
    EXPECT_FALSE(host->save_xlsx(path, &error));
    EXPECT_NE(error.find("without series"), std::string::npos) << error;
    EXPECT_FALSE(std::ifstream(path).good());
}

}  // namespace
