// A chart as the chart commands build it: its series (name, X and Y references) in plot
// order, its type, titles, axes, gridlines, legend, plot and chart areas, and the formats of
// each. The chart items have Excel's names ("S1", "Title", "Axis 1", ...), which SELECT takes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/address.h"
#include "model/cell_format.h"

namespace xlhost {

// 2-D gallery types; 3-D charts (dimension 2) number their own gallery the same way up to 6.
enum ChartType { chart_area = 1, chart_bar, chart_column, chart_line, chart_pie, chart_doughnut, chart_radar, chart_xy };

struct LineLook {
    int automatic = 1;  // 0 custom, 1 automatic, 2 none
    int style = 1;      // 1 solid, 2 dash, 3 dot, 4 dash dot, 5 dash dot dot, 6 to 8 greys
    int colour = 0;     // 0 automatic, else a palette index
    int weight = 2;     // 1 hairline, 2 thin, 3 medium, 4 thick
};

struct AreaLook {
    int automatic = 1;  // 0 custom, 1 automatic, 2 none
    int pattern = 1;    // 1 solid ... 18
    int fore = 0, back = 0;
};

struct MarkerLook {
    int automatic = 1;  // 0 custom, 1 automatic, 2 none
    int style = 1;      // 1 square, 2 diamond, 3 triangle, 4 X, 5 star, 6 short bar, 7 long bar, 8 circle, 9 plus
    int fore = 0, back = 0;
};

struct TextLook {
    std::string name = "Arial";
    bool bold = false, italic = false;
    double size = 10;
    int colour = 0;
    int underline = 1;
    int background = 1;  // 1 automatic, 2 transparent, 3 opaque
};

// A reference of a series: a rectangle on a sheet named by its text, as the series formula
// writes it ("=Auxiliar!R4C1:R253C1"); an empty sheet name means none given.
struct SeriesRef {
    std::string book;   // "" for the chart's own workbook
    std::string sheet;
    Range range;
    std::string text;   // as the add-in gave it
    bool present = false;
};

struct Series {
    SeriesRef name_ref;
    std::string name_text;  // a literal name instead of a reference
    SeriesRef x, y;
    int type = chart_column;
    int dimension = 1;
    LineLook line;
    MarkerLook marker;
    AreaLook fill;
    bool smooth = false;
};

struct TextItem {
    bool present = false;
    std::string text;
    SeriesRef link;  // a text linked to a cell ("=Auxiliar!R1C1") shows that cell
    TextLook font;
    LineLook border{2, 1, 0, 2};
    AreaLook fill{2, 1, 0, 0};
};

struct Axis {
    bool present = true;
    std::string number_format = "General";
    TextLook font;
    LineLook line;
    int major_ticks = 3, minor_ticks = 1, tick_labels = 4;
    TextItem title;
    bool major_gridlines = false, minor_gridlines = false;
    LineLook major_gridline_look, minor_gridline_look;
};

struct Boxed {
    bool present = true;
    LineLook border;
    AreaLook fill;
    TextLook font;
};

struct Chart {
    Chart();
    std::vector<Series> series;  // in plot order: series n is "Sn"
    int type = chart_column, dimension = 1;
    TextItem title;
    Axis value_axis, category_axis;  // "Axis 1" and "Axis 2"
    Boxed legend, plot_area, chart_area;
    int display_blanks = 1;  // 1 not plotted, 2 zero, 3 interpolated
    bool plot_visible_only = true, size_with_window = false;
    std::string selected;    // the selected item's name, "" when nothing is selected

    // True when `item` names an item this chart has now.
    bool has_item(const std::string& item) const;
    // The canonical spelling of an item name ("s1" is "S1"), "" for no such item kind.
    static std::string canonical_item(const std::string& item);
    // The series an item such as "S2" or "S2P5" names (0-based), -1 when it names none.
    static int series_of(const std::string& item);
};

}  // namespace xlhost
