// SELECT.CHART, SELECT.PLOT.AREA, OPTIONS.CHART, EDIT.SERIES, FORMAT.CHARTTYPE, ATTACH.TEXT and
// FORMULA: building a chart on the active chart sheet.
#include <algorithm>

#include "capi/chart_building.h"
#include "capi/command_arguments.h"
#include "capi/workbook_handlers.h"
#include "model/external_reference.h"

namespace xlhost::capi {

namespace {

// The chart of the active sheet, or the command's failure when a worksheet is active.
Chart* need_chart(CommandArguments& args) {
    Chart* chart = active_chart(args.session());
    if (chart == nullptr) args.fail("the active sheet is not a chart");
    return chart;
}

bool rectangle_is_a_line(const Range& r) { return r.rows() == 1 || r.columns() == 1; }

// EDIT.SERIES(series_num, name_ref, x_ref, y_ref, z_ref, plot_order): series 0 is a new one.
// References are read in R1C1 form from an international call, in A1 form otherwise.
int edit_series(Session& session, XLOPER* result, int count, XLOPER** arguments, bool r1c1) {
    CommandArguments args(session, count, arguments, "EDIT.SERIES");
    Chart* chart = need_chart(args);
    if (chart == nullptr) return xlretFailed;
    const int existing = static_cast<int>(chart->series.size());
    std::optional<int> number, order;
    if (!args.integer(1, 0, existing, &number, "series_num")) return xlretFailed;
    const bool adding = number.value_or(0) == 0;
    if (!args.integer(6, 1, adding ? existing + 1 : existing, &order, "plot_order")) return xlretFailed;
    if (args.given(5) && chart->dimension != 2) return args.fail("z_ref is only for 3-D charts");
    Series series = adding ? Series{} : chart->series[static_cast<size_t>(*number - 1)];
    if (adding) {
        series.type = chart->type;
        series.dimension = chart->dimension;
    }
    std::string why;
    if (args.given(2)) {
        const Value name = args.value(2);
        if (name.kind == Value::Kind::text && (name.text.empty() || name.text[0] != '=')) {
            series.name_text = name.text;
            series.name_ref = SeriesRef{};
        } else {
            if (!series_reference(session, name, arguments[1], r1c1, &series.name_ref, &why))
                return args.fail("name_ref: " + why);
            if (!series.name_ref.range.single()) return args.fail("name_ref is more than one cell");
            series.name_text.clear();
        }
    }
    if (args.given(3)) {
        if (!series_reference(session, args.value(3), arguments[2], r1c1, &series.x, &why)) return args.fail("x_ref: " + why);
        if (!rectangle_is_a_line(series.x.range)) return args.fail("x_ref is not one row or one column");
    }
    if (args.given(4)) {
        if (!series_reference(session, args.value(4), arguments[3], r1c1, &series.y, &why)) return args.fail("y_ref: " + why);
        if (!rectangle_is_a_line(series.y.range)) return args.fail("y_ref is not one row or one column");
    } else if (adding) {
        return args.fail("a new series needs y_ref");
    }
    if (adding) {
        // A plot order puts the series at that place; the others move down (series n is "Sn").
        const size_t at = order ? static_cast<size_t>(*order - 1) : chart->series.size();
        chart->series.insert(chart->series.begin() + static_cast<std::ptrdiff_t>(at), series);
    } else {
        const size_t from = static_cast<size_t>(*number - 1);
        chart->series.erase(chart->series.begin() + static_cast<std::ptrdiff_t>(from));
        const size_t at = order ? static_cast<size_t>(*order - 1) : from;
        chart->series.insert(chart->series.begin() + static_cast<std::ptrdiff_t>(at), series);
    }
    return args.done(result);
}

}  // namespace

int select_chart(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "SELECT.CHART");
    Chart* chart = need_chart(args);
    if (chart == nullptr) return xlretFailed;
    chart->selected = "Chart";
    return args.done(result);
}

int select_plot_area(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "SELECT.PLOT.AREA");
    Chart* chart = need_chart(args);
    if (chart == nullptr) return xlretFailed;
    if (!chart->has_item("Plot")) return args.fail("the chart has no plot area");
    chart->selected = "Plot";
    return args.done(result);
}

// OPTIONS.CHART(display_blanks, plot_visible, size_with_window): blanks 1 not plotted, 2 as
// zero, 3 interpolated.
int options_chart(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "OPTIONS.CHART");
    Chart* chart = need_chart(args);
    if (chart == nullptr) return xlretFailed;
    std::optional<int> blanks;
    std::optional<bool> visible, sized;
    if (!args.integer(1, 1, 3, &blanks, "display_blanks") || !args.logical(2, &visible, "plot_visible") ||
        !args.logical(3, &sized, "size_with_window"))
        return xlretFailed;
    if (blanks) chart->display_blanks = *blanks;
    if (visible) chart->plot_visible_only = *visible;
    if (sized) chart->size_with_window = *sized;
    return args.done(result);
}

int edit_series_a1(Session& s, XLOPER* r, int c, XLOPER** a) { return edit_series(s, r, c, a, false); }
int edit_series_r1c1(Session& s, XLOPER* r, int c, XLOPER** a) { return edit_series(s, r, c, a, true); }

// FORMAT.CHARTTYPE(apply_to, group_num, dimension, type_num): apply to 1 the selected series,
// 2 a chart group (the series of one type, numbered by first appearance), 3 the whole chart;
// dimension 1 is 2-D (types 1 area to 8 XY), 2 is 3-D (types 1 to 6).
int format_charttype(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "FORMAT.CHARTTYPE");
    Chart* chart = need_chart(args);
    if (chart == nullptr) return xlretFailed;
    std::optional<int> apply, group, dimension, type;
    if (!args.integer(1, 1, 3, &apply, "apply_to") || !args.integer(2, 1, 255, &group, "group_num") ||
        !args.integer(3, 1, 2, &dimension, "dimension") || !args.integer(4, 1, 8, &type, "type_num"))
        return xlretFailed;
    if (!type) return args.fail("no type_num");
    const int dim = dimension.value_or(1);
    if (dim == 2 && *type > 6) return args.fail("3-D charts have types 1 to 6");
    std::vector<Series*> targets;
    const int scope = apply.value_or(3);
    if (scope == 1) {
        const int s = Chart::series_of(chart->selected);
        if (s < 0 || s >= static_cast<int>(chart->series.size())) return args.fail("no series is selected");
        targets.push_back(&chart->series[static_cast<size_t>(s)]);
    } else if (scope == 2) {
        std::vector<int> groups;
        for (const auto& s : chart->series)
            if (std::find(groups.begin(), groups.end(), s.type) == groups.end()) groups.push_back(s.type);
        const int g = group.value_or(1);
        if (g > static_cast<int>(groups.size())) return args.fail("the chart has no group " + std::to_string(g));
        for (auto& s : chart->series)
            if (s.type == groups[static_cast<size_t>(g - 1)]) targets.push_back(&s);
    } else {
        for (auto& s : chart->series) targets.push_back(&s);
    }
    if (dim == 2 && targets.size() != chart->series.size())
        return args.fail("a 3-D type applies to the whole chart only");
    for (Series* s : targets) {
        s->type = *type;
        s->dimension = dim;
    }
    // The chart's own type is the type of its first group (what new series take).
    if (scope == 3 || chart->series.empty() || targets.size() == chart->series.size() ||
        &chart->series.front() == targets.front()) {
        chart->type = *type;
        chart->dimension = dim;
    }
    return args.done(result);
}

// ATTACH.TEXT(attach_to_num, series_num, point_num): 1 the chart title, 2 the value axis
// title, 3 the category axis title; the text is made when missing and becomes the selection.
int attach_text(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "ATTACH.TEXT");
    Chart* chart = need_chart(args);
    if (chart == nullptr) return xlretFailed;
    std::optional<int> to, series, point;
    if (!args.integer(1, 1, 7, &to, "attach_to_num") || !args.integer(2, 1, 255, &series, "series_num") ||
        !args.integer(3, 1, 32000, &point, "point_num"))
        return xlretFailed;
    if (!to) return args.fail("no attach_to_num");
    if (*to > 3) return args.fail("attach_to_num " + std::to_string(*to) + " names data labels or axes this chart lacks");
    const bool axes = chart->type != chart_pie && chart->type != chart_doughnut;
    if (*to > 1 && !axes) return args.fail("a pie chart has no axes");
    TextItem& text = *to == 1 ? chart->title : *to == 2 ? chart->value_axis.title : chart->category_axis.title;
    if (!text.present) {
        text = TextItem{};
        text.present = true;
        text.text = *to == 1 ? "Title" : *to == 2 ? "Y" : "X";
        text.font.bold = true;
        text.font.size = *to == 1 ? 12 : 10;
    }
    chart->selected = *to == 1 ? "Title" : *to == 2 ? "Text Axis 1" : "Text Axis 2";
    return args.done(result);
}

// FORMULA(formula_text, reference). On a chart: the text of the selected title, or a link to
// a cell ("=Auxiliar!R1C1"). On a worksheet: a constant or a formula into the reference (the
// active cell when omitted).
int formula(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "FORMULA");
    std::optional<std::string> text;
    const Value given = args.value(1);
    if (given.kind == Value::Kind::number || given.kind == Value::Kind::integer || given.kind == Value::Kind::boolean) {
        text = given.kind == Value::Kind::boolean ? (given.boolean ? "TRUE" : "FALSE") : display(Value::num(given.number));
    } else if (!args.text(1, &text, "formula_text")) {
        return xlretFailed;
    }
    if (!text) return args.fail("no formula_text");
    if (Chart* chart = active_chart(session)) {
        if (args.given(2)) return args.fail("a chart takes no reference");
        ChartItem item = selected_item(*chart);
        if (item.kind != ItemKind::title && item.kind != ItemKind::axis_title)
            return args.fail("the selected chart item \"" + chart->selected + "\" holds no text");
        if (!text->empty() && (*text)[0] == '=') {
            std::string why;
            SeriesRef link;
            if (!series_reference(session, Value::str(*text), nullptr, true, &link, &why) || !link.range.single())
                return args.fail("a linked text must refer to one cell: " + why);
            item.text->link = link;
        } else {
            item.text->link = SeriesRef{};
        }
        item.text->text = *text;
        return args.done(result);
    }
    Sheet& sheet = active_sheet(session);
    int row = sheet.objects().selection.active_row, column = sheet.objects().selection.active_column;
    if (args.given(2)) {
        Target target;
        if (!args.reference(2, &target, "reference")) return xlretFailed;
        row = target.areas[0].first_row;
        column = target.areas[0].first_column;
        if (target.sheet != &sheet) {
            target.sheet->set_value(row, column, Value::str(*text));
            return args.done(result);
        }
    }
    if (!text->empty() && (*text)[0] == '=') sheet.set_formula(row, column, *text);
    else if (given.kind == Value::Kind::number || given.kind == Value::Kind::integer) sheet.set_value(row, column, Value::num(given.number));
    else sheet.set_value(row, column, Value::str(*text));
    return args.done(result);
}

}  // namespace xlhost::capi
