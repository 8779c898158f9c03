#include "capi/chart_building.h"

#include "capi/xloper_values.h"
#include "model/external_reference.h"

namespace xlhost::capi {

namespace {

SeriesRef ref_on(Session& session, const Sheet& sheet, const Range& range) {
    SeriesRef ref;
    const Workbook* book = session.model.book_of(sheet);
    ref.book = book ? book->name() : "";
    ref.sheet = sheet.name();
    ref.range = range;
    ref.present = true;
    ref.text = series_reference_text(ref);
    return ref;
}

bool all_texts(const Sheet& sheet, int first_row, int last_row, int first_column, int last_column) {
    bool any = false;
    for (int r = first_row; r <= last_row; ++r)
        for (int c = first_column; c <= last_column; ++c) {
            const Value v = sheet.value(r, c);
            if (v.kind == Value::Kind::nil) continue;
            if (v.kind != Value::Kind::text) return false;
            any = true;
        }
    return any;
}

}  // namespace

std::string series_reference_text(const SeriesRef& ref) {
    return "=" + quoted_sheet_name(ref.sheet) + "!" + r1c1_text(ref.range);
}

void chart_from_selection(Session& session, Sheet& source, Chart& chart) {
    const SheetObjects& objects = source.objects();
    if (objects.kind == SheetKind::chart || !objects.selection.object.empty() || objects.selection.areas.size() != 1)
        return;
    Range area = objects.selection.areas[0];
    bool filled = false;
    for (const auto& entry : source.cells()) {
        const auto [r, c] = entry.first;
        if (r >= area.first_row && r <= area.last_row && c >= area.first_column && c <= area.last_column) filled = true;
    }
    if (!filled) return;
    const bool by_columns = area.rows() >= area.columns();
    const bool names = by_columns ? all_texts(source, area.first_row, area.first_row, area.first_column, area.last_column)
                                  : all_texts(source, area.first_row, area.last_row, area.first_column, area.first_column);
    const bool categories = by_columns
                                ? all_texts(source, area.first_row, area.last_row, area.first_column, area.first_column)
                                : all_texts(source, area.first_row, area.first_row, area.first_column, area.last_column);
    const int lines = by_columns ? area.columns() : area.rows();
    for (int i = categories ? 1 : 0; i < lines; ++i) {
        Series series;
        Range values = area;
        if (by_columns) {
            values.first_column = values.last_column = area.first_column + i;
            if (names) ++values.first_row;
        } else {
            values.first_row = values.last_row = area.first_row + i;
            if (names) ++values.first_column;
        }
        if (values.first_row > values.last_row || values.first_column > values.last_column) continue;
        series.y = ref_on(session, source, values);
        if (names) {
            const Range name = by_columns ? Range{area.first_row, values.first_column, area.first_row, values.first_column}
                                          : Range{values.first_row, area.first_column, values.first_row, area.first_column};
            series.name_ref = ref_on(session, source, name);
        }
        if (categories) {
            Range x = values;
            if (by_columns) x.first_column = x.last_column = area.first_column;
            else x.first_row = x.last_row = area.first_row;
            series.x = ref_on(session, source, x);
        }
        series.type = chart.type;
        chart.series.push_back(series);
    }
}

ChartItem selected_item(Chart& chart) {
    ChartItem item;
    const std::string& name = chart.selected;
    if (name.empty() || !chart.has_item(name)) return item;
    if (name == "Chart") item = {ItemKind::chart_area, &chart.chart_area};
    else if (name == "Plot") item = {ItemKind::plot_area, &chart.plot_area};
    else if (name == "Legend") item = {ItemKind::legend, &chart.legend};
    else if (name == "Title") item = {ItemKind::title, nullptr, &chart.title};
    else if (name == "Axis 1") item = {ItemKind::axis, nullptr, nullptr, &chart.value_axis};
    else if (name == "Axis 2") item = {ItemKind::axis, nullptr, nullptr, &chart.category_axis};
    else if (name == "Text Axis 1") item = {ItemKind::axis_title, nullptr, &chart.value_axis.title, &chart.value_axis};
    else if (name == "Text Axis 2")
        item = {ItemKind::axis_title, nullptr, &chart.category_axis.title, &chart.category_axis};
    else if (name == "Gridline 1")
        item = {ItemKind::gridline, nullptr, nullptr, &chart.value_axis, &chart.value_axis.major_gridline_look};
    else if (name == "Gridline 2")
        item = {ItemKind::gridline, nullptr, nullptr, &chart.value_axis, &chart.value_axis.minor_gridline_look};
    else if (name == "Gridline 3")
        item = {ItemKind::gridline, nullptr, nullptr, &chart.category_axis, &chart.category_axis.major_gridline_look};
    else if (name == "Gridline 4")
        item = {ItemKind::gridline, nullptr, nullptr, &chart.category_axis, &chart.category_axis.minor_gridline_look};
    else if (const int s = Chart::series_of(name); s >= 0)
        item = {ItemKind::series, nullptr, nullptr, nullptr, nullptr, &chart.series[static_cast<size_t>(s)]};
    return item;
}

bool series_reference(Session& session, const Value& argument, const XLOPER* record, bool r1c1, SeriesRef* out,
                      std::string* why) {
    SeriesRef ref;
    if (argument.kind == Value::Kind::reference) {
        Target target;
        if (!reference_target(*record, session, &target, why)) return false;
        if (target.areas.size() != 1) {
            *why = "a reference of several areas";
            return false;
        }
        ref = ref_on(session, *target.sheet, target.areas[0]);
        *out = ref;
        return true;
    }
    if (argument.kind != Value::Kind::text) {
        *why = "neither a reference nor the text of one";
        return false;
    }
    const auto parsed = parse_external_reference(argument.text, r1c1);
    if (!parsed) {
        *why = "\"" + argument.text + "\" is not a reference in " + (r1c1 ? "R1C1" : "A1") + " form";
        return false;
    }
    const std::string full = parsed->book.empty() ? parsed->sheet : "[" + parsed->book + "]" + parsed->sheet;
    Sheet* sheet = session.model.find_sheet(full);
    if (sheet == nullptr) {
        *why = "\"" + argument.text + "\" refers to a sheet that does not exist";
        return false;
    }
    if (sheet->objects().kind == SheetKind::chart) {
        *why = "\"" + argument.text + "\" refers to a chart sheet";
        return false;
    }
    ref = ref_on(session, *sheet, parsed->range);
    ref.text = argument.text;
    *out = ref;
    return true;
}

bool clear_chart(Chart& chart, int what) {
    ChartItem item = selected_item(chart);
    if (item.kind == ItemKind::none || item.kind == ItemKind::chart_area) {
        if (what == 1) {
            const int type = chart.type, dimension = chart.dimension;
            chart = Chart();
            chart.type = type;
            chart.dimension = dimension;
        } else if (what == 3) {
            chart.series.clear();
        } else {
            for (auto& s : chart.series) {
                s.line = LineLook{};
                s.marker = MarkerLook{};
                s.fill = AreaLook{};
            }
            const Chart fresh;
            chart.chart_area = fresh.chart_area;
            chart.plot_area = fresh.plot_area;
            chart.legend = fresh.legend;
        }
        chart.selected = what == 2 ? chart.selected : "";
        return true;
    }
    switch (item.kind) {
        case ItemKind::series:
            if (what == 2) {
                item.series->line = LineLook{};
                item.series->marker = MarkerLook{};
                item.series->fill = AreaLook{};
                return true;
            }
            chart.series.erase(chart.series.begin() + (item.series - chart.series.data()));
            break;
        case ItemKind::title:
        case ItemKind::axis_title:
            if (what == 2) {
                TextItem plain;
                plain.present = true;
                plain.text = item.text->text;
                plain.link = item.text->link;
                *item.text = plain;
                return true;
            }
            *item.text = TextItem{};
            break;
        case ItemKind::legend:
            if (what == 2) *item.boxed = Boxed{};
            else item.boxed->present = false;
            if (what == 2) return true;
            break;
        case ItemKind::gridline:
            if (what == 2) {
                *item.line = LineLook{};
                return true;
            }
            if (item.line == &item.axis->major_gridline_look) item.axis->major_gridlines = false;
            else item.axis->minor_gridlines = false;
            break;
        case ItemKind::axis:
            if (what == 2) {
                item.axis->line = LineLook{};
                item.axis->font = TextLook{};
                return true;
            }
            item.axis->present = false;
            break;
        case ItemKind::plot_area:
            if (what != 2) return false;  // the plot area can only lose its formats
            *item.boxed = Chart().plot_area;
            return true;
        default: return false;
    }
    chart.selected.clear();
    return true;
}

}  // namespace xlhost::capi
