// What the chart commands share: the chart Excel draws from a selection of cells, the items of
// a chart that a selection names, series references read from texts or records, and CLEAR on
// a chart.
#pragma once

#include <string>

#include "capi/session.h"
#include "model/chart.h"

namespace xlhost::capi {

// Excel's chart of the cells selected on `source` (a worksheet): one series per column (per row
// when the block is wider than tall), a first row of texts naming them and a first column of
// texts as categories. Nothing when no cell is selected or the cells are empty.
void chart_from_selection(Session& session, Sheet& source, Chart& chart);

enum class ItemKind { none, chart_area, plot_area, legend, title, axis, axis_title, gridline, series };

struct ChartItem {
    ItemKind kind = ItemKind::none;
    Boxed* boxed = nullptr;     // chart area, plot area, legend
    TextItem* text = nullptr;   // title, axis titles
    Axis* axis = nullptr;       // an axis, or the axis of a title or gridline
    LineLook* line = nullptr;   // a gridline
    Series* series = nullptr;
};
// The item the chart's selection names; kind none when nothing is selected.
ChartItem selected_item(Chart& chart);

// Fills `out` from a series argument: a text reference ("=Auxiliar!R4C1:R253C1", in R1C1 form
// when `r1c1`, else A1) or a reference record; the sheet must exist. False with `why` set.
bool series_reference(Session& session, const Value& argument, const XLOPER* record, bool r1c1, SeriesRef* out,
                      std::string* why);
// The text of a series reference as Excel writes it in R1C1 form: "=Auxiliar!R4C1:R253C1".
std::string series_reference_text(const SeriesRef& ref);

// CLEAR on a chart (1 everything, 2 formats, 3 series) of what is selected; false when the
// selected item cannot be cleared that way.
bool clear_chart(Chart& chart, int what);

}  // namespace xlhost::capi
