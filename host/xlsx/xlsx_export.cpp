#include "xlsx/xlsx_export.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>

#include "model/external_reference.h"
#include "model/text.h"
#include "xlsx/private_folder.h"

namespace xlhost::xlsx {

namespace {

constexpr int whole_sheet_last_row = max_rows - 1;
// Cells a format of part of a sheet may cover before the export refuses it (a fill of whole
// columns is written as the columns' own format instead).
constexpr long long cell_budget = 4'000'000;

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool read_file(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    *bytes = text.str();
    return static_cast<bool>(in);
}

bool write_file(const std::string& path, const std::string& bytes, std::string* error) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return fail(error, "cannot write " + path + ": " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int problem = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());
        return fail(error, "cannot write " + path + ": " + std::strerror(problem ? problem : errno));
    }
    return true;
}

// libxlsxwriter reads a colour of 0 as "not set": black has its own marker value.
lxw_color_t rgb(int index) {
    const auto colour = static_cast<lxw_color_t>(palette_rgb(index));
    return colour == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : colour;
}

uint8_t dash_of(int style) {
    switch (style) {
        case 2: return LXW_CHART_LINE_DASH_DASH;
        case 3: return LXW_CHART_LINE_DASH_ROUND_DOT;
        case 4: return LXW_CHART_LINE_DASH_DASH_DOT;
        case 5: return LXW_CHART_LINE_DASH_LONG_DASH_DOT_DOT;
        default: return LXW_CHART_LINE_DASH_SOLID;  // solid, and the three greys as solid lines
    }
}

float width_of(int weight) {
    static const float widths[] = {0.25f, 0.75f, 1.5f, 2.25f};
    return weight >= 1 && weight <= 4 ? widths[weight - 1] : 0.75f;
}

uint8_t marker_of(int style) {
    static const uint8_t markers[] = {LXW_CHART_MARKER_SQUARE,     LXW_CHART_MARKER_DIAMOND,   LXW_CHART_MARKER_TRIANGLE,
                                      LXW_CHART_MARKER_X,          LXW_CHART_MARKER_STAR,      LXW_CHART_MARKER_SHORT_DASH,
                                      LXW_CHART_MARKER_LONG_DASH,  LXW_CHART_MARKER_CIRCLE,    LXW_CHART_MARKER_PLUS};
    return style >= 1 && style <= 9 ? markers[style - 1] : static_cast<uint8_t>(LXW_CHART_MARKER_SQUARE);
}

uint8_t chart_kind(int type, bool smooth) {
    switch (type) {
        case chart_area: return LXW_CHART_AREA;
        case chart_bar: return LXW_CHART_BAR;
        case chart_line: return LXW_CHART_LINE;
        case chart_pie: return LXW_CHART_PIE;
        case chart_doughnut: return LXW_CHART_DOUGHNUT;
        case chart_radar: return LXW_CHART_RADAR;
        case chart_xy:
            return static_cast<uint8_t>(smooth ? LXW_CHART_SCATTER_SMOOTH_WITH_MARKERS : LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
        default: return LXW_CHART_COLUMN;
    }
}

std::string look_key(const ResolvedLook& l) {
    std::string key = l.number_format + '\x1f' + l.font_name;
    for (double n : {double(l.horizontal), double(l.vertical), double(l.orientation), double(l.wrap), double(l.bold),
                     double(l.italic), double(l.strikethrough), l.font_size, double(l.underline), double(l.font_colour),
                     double(l.pattern), double(l.pattern_fore), double(l.pattern_back), double(l.left.style),
                     double(l.left.colour), double(l.right.style), double(l.right.colour), double(l.top.style),
                     double(l.top.colour), double(l.bottom.style), double(l.bottom.colour)})
        key += '\x1f' + std::to_string(n);
    return key;
}

class Writer {
public:
    Writer(const Model& model, const Workbook& book) : model_(model), book_(book) {}
    bool write(const std::string& path, std::string* error);

private:
    const char* keep(const std::string& text) { return strings_.emplace_back(text).c_str(); }
    const char* keep_utf8(const std::string& cp1252_text) { return keep(utf8(cp1252_text)); }
    lxw_format* format_for(const ResolvedLook& look);
    bool write_worksheet(const Sheet& sheet, lxw_worksheet* sheet_out, std::string* error);
    bool write_chart(const Sheet& sheet, lxw_chartsheet* sheet_out, std::string* error);
    bool range_text(const SeriesRef& ref, std::string* out, std::string* error);
    lxw_chart_font font(const TextLook& look);
    lxw_chart_line line(const LineLook& look, bool* set);
    lxw_chart_fill fill(const AreaLook& look, bool* set);

    const Model& model_;
    const Workbook& book_;
    lxw_workbook* out_ = nullptr;
    std::map<std::string, lxw_format*> formats_;
    std::deque<std::string> strings_;
};

lxw_format* Writer::format_for(const ResolvedLook& l) {
    const std::string key = look_key(l);
    auto found = formats_.find(key);
    if (found != formats_.end()) return found->second;
    lxw_format* f = workbook_add_format(out_);
    if (l.number_format != "General") format_set_num_format(f, keep_utf8(l.number_format));
    format_set_font_name(f, keep_utf8(l.font_name));
    format_set_font_size(f, l.font_size);
    if (l.bold) format_set_bold(f);
    if (l.italic) format_set_italic(f);
    if (l.strikethrough) format_set_font_strikeout(f);
    if (l.underline == 2) format_set_underline(f, LXW_UNDERLINE_SINGLE);
    if (l.underline == 3) format_set_underline(f, LXW_UNDERLINE_DOUBLE);
    if (l.underline == 4) format_set_underline(f, LXW_UNDERLINE_SINGLE_ACCOUNTING);
    if (l.underline == 5) format_set_underline(f, LXW_UNDERLINE_DOUBLE_ACCOUNTING);
    if (l.font_colour > 0) format_set_font_color(f, rgb(l.font_colour));
    static const uint8_t horizontal[] = {LXW_ALIGN_NONE,    LXW_ALIGN_LEFT,    LXW_ALIGN_CENTER,       LXW_ALIGN_RIGHT,
                                         LXW_ALIGN_FILL,    LXW_ALIGN_JUSTIFY, LXW_ALIGN_CENTER_ACROSS};
    static const uint8_t vertical[] = {LXW_ALIGN_VERTICAL_TOP, LXW_ALIGN_VERTICAL_CENTER, LXW_ALIGN_VERTICAL_BOTTOM,
                                       LXW_ALIGN_VERTICAL_JUSTIFY};
    if (l.horizontal > 1 && l.horizontal <= 7) format_set_align(f, horizontal[l.horizontal - 1]);
    if (l.vertical >= 1 && l.vertical <= 4 && l.vertical != 3) format_set_align(f, vertical[l.vertical - 1]);
    if (l.wrap) format_set_text_wrap(f);
    if (l.pattern == 1) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, rgb(l.pattern_fore > 0 ? l.pattern_fore : 1));
    } else if (l.pattern > 1 && l.pattern <= 18) {
        format_set_pattern(f, static_cast<uint8_t>(l.pattern));
        format_set_fg_color(f, rgb(l.pattern_fore > 0 ? l.pattern_fore : 1));
        format_set_bg_color(f, rgb(l.pattern_back > 0 ? l.pattern_back : 2));
    }
    auto edge = [&](const Edge& e, void (*style)(lxw_format*, uint8_t), void (*colour)(lxw_format*, lxw_color_t)) {
        if (e.style <= 0) return;
        style(f, static_cast<uint8_t>(e.style));
        if (e.colour > 0) colour(f, rgb(e.colour));
    };
    edge(l.left, format_set_left, format_set_left_color);
    edge(l.right, format_set_right, format_set_right_color);
    edge(l.top, format_set_top, format_set_top_color);
    edge(l.bottom, format_set_bottom, format_set_bottom_color);
    formats_[key] = f;
    return f;
}

bool Writer::write_worksheet(const Sheet& sheet, lxw_worksheet* ws, std::string* error) {
    const SheetObjects& objects = sheet.objects();
    // Formats of whole columns become the columns' own formats.
    auto whole_columns = [](const Range& r) { return r.first_row == 0 && r.last_row == whole_sheet_last_row; };
    std::vector<ResolvedLook> column_look(max_columns);
    for (int c = 0; c < max_columns; ++c) {
        CellLook look;
        for (const auto& layer : objects.formats.layers()) {
            if (!whole_columns(layer.range) || c < layer.range.first_column || c > layer.range.last_column) continue;
            if (layer.reset) look = CellLook{};
            else look.apply(layer.look);
        }
        column_look[static_cast<size_t>(c)] = resolve(look);
    }
    const ResolvedLook plain;
    for (int c = 0; c < max_columns;) {
        int last = c;
        while (last + 1 < max_columns && column_look[static_cast<size_t>(last + 1)] == column_look[static_cast<size_t>(c)] &&
               objects.column_width(last + 1) == objects.column_width(c))
            ++last;
        const bool styled = !(column_look[static_cast<size_t>(c)] == plain);
        const double width = objects.column_width(c);
        if (styled || width != standard_column_width) {
            lxw_row_col_options hidden{};
            hidden.hidden = width == 0 ? 1 : 0;
            worksheet_set_column_opt(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(last),
                                     width == 0 ? standard_column_width : width,
                                     styled ? format_for(column_look[static_cast<size_t>(c)]) : nullptr, &hidden);
        }
        c = last + 1;
    }
    // The cells to write: those holding a value and those a format of part of the sheet covers.
    std::map<std::pair<int, int>, bool> cells;
    for (const auto& entry : sheet.cells()) cells[entry.first] = true;
    long long budget = cell_budget;
    for (const auto& layer : objects.formats.layers()) {
        if (whole_columns(layer.range)) continue;
        const Range& r = layer.range;
        budget -= static_cast<long long>(r.rows()) * r.columns();
        if (budget < 0) return fail(error, sheet.name() + ": formats cover too many single cells to write");
        for (int row = r.first_row; row <= r.last_row; ++row)
            for (int column = r.first_column; column <= r.last_column; ++column) cells.emplace(std::make_pair(row, column), true);
    }
    for (const auto& [at, unused] : cells) {
        const auto [row, column] = at;
        const ResolvedLook look = resolve(objects.formats.look_at(row, column));
        const Value value = sheet.value(row, column);
        lxw_format* f = format_for(look);
        const auto r = static_cast<lxw_row_t>(row);
        const auto c = static_cast<lxw_col_t>(column);
        switch (value.kind) {
            case Value::Kind::number:
            case Value::Kind::integer:
                // A cell holds no number that is not finite; nor may the file, which it would spoil.
                if (std::isfinite(value.number)) worksheet_write_number(ws, r, c, value.number, f);
                else worksheet_write_formula(ws, r, c, "=#NUM!", f);
                break;
            case Value::Kind::text: worksheet_write_string(ws, r, c, keep_utf8(value.text), f); break;
            case Value::Kind::boolean: worksheet_write_boolean(ws, r, c, value.boolean ? 1 : 0, f); break;
            case Value::Kind::error: worksheet_write_formula(ws, r, c, keep("=" + error_text(value.error)), f); break;
            default:
                if (!(look == column_look[static_cast<size_t>(column)])) worksheet_write_blank(ws, r, c, f);
                break;
        }
    }
    if (!objects.gridlines) worksheet_gridlines(ws, LXW_HIDE_ALL_GRIDLINES);
    return true;
}

bool Writer::range_text(const SeriesRef& ref, std::string* out, std::string* error) {
    if (!ref.book.empty() && ref.book != book_.name())
        return fail(error, "a series refers to another workbook (" + ref.book + ")");
    *out = "=" + utf8(quoted_sheet_name(ref.sheet)) + "!" + absolute_text(ref.range);
    return true;
}

lxw_chart_font Writer::font(const TextLook& look) {
    lxw_chart_font f{};
    f.name = const_cast<char*>(keep_utf8(look.name));
    f.size = look.size;
    f.bold = look.bold ? 1 : 0;
    f.italic = look.italic ? 1 : 0;
    f.underline = look.underline > 1 ? 1 : 0;
    if (look.colour > 0) f.color = rgb(look.colour);
    return f;
}

lxw_chart_line Writer::line(const LineLook& look, bool* set) {
    lxw_chart_line l{};
    *set = look.automatic != 1;
    if (look.automatic == 2) {
        l.none = 1;
    } else {
        if (look.colour > 0) l.color = rgb(look.colour);
        l.width = width_of(look.weight);
        l.dash_type = dash_of(look.style);
    }
    return l;
}

lxw_chart_fill Writer::fill(const AreaLook& look, bool* set) {
    lxw_chart_fill f{};
    *set = look.automatic != 1;
    if (look.automatic == 2) f.none = 1;
    else f.color = rgb(look.fore > 0 ? look.fore : 2);
    return f;
}

bool Writer::write_chart(const Sheet& sheet, lxw_chartsheet* cs, std::string* error) {
    const Chart& model = *sheet.objects().chart;
    if (model.series.empty()) return fail(error, sheet.name() + ": a chart without series cannot be written");
    // libxlsxwriter draws one chart type; a chart of several groups is written in the type of
    // its first series.
    const Series& first = model.series.front();
    lxw_chart* chart = workbook_add_chart(out_, chart_kind(first.type, first.smooth));
    for (const Series& s : model.series) {
        std::string x, y;
        if (s.x.present && !range_text(s.x, &x, error)) return false;
        if (!range_text(s.y, &y, error)) return false;
        lxw_chart_series* series = chart_add_series(chart, s.x.present ? keep(x) : nullptr, keep(y));
        if (s.name_ref.present) {
            if (!s.name_ref.book.empty() && s.name_ref.book != book_.name())
                return fail(error, "a series name refers to another workbook");
            chart_series_set_name_range(series, keep_utf8(s.name_ref.sheet), static_cast<lxw_row_t>(s.name_ref.range.first_row),
                                        static_cast<lxw_col_t>(s.name_ref.range.first_column));
        } else if (!s.name_text.empty()) {
            chart_series_set_name(series, keep_utf8(s.name_text));
        }
        bool set = false;
        const bool lines = s.type == chart_line || s.type == chart_xy || s.type == chart_radar;
        if (lines) {
            lxw_chart_line l = line(s.line, &set);
            if (set) chart_series_set_line(series, &l);
            if (s.marker.automatic == 2) {
                chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
            } else if (s.marker.automatic == 0) {
                chart_series_set_marker_type(series, marker_of(s.marker.style));
                lxw_chart_line border{};
                border.color = rgb(s.marker.fore > 0 ? s.marker.fore : 1);
                chart_series_set_marker_line(series, &border);
                lxw_chart_fill inside{};
                inside.color = rgb(s.marker.back > 0 ? s.marker.back : 2);
                chart_series_set_marker_fill(series, &inside);
            }
            if (s.smooth) chart_series_set_smooth(series, 1);
        } else {
            lxw_chart_fill f = fill(s.fill, &set);
            if (set) chart_series_set_fill(series, &f);
            lxw_chart_line l = line(s.line, &set);
            if (set) chart_series_set_line(series, &l);
        }
    }
    auto title_text = [&](const TextItem& t) -> std::string {
        if (!t.link.present) return t.text;
        const Sheet* source = model_.find_sheet("[" + book_.name() + "]" + t.link.sheet);
        return source ? display(source->value(t.link.range.first_row, t.link.range.first_column)) : t.text;
    };
    if (model.title.present) {
        chart_title_set_name(chart, keep_utf8(title_text(model.title)));
        lxw_chart_font f = font(model.title.font);
        chart_title_set_name_font(chart, &f);
    } else {
        chart_title_off(chart);
    }
    const bool has_axes = first.type != chart_pie && first.type != chart_doughnut;
    if (has_axes) {
        const std::pair<const Axis*, lxw_chart_axis*> axes[] = {{&model.value_axis, chart->y_axis},
                                                               {&model.category_axis, chart->x_axis}};
        for (const auto& [axis, out] : axes) {
            if (!axis->present) {
                chart_axis_off(out);
                continue;
            }
            if (axis->title.present) {
                chart_axis_set_name(out, keep_utf8(title_text(axis->title)));
                lxw_chart_font f = font(axis->title.font);
                chart_axis_set_name_font(out, &f);
            }
            lxw_chart_font numbers = font(axis->font);
            chart_axis_set_num_font(out, &numbers);
            if (axis->number_format != "General") chart_axis_set_num_format(out, keep_utf8(axis->number_format));
            bool set = false;
            lxw_chart_line l = line(axis->line, &set);
            if (set) chart_axis_set_line(out, &l);
            chart_axis_major_gridlines_set_visible(out, axis->major_gridlines ? 1 : 0);
            if (axis->major_gridlines) {
                lxw_chart_line g = line(axis->major_gridline_look, &set);
                if (set) chart_axis_major_gridlines_set_line(out, &g);
            }
            chart_axis_minor_gridlines_set_visible(out, axis->minor_gridlines ? 1 : 0);
        }
    }
    if (model.legend.present) {
        lxw_chart_font f = font(model.legend.font);
        chart_legend_set_font(chart, &f);
    } else {
        chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    }
    bool set = false;
    lxw_chart_line plot_line = line(model.plot_area.border, &set);
    if (set) chart_plotarea_set_line(chart, &plot_line);
    lxw_chart_fill plot_fill = fill(model.plot_area.fill, &set);
    if (set) chart_plotarea_set_fill(chart, &plot_fill);
    lxw_chart_line area_line = line(model.chart_area.border, &set);
    if (set) chart_chartarea_set_line(chart, &area_line);
    lxw_chart_fill area_fill = fill(model.chart_area.fill, &set);
    if (set) chart_chartarea_set_fill(chart, &area_fill);
    if (chartsheet_set_chart(cs, chart) != LXW_NO_ERROR) return fail(error, sheet.name() + ": the chart was refused");
    return true;
}

// libxlsxwriter writes into a private folder, where it can always create its files (it prints
// its own complaints when it cannot); the user's file is written from there in one piece, once
// the workbook is complete, and an existing file is left alone when anything fails.
bool Writer::write(const std::string& path, std::string* error) {
    PrivateFolder folder;
    if (!folder.made(error)) return false;
    const std::string package = folder.path("book.xlsx");
    std::string scratch = folder.path();
    lxw_workbook_options options{};
    options.tmpdir = scratch.data();
    out_ = workbook_new_opt(package.c_str(), &options);
    if (out_ == nullptr) return fail(error, "libxlsxwriter cannot start a workbook");
    std::vector<std::string> very_hidden;
    const Sheet* active = &model_.active_sheet();
    if (model_.book_of(*active) != &book_ || active->objects().visibility != Visibility::visible) active = nullptr;
    bool ok = true;
    bool first_visible_marked = false;
    for (const auto& sheet : book_.sheets()) {
        const SheetObjects& objects = sheet->objects();
        const bool visible = objects.visibility == Visibility::visible;
        if (active == nullptr && visible) active = sheet.get();
        const char* name = keep_utf8(sheet->name());
        if (objects.kind == SheetKind::chart) {
            lxw_chartsheet* cs = workbook_add_chartsheet(out_, name);
            if (cs == nullptr) {
                ok = fail(error, "libxlsxwriter refused the sheet name " + utf8(sheet->name()));
                break;
            }
            if (!write_chart(*sheet, cs, error)) {
                ok = false;
                break;
            }
            if (!visible) chartsheet_hide(cs);
            if (sheet.get() == active) chartsheet_activate(cs);
            if (visible && !first_visible_marked) {
                chartsheet_set_first_sheet(cs);
                first_visible_marked = true;
            }
        } else {
            lxw_worksheet* ws = workbook_add_worksheet(out_, name);
            if (ws == nullptr) {
                ok = fail(error, "libxlsxwriter refused the sheet name " + utf8(sheet->name()));
                break;
            }
            if (!write_worksheet(*sheet, ws, error)) {
                ok = false;
                break;
            }
            if (!visible) worksheet_hide(ws);
            if (sheet.get() == active) worksheet_activate(ws);
            if (visible && !first_visible_marked) {
                worksheet_set_first_sheet(ws);
                first_visible_marked = true;
            }
        }
        if (objects.visibility == Visibility::very_hidden) very_hidden.push_back(name);
    }
    const lxw_error closed = workbook_close(out_);
    out_ = nullptr;
    if (!ok) return false;
    if (closed != LXW_NO_ERROR) return fail(error, std::string("libxlsxwriter: ") + lxw_strerror(closed));
    std::string bytes;
    if (!read_file(package, &bytes)) return fail(error, "cannot read back the workbook libxlsxwriter wrote");
    if (!mark_very_hidden(&bytes, very_hidden, error)) return false;
    return write_file(path, bytes, error);
}

}  // namespace

bool export_workbook(const Model& model, const Workbook& book, const std::string& path, std::string* error) {
    Writer writer(model, book);
    return writer.write(path, error);
}

}  // namespace xlhost::xlsx
