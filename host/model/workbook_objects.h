// What a sheet holds beside its cells, and what the Excel application holds beside its
// workbooks: the kind of sheet, its visibility, view options, the selection, cell formats,
// column widths, drawing objects and, on a chart sheet, its chart; screen updating and the
// counter that names new workbooks.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/address.h"
#include "model/cell_format.h"
#include "model/chart.h"

namespace xlhost {

enum class SheetKind { worksheet, chart, macro, module };  // module: a Visual Basic module
enum class Visibility { visible, hidden, very_hidden };

constexpr double standard_column_width = 8.43;

struct Selection {
    std::vector<Range> areas{Range{}};  // cells: one area or several
    int active_row = 0, active_column = 0;
    std::string object;                 // a drawing object's name when one is selected instead
};

struct SheetObjects {
    SheetKind kind = SheetKind::worksheet;
    Visibility visibility = Visibility::visible;
    // OPTIONS.VIEW of a worksheet
    bool gridlines = true, headers = true, zero_values = true, formulas = false, outline = true,
         page_breaks = false;
    int gridline_colour = 0;
    Selection selection;
    CellFormats formats;
    std::map<int, double> column_widths;  // width in characters; absent is the standard width
    std::vector<std::string> drawing_objects;
    std::unique_ptr<Chart> chart;  // a chart sheet's chart

    double column_width(int column) const;
};

struct Workspace {
    bool screen_updating = true;
    int books_made = 1;  // Book1 exists at start; NEW names the next one Book2
    // OPTIONS.VIEW's workspace settings
    bool formula_bar = true, status_bar = true, show_info = false, scroll_horizontal = true,
         scroll_vertical = true, sheet_tabs = true;
    int notes_indicator = 1, objects = 1;
};

}  // namespace xlhost
