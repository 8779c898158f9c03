// Each command's checks as Excel makes them: a wrong argument, a command that needs a chart on
// a worksheet, an item the chart lacks, all answer the failure code and change nothing. And the
// model effects the construction does not reach: the selection in its three forms, GET.CELL,
// plot order, a chart drawn from the selected cells, CLEAR, sheet names and hiding.
#include "command_script.h"

namespace {

using xlhost::Value;

class Commands : public CommandScript {
protected:
    // A new workbook whose chart sheet "Chart1" holds one series over Sheet1!B1:B3.
    void chart_with_one_series() {
        ASSERT_EQ(call(xlcNew, {i(1)}), 0);
        ASSERT_EQ(call(xlcWorkbookInsert, {i(2)}), 0);
        ASSERT_EQ(call(xlcEditSeries | xlIntl, {i(0), t("=Sheet1!R1C1"), miss(), t("=Sheet1!R1C2:R3C2")}), 0) << last_note();
    }
};

TEST_F(Commands, SelectionAnswersOneAreaSeveralAreasOrAnObject) {
    ASSERT_TRUE(host->select("B3:C14"));
    XLOPER answer;
    ASSERT_EQ(call(xlfSelection, {}, &answer), 0);
    EXPECT_EQ(answer.xltype, xltypeSRef);
    EXPECT_EQ(answer.val.sref.ref.rwFirst, 2);
    EXPECT_EQ(answer.val.sref.ref.colLast, 2);
    ASSERT_TRUE(host->select("A1:B2,D4:E5"));
    ASSERT_EQ(call(xlfSelection, {}, &answer), 0);
    ASSERT_EQ(answer.xltype, xltypeRef);
    EXPECT_EQ(answer.val.mref.lpmref->count, 2);
    EXPECT_EQ(answer.val.mref.idSheet, host->model().active_sheet().id());
    EXPECT_EQ(host->outstanding_values(), 1) << "a multi-area reference waits for xlFree";
    call(xlFree, {answer});
    host->select_object("Rectangle 1");
    ASSERT_EQ(call(xlfSelection, {}, &answer), 0);
    ASSERT_EQ(answer.xltype, xltypeStr);
    EXPECT_EQ(std::string(answer.val.str + 1, static_cast<unsigned char>(answer.val.str[0])), "Rectangle 1");
    call(xlFree, {answer});
    EXPECT_FALSE(host->select("B3:"));
}

TEST_F(Commands, GetCellReadsContentsAndFormats) {
    host->set_cell("A1", Value::num(0.18));
    host->set_cell("B1", Value::str("dias"));
    XLOPER answer;
    ASSERT_EQ(call(xlfGetCell, {i(5), area(0, 0, 0, 0)}, &answer), 0);
    EXPECT_EQ(answer.xltype, xltypeNum);
    EXPECT_EQ(answer.val.num, 0.18);
    ASSERT_EQ(call(xlfGetCell, {i(5), area(0, 0, 1, 1)}, &answer), 0);
    EXPECT_EQ(answer.xltype, xltypeStr);
    call(xlFree, {answer});
    ASSERT_EQ(call(xlfGetCell, {i(5), area(7, 7, 0, 0)}, &answer), 0);
    EXPECT_EQ(answer.xltype, xltypeNil) << "an empty cell has no contents";
    ASSERT_EQ(call(xlfGetCell, {i(67), area(0, 0, 0, 0)}, &answer), 0);
    EXPECT_EQ(answer.xltype, xltypeErr);
    EXPECT_EQ(answer.val.err, xlerrValue);
    ASSERT_EQ(call(xlcSelect, {area(0, 0, 0, 0)}), 0);
    ASSERT_EQ(call(xlcFormatNumber | xlIntl, {t("0.000%")}), 0);
    ASSERT_EQ(call(xlfGetCell, {i(7)}, &answer), 0) << "without a reference: the active cell";
    EXPECT_EQ(std::string(answer.val.str + 1, static_cast<unsigned char>(answer.val.str[0])), "0.000%");
    call(xlFree, {answer});
}

TEST_F(Commands, WrongArgumentsFailAndChangeNothing) {
    ASSERT_EQ(call(xlcSelect, {area(0, 3, 0, 1)}), 0);
    EXPECT_EQ(call(xlcPatterns, {i(1), i(57)}), xlretFailed);
    EXPECT_NE(last_note().find("afore"), std::string::npos) << last_note();
    EXPECT_EQ(call(xlcPatterns, {i(19)}), xlretFailed);
    EXPECT_EQ(call(xlcPatterns, {t("1")}), xlretFailed) << "a text where a number goes";
    EXPECT_EQ(call(xlcPatterns, {i(1), i(2), i(3), no(), i(5)}), xlretFailed) << "cells take four arguments";
    EXPECT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), t("Bolt")}), xlretFailed);
    EXPECT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), miss(), i(410)}), xlretFailed);
    EXPECT_EQ(call(xlcFontProperties | xlIntl, {t("Arial"), miss(), miss(), miss(), miss(), miss(), miss(), miss(), miss(), i(57)}), xlretFailed);
    EXPECT_EQ(call(xlcBorder, {i(14)}), xlretFailed);
    EXPECT_EQ(call(xlcAlignment, {i(8)}), xlretFailed);
    EXPECT_EQ(call(xlcFormatNumber, {t("0.0\"%")}), xlretFailed) << "an unclosed quote";
    EXPECT_EQ(call(xlcSelectChart), xlretFailed) << "a worksheet is active";
    EXPECT_EQ(call(xlcEditSeries | xlIntl, {i(0), miss(), miss(), t("=Sheet1!R1C1:R2C1")}), xlretFailed);
    const auto look = look_at(active(), 0, 0);
    EXPECT_EQ(look.pattern, 0);
    EXPECT_FALSE(look.bold);
    EXPECT_EQ(look.number_format, "General");
    // A count beyond what the command takes is refused by Excel's own check, and is a fault.
    expect_faults = true;
    std::vector<XLOPER> sixteen(16, miss());
    std::vector<LPXLOPER> pointers;
    for (auto& x : sixteen) pointers.push_back(&x);
    int code = 0;
    host->run_as_command([&] { code = Excel4v(xlcOptionsView, nullptr, 16, pointers.data()); });
    EXPECT_EQ(code, xlretInvCount);
}

TEST_F(Commands, ChartItemsMustExistAndTakeTheirOwnForm) {
    chart_with_one_series();
    EXPECT_EQ(call(xlcSelect, {t("S2")}), xlretFailed);
    EXPECT_EQ(call(xlcSelect, {t("Title")}), xlretFailed) << "no title before ATTACH.TEXT";
    EXPECT_EQ(call(xlcSelect, {t("Axle 1")}), xlretFailed);
    EXPECT_EQ(call(xlcSelect, {t("S99999999999")}), xlretFailed);
    EXPECT_EQ(call(xlcSelect, {area(0, 0, 0, 0)}), xlretFailed) << "cells cannot be selected on a chart";
    EXPECT_EQ(call(xlcFormula, {t("text")}), xlretFailed) << "nothing that holds text is selected";
    ASSERT_EQ(call(xlcSelect, {t("s1")}), 0);
    EXPECT_EQ(chart().selected, "S1");
    EXPECT_EQ(call(xlcPatterns, {i(0), i(9)}), xlretFailed) << "line styles go to 8";
    EXPECT_EQ(call(xlcFormatNumber, {t("0.00%")}), xlretFailed) << "a series shows no number format";
    EXPECT_EQ(call(xlcFormatCharttype, {i(1), miss(), i(2), i(8)}), xlretFailed) << "3-D types go to 6";
    EXPECT_EQ(call(xlcOptionsView, {miss(), miss(), miss(), miss(), miss(), miss(), miss(), no()}), xlretFailed);
    EXPECT_EQ(call(xlSet, {area(0, 0, 0, 0), num(1)}), xlretFailed) << "an SRef now means the chart sheet";
    EXPECT_EQ(call(xlcEditSeries, {i(0), miss(), miss(), t("=Sheet1!R1C1:R3C1")}), xlretFailed)
        << "without the international flag references are read in A1 form";
    EXPECT_EQ(call(xlcEditSeries | xlIntl, {i(0), miss(), miss(), t("=Nowhere!R1C1:R3C1")}), xlretFailed);
    EXPECT_EQ(call(xlcEditSeries | xlIntl, {i(0), miss(), miss(), t("=Sheet1!R1C1:R3C2")}), xlretFailed)
        << "values come from one row or one column";
    EXPECT_EQ(call(xlcEditSeries | xlIntl, {i(0), miss(), miss(), t("=Sheet1!R1C3:R3C3"), miss(), i(3)}), xlretFailed)
        << "a new series of two goes at most second";
    EXPECT_EQ(chart().series.size(), 1u);
}

TEST_F(Commands, PlotOrderPlacesTheNewSeriesAndRenamesTheOthers) {
    chart_with_one_series();
    ASSERT_EQ(call(xlcEditSeries | xlIntl, {i(0), t("=Sheet1!R1C3"), miss(), t("=Sheet1!R1C3:R3C3"), miss(), i(1)}), 0);
    ASSERT_EQ(chart().series.size(), 2u);
    EXPECT_EQ(chart().series[0].y.range.first_column, 2) << "plot order 1 is S1";
    ASSERT_EQ(call(xlcSelect, {t("S2")}), 0);
    ASSERT_EQ(call(xlcPatterns, {i(0), i(1), i(3)}), 0);
    EXPECT_EQ(chart().series[1].line.colour, 3);
    EXPECT_EQ(chart().series[1].y.range.first_column, 1) << "S2 is now the first series added";
    ASSERT_EQ(call(xlcEditSeries, {i(0), t("Literal name"), t("=Sheet1!$A$1:$A$3"), t("=Sheet1!$D$1:$D$3")}), 0);
    EXPECT_EQ(chart().series[2].name_text, "Literal name") << "without a plot order the series goes last";
}

TEST_F(Commands, AChartSheetChartsTheSelectedCellsAndClearEmptiesIt) {
    ASSERT_EQ(call(xlcNew, {i(1)}), 0);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c) ASSERT_EQ(call(xlSet, {area(r, r, c, c), num(r * 10 + c)}), 0);
    ASSERT_EQ(call(xlcSelect, {area(0, 4, 0, 2)}), 0);
    ASSERT_EQ(call(xlcWorkbookInsert, {i(2)}), 0);
    EXPECT_EQ(active().name(), "Chart1");
    EXPECT_EQ(chart().series.size(), 3u) << "one series per column of numbers";
    EXPECT_EQ(chart().series[2].y.text, "=Sheet1!R1C3:R5C3");
    ASSERT_EQ(call(xlcSelect, {t("S2")}), 0);
    ASSERT_EQ(call(xlcClear, {i(3)}), 0);
    EXPECT_EQ(chart().series.size(), 2u) << "with a series selected CLEAR removes that one";
    ASSERT_EQ(call(xlcSelectChart), 0);
    ASSERT_EQ(call(xlcClear, {i(3)}), 0);
    EXPECT_TRUE(chart().series.empty());
    EXPECT_EQ(call(xlcClear, {i(4)}), xlretFailed);
}

TEST_F(Commands, SheetNamesAndVisibility) {
    ASSERT_EQ(call(xlcNew, {i(1)}), 0);
    EXPECT_EQ(host->model().active_workbook().name(), "Book2");
    EXPECT_EQ(call(xlcWorkbookName, {miss(), t("a:b")}), xlretFailed);
    EXPECT_EQ(call(xlcWorkbookName, {miss(), t(std::string(32, 'x'))}), xlretFailed);
    EXPECT_EQ(call(xlcWorkbookName, {t("NoSuchSheet"), t("Dados")}), xlretFailed);
    ASSERT_EQ(call(xlcWorkbookInsert, {i(1)}), 0);
    EXPECT_EQ(active().name(), "Sheet2");
    EXPECT_EQ(call(xlcWorkbookName, {miss(), t("SHEET1")}), xlretFailed) << "names are unique without case";
    ASSERT_EQ(call(xlcWorkbookHide, {t("Sheet2")}), 0);
    EXPECT_EQ(active().name(), "Sheet1") << "the hidden active sheet hands over";
    EXPECT_EQ(call(xlcWorkbookHide, {t("Sheet1"), yes()}), xlretFailed) << "one sheet stays visible";
    EXPECT_EQ(call(xlcWorkbookActivate, {t("Sheet2")}), xlretFailed) << "a hidden sheet cannot be activated";
    ASSERT_EQ(call(xlcNew, {i(1)}), 0);
    EXPECT_EQ(host->model().active_workbook().name(), "Book3");
    ASSERT_EQ(call(xlcEcho, {}), 0);
    EXPECT_FALSE(host->model().workspace.screen_updating) << "ECHO without an argument switches";
}

TEST_F(Commands, ColumnWidthFitsTheShownValues) {
    ASSERT_EQ(call(xlSet, {area(0, 0, 0, 0), t("a rather long heading")}), 0);
    ASSERT_EQ(call(xlSet, {area(5, 5, 0, 0), t("a heading longer than the other, outside")}), 0);
    ASSERT_EQ(call(xlSet, {area(1, 1, 1, 1), num(0.185)}), 0);
    ASSERT_EQ(call(xlcSelect, {area(1, 1, 1, 1)}), 0);
    ASSERT_EQ(call(xlcFormatNumber | xlIntl, {t("0.000%")}), 0);
    ASSERT_EQ(call(xlcColumnWidth, {miss(), area(0, 4, 0, 2), miss(), i(3)}), 0) << last_note();
    const auto& objects = active().objects();
    EXPECT_NEAR(objects.column_width(0), 21 + 0.71, 0.01) << "only rows 1 to 5 count";
    EXPECT_NEAR(objects.column_width(1), 7 + 0.71, 0.01) << "18.500% is seven characters";
    EXPECT_EQ(objects.column_width(2), xlhost::standard_column_width) << "an empty column keeps its width";
    EXPECT_EQ(call(xlcColumnWidth, {num(256)}), xlretFailed);
}

}  // namespace
