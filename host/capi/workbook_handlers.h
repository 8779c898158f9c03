// Handlers of the selection, the workbook, format and chart commands (dispatch.cpp's table
// maps their function numbers to them).
#pragma once

#include "capi/session.h"
#include "xll/xloper.h"

namespace xlhost::capi {

// selection.cpp
int selection(Session&, XLOPER*, int, XLOPER**);
int get_cell(Session&, XLOPER*, int, XLOPER**);
int select(Session&, XLOPER*, int, XLOPER**);
// workbook_commands.cpp
int new_document(Session&, XLOPER*, int, XLOPER**);
int echo(Session&, XLOPER*, int, XLOPER**);
int workbook_name(Session&, XLOPER*, int, XLOPER**);
int workbook_insert(Session&, XLOPER*, int, XLOPER**);
int workbook_activate(Session&, XLOPER*, int, XLOPER**);
int workbook_hide(Session&, XLOPER*, int, XLOPER**);
int options_view(Session&, XLOPER*, int, XLOPER**);
int set_cells(Session&, XLOPER*, int, XLOPER**);
int column_width(Session&, XLOPER*, int, XLOPER**);
int clear(Session&, XLOPER*, int, XLOPER**);
// format_commands.cpp
int patterns(Session&, XLOPER*, int, XLOPER**);
int font_properties(Session&, XLOPER*, int, XLOPER**);
int active_cell_font(Session&, XLOPER*, int, XLOPER**);
int border(Session&, XLOPER*, int, XLOPER**);
int format_number(Session&, XLOPER*, int, XLOPER**);
int alignment(Session&, XLOPER*, int, XLOPER**);
// chart_commands.cpp
int select_chart(Session&, XLOPER*, int, XLOPER**);
int select_plot_area(Session&, XLOPER*, int, XLOPER**);
int options_chart(Session&, XLOPER*, int, XLOPER**);
int edit_series_a1(Session&, XLOPER*, int, XLOPER**);
int edit_series_r1c1(Session&, XLOPER*, int, XLOPER**);
int format_charttype(Session&, XLOPER*, int, XLOPER**);
int attach_text(Session&, XLOPER*, int, XLOPER**);
int formula(Session&, XLOPER*, int, XLOPER**);

}  // namespace xlhost::capi
