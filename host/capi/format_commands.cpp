// PATTERNS, FONT.PROPERTIES, ACTIVE.CELL.FONT, BORDER, FORMAT.NUMBER and ALIGNMENT: the look of
// the selected cells of a worksheet, or of the selected item of a chart. Each command takes the
// form of arguments that fits what is selected, as Excel's commands do.
#include "capi/chart_building.h"
#include "capi/command_arguments.h"
#include "capi/workbook_handlers.h"

namespace xlhost::capi {

namespace {

// The selected cells of the active worksheet; none (and the failure noted) otherwise.
const std::vector<Range>* selected_cells(CommandArguments& args) {
    SheetObjects& objects = active_sheet(args.session()).objects();
    if (objects.kind == SheetKind::chart) {
        args.fail("the active sheet is a chart, not cells");
        return nullptr;
    }
    if (!objects.selection.object.empty()) {
        args.fail("a drawing object is selected, not cells");
        return nullptr;
    }
    return &objects.selection.areas;
}

void apply_to_cells(Sheet& sheet, const std::vector<Range>& areas, const CellLook& look) {
    for (const Range& area : areas) sheet.objects().formats.apply(area, look);
}

// PATTERNS for lines: auto, style, colour, weight from arguments first..first+3.
bool line_arguments(CommandArguments& args, int first, LineLook* line) {
    std::optional<int> automatic, style, colour, weight;
    if (!args.integer(first, 0, 2, &automatic, "line auto") || !args.integer(first + 1, 1, 8, &style, "line style") ||
        !args.integer(first + 2, 1, 56, &colour, "line colour") || !args.integer(first + 3, 1, 4, &weight, "line weight"))
        return false;
    if (automatic) line->automatic = *automatic;
    if (style) line->style = *style;
    if (colour) line->colour = *colour;
    if (weight) line->weight = *weight;
    return true;
}

bool area_arguments(CommandArguments& args, int first, AreaLook* area) {
    std::optional<int> automatic, pattern, fore, back;
    if (!args.integer(first, 0, 2, &automatic, "area auto") || !args.integer(first + 1, 0, 18, &pattern, "area pattern") ||
        !args.integer(first + 2, 1, 56, &fore, "area foreground") || !args.integer(first + 3, 1, 56, &back, "area background"))
        return false;
    if (automatic) area->automatic = *automatic;
    if (pattern) area->pattern = *pattern;
    if (fore) area->fore = *fore;
    if (back) area->back = *back;
    return true;
}

// The boxed form: bauto, bstyle, bcolor, bwt, shadow, aauto, apattern, afore, aback, invert,
// apply, newfill.
int boxed_patterns(CommandArguments& args, XLOPER* result, LineLook* border, AreaLook* fill) {
    LineLook b = *border;
    AreaLook f = *fill;
    std::optional<bool> shadow, invert, apply, newfill;
    if (!line_arguments(args, 1, &b) || !args.logical(5, &shadow, "shadow") || !area_arguments(args, 6, &f) ||
        !args.logical(10, &invert, "invert") || !args.logical(11, &apply, "apply") ||
        !args.logical(12, &newfill, "newfill") || !args.none_after(12, "the form for areas"))
        return xlretFailed;
    *border = b;
    *fill = f;
    return args.done(result);
}

int chart_patterns(CommandArguments& args, XLOPER* result, Chart& chart) {
    ChartItem item = selected_item(chart);
    switch (item.kind) {
        case ItemKind::chart_area:
        case ItemKind::plot_area:
        case ItemKind::legend: return boxed_patterns(args, result, &item.boxed->border, &item.boxed->fill);
        case ItemKind::title:
        case ItemKind::axis_title: return boxed_patterns(args, result, &item.text->border, &item.text->fill);
        case ItemKind::axis: {
            // lauto, lstyle, lcolor, lwt, tmajor, tminor, tlabel
            LineLook line = item.axis->line;
            std::optional<int> major, minor, labels;
            if (!line_arguments(args, 1, &line) || !args.integer(5, 1, 4, &major, "tmajor") ||
                !args.integer(6, 1, 4, &minor, "tminor") || !args.integer(7, 1, 4, &labels, "tlabel") ||
                !args.none_after(7, "the form for axes"))
                return xlretFailed;
            item.axis->line = line;
            if (major) item.axis->major_ticks = *major;
            if (minor) item.axis->minor_ticks = *minor;
            if (labels) item.axis->tick_labels = *labels;
            return args.done(result);
        }
        case ItemKind::gridline: {
            LineLook line = *item.line;
            std::optional<bool> apply;
            if (!line_arguments(args, 1, &line) || !args.logical(5, &apply, "apply") ||
                !args.none_after(5, "the form for gridlines"))
                return xlretFailed;
            *item.line = line;
            return args.done(result);
        }
        case ItemKind::series: {
            Series& s = *item.series;
            if (s.type != chart_line && s.type != chart_xy && s.type != chart_radar)
                return boxed_patterns(args, result, &s.line, &s.fill);
            // lauto, lstyle, lcolor, lwt, mauto, mstyle, mfore, mback, apply, smooth
            LineLook line = s.line;
            MarkerLook marker = s.marker;
            std::optional<int> automatic, style, fore, back;
            std::optional<bool> apply, smooth;
            if (!line_arguments(args, 1, &line) || !args.integer(5, 0, 2, &automatic, "mauto") ||
                !args.integer(6, 1, 9, &style, "mstyle") || !args.integer(7, 1, 56, &fore, "mfore") ||
                !args.integer(8, 1, 56, &back, "mback") || !args.logical(9, &apply, "apply") ||
                !args.logical(10, &smooth, "smooth") || !args.none_after(10, "the form for data lines"))
                return xlretFailed;
            if (automatic) marker.automatic = *automatic;
            if (style) marker.style = *style;
            if (fore) marker.fore = *fore;
            if (back) marker.back = *back;
            s.line = line;
            s.marker = marker;
            if (smooth) s.smooth = *smooth;
            return args.done(result);
        }
        case ItemKind::none: break;
    }
    return args.fail("nothing is selected on the chart");
}

struct FontArguments {
    FontLook font;
    std::optional<int> background;
};

// font, font_style, size, strikethrough, superscript, subscript, outline, shadow, underline,
// color, normal, background, start_char, char_count
bool font_arguments(CommandArguments& args, FontArguments* out) {
    std::optional<std::string> name, style;
    std::optional<double> size;
    std::optional<bool> strike, super, sub, outline, shadow, normal;
    std::optional<int> underline, colour, background, start, chars;
    if (!args.text(1, &name, "font") || !args.text(2, &style, "font_style") || !args.number(3, 1, 409, &size, "size") ||
        !args.logical(4, &strike, "strikethrough") || !args.logical(5, &super, "superscript") ||
        !args.logical(6, &sub, "subscript") || !args.logical(7, &outline, "outline") ||
        !args.logical(8, &shadow, "shadow") || !args.integer(9, 1, 5, &underline, "underline") ||
        !args.colour(10, &colour, "color") || !args.logical(11, &normal, "normal") ||
        !args.integer(12, 1, 3, &background, "background") || !args.integer(13, 1, 32767, &start, "start_char") ||
        !args.integer(14, 1, 32767, &chars, "char_count"))
        return false;
    FontLook& font = out->font;
    if (normal.value_or(false)) {
        font.name = "Arial";
        font.size = 10;
        font.bold = font.italic = false;
        font.underline = 1;
        font.colour = 0;
    }
    if (name) {
        if (name->empty() || name->size() > 31) {
            args.fail("font (argument 1) is not a font name");
            return false;
        }
        font.name = *name;
    }
    if (style) {
        bool bold = false, italic = false;
        if (!parse_font_style(*style, &bold, &italic)) {
            args.fail("font_style (argument 2) \"" + *style + "\" is not a style of the font");
            return false;
        }
        font.bold = bold;
        font.italic = italic;
    }
    if (super.value_or(false) && sub.value_or(false)) {
        args.fail("a text cannot be superscript and subscript at once");
        return false;
    }
    font.size = size ? size : font.size;
    font.strikethrough = strike;
    font.superscript = super;
    font.subscript = sub;
    font.outline = outline;
    font.shadow = shadow;
    font.underline = underline ? underline : font.underline;
    font.colour = colour ? colour : font.colour;
    out->background = background;
    return true;
}

void apply_font(TextLook& look, const FontArguments& given) {
    const FontLook& f = given.font;
    if (f.name) look.name = *f.name;
    if (f.bold) look.bold = *f.bold;
    if (f.italic) look.italic = *f.italic;
    if (f.size) look.size = *f.size;
    if (f.underline) look.underline = *f.underline;
    if (f.colour) look.colour = *f.colour;
    if (given.background) look.background = *given.background;
}

}  // namespace

// PATTERNS: cells (apattern, afore, aback, newui), or the form of the selected chart item.
int patterns(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "PATTERNS");
    if (Chart* chart = active_chart(session)) return chart_patterns(args, result, *chart);
    const auto* areas = selected_cells(args);
    if (areas == nullptr) return xlretFailed;
    std::optional<int> pattern, fore, back;
    std::optional<bool> newui;
    if (!args.integer(1, 0, 18, &pattern, "apattern") || !args.integer(2, 1, 56, &fore, "afore") ||
        !args.integer(3, 1, 56, &back, "aback") || !args.logical(4, &newui, "newui") ||
        !args.none_after(4, "the form for cells"))
        return xlretFailed;
    CellLook look;
    look.pattern = pattern;
    look.pattern_fore = fore;
    look.pattern_back = back;
    apply_to_cells(active_sheet(session), *areas, look);
    return args.done(result);
}

// FONT.PROPERTIES: the font of the selected cells, or of the selected chart item's text (the
// chart area's font is the font of every text of the chart).
int font_properties(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "FONT.PROPERTIES");
    FontArguments font;
    if (Chart* chart = active_chart(session)) {
        if (!font_arguments(args, &font)) return xlretFailed;
        ChartItem item = selected_item(*chart);
        switch (item.kind) {
            case ItemKind::chart_area:
                for (TextLook* look : {&chart->chart_area.font, &chart->legend.font, &chart->title.font,
                                       &chart->value_axis.font, &chart->category_axis.font,
                                       &chart->value_axis.title.font, &chart->category_axis.title.font})
                    apply_font(*look, font);
                break;
            case ItemKind::legend: apply_font(item.boxed->font, font); break;
            case ItemKind::title:
            case ItemKind::axis_title: apply_font(item.text->font, font); break;
            case ItemKind::axis: apply_font(item.axis->font, font); break;
            case ItemKind::none: return args.fail("nothing is selected on the chart");
            default: return args.fail("the selected chart item \"" + chart->selected + "\" has no text");
        }
        return args.done(result);
    }
    const auto* areas = selected_cells(args);
    if (areas == nullptr || !font_arguments(args, &font)) return xlretFailed;
    if (font.background) return args.fail("background (argument 12) is for chart texts, not cells");
    CellLook look;
    look.font = font.font;
    apply_to_cells(active_sheet(session), *areas, look);
    return args.done(result);
}

// ACTIVE.CELL.FONT: the font of the active cell alone.
int active_cell_font(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "ACTIVE.CELL.FONT");
    FontArguments font;
    if (selected_cells(args) == nullptr || !font_arguments(args, &font)) return xlretFailed;
    if (font.background) return args.fail("background (argument 12) is for chart texts, not cells");
    Sheet& sheet = active_sheet(session);
    const Selection& s = sheet.objects().selection;
    CellLook look;
    look.font = font.font;
    apply_to_cells(sheet, {Range{s.active_row, s.active_column, s.active_row, s.active_column}}, look);
    return args.done(result);
}

// BORDER(outline, left, right, top, bottom, shade, outline_color, left_color, right_color,
// top_color, bottom_color): line styles 0 none to 13; the outline goes around each selected
// area, the other edges on every selected cell.
int border(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "BORDER");
    const auto* areas = selected_cells(args);
    if (areas == nullptr) return xlretFailed;
    std::optional<int> style[5], colour[5];
    std::optional<bool> shade;
    static const char* const style_names[5] = {"outline", "left", "right", "top", "bottom"};
    static const char* const colour_names[5] = {"outline_color", "left_color", "right_color", "top_color", "bottom_color"};
    for (int i = 0; i < 5; ++i)
        if (!args.integer(i + 1, 0, 13, &style[i], style_names[i])) return xlretFailed;
    if (!args.logical(6, &shade, "shade")) return xlretFailed;
    for (int i = 0; i < 5; ++i)
        if (!args.colour(i + 7, &colour[i], colour_names[i])) return xlretFailed;
    Sheet& sheet = active_sheet(session);
    auto edge = [&](int i) { return Edge{style[i].value_or(0), colour[i].value_or(0)}; };
    for (const Range& area : *areas) {
        CellLook each;
        if (style[1]) each.left = edge(1);
        if (style[2]) each.right = edge(2);
        if (style[3]) each.top = edge(3);
        if (style[4]) each.bottom = edge(4);
        if (shade) each.shade = shade;
        sheet.objects().formats.apply(area, each);
        if (!style[0]) continue;
        const Edge outline = edge(0);
        CellLook top, bottom, left, right;
        top.top = bottom.bottom = left.left = right.right = outline;
        sheet.objects().formats.apply({area.first_row, area.first_column, area.first_row, area.last_column}, top);
        sheet.objects().formats.apply({area.last_row, area.first_column, area.last_row, area.last_column}, bottom);
        sheet.objects().formats.apply({area.first_row, area.first_column, area.last_row, area.first_column}, left);
        sheet.objects().formats.apply({area.first_row, area.last_column, area.last_row, area.last_column}, right);
    }
    return args.done(result);
}

// FORMAT.NUMBER(format_text): the number format of the selected cells or of the selected axis.
int format_number(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "FORMAT.NUMBER");
    std::optional<std::string> format;
    if (!args.text(1, &format, "format_text")) return xlretFailed;
    if (!format || !valid_number_format(*format)) return args.fail("the format text is not a number format");
    if (Chart* chart = active_chart(session)) {
        ChartItem item = selected_item(*chart);
        if (item.kind != ItemKind::axis) return args.fail("the selected chart item \"" + chart->selected + "\" shows no numbers");
        item.axis->number_format = *format;
        return args.done(result);
    }
    const auto* areas = selected_cells(args);
    if (areas == nullptr) return xlretFailed;
    CellLook look;
    look.number_format = format;
    apply_to_cells(active_sheet(session), *areas, look);
    return args.done(result);
}

// ALIGNMENT(horiz_align, wrap, vert_align, orientation, add_indent, shrink_to_fit,
// merge_cells) of the selected cells: 1 general, 2 left, 3 centre, 4 right, 5 fill, 6 justify,
// 7 centre across the selection; vertical 1 top to 4 justify.
int alignment(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "ALIGNMENT");
    const auto* areas = selected_cells(args);
    if (areas == nullptr) return xlretFailed;
    std::optional<int> horizontal, vertical, orientation;
    std::optional<bool> wrap, indent, shrink, merge;
    if (!args.integer(1, 1, 7, &horizontal, "horiz_align") || !args.logical(2, &wrap, "wrap") ||
        !args.integer(3, 1, 4, &vertical, "vert_align") || !args.integer(4, -90, 90, &orientation, "orientation") ||
        !args.logical(5, &indent, "add_indent") || !args.logical(6, &shrink, "shrink_to_fit") ||
        !args.logical(7, &merge, "merge_cells"))
        return xlretFailed;
    CellLook look;
    look.horizontal = horizontal;
    look.vertical = vertical;
    look.wrap = wrap;
    look.orientation = orientation;
    apply_to_cells(active_sheet(session), *areas, look);
    return args.done(result);
}

}  // namespace xlhost::capi
