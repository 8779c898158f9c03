#include "capi/dispatch.h"

#include <cstdio>

#include "capi/workbook_handlers.h"
#include "capi/xloper_values.h"

namespace xlhost::capi {
namespace {

const HandlerEntry table[] = {
    {xlFree, "xlFree", free_values, 1, 30, false},
    {xlCoerce, "xlCoerce", coerce, 1, 2, true},
    {xlSheetId, "xlSheetId", sheet_id, 0, 1, true},
    {xlSheetNm, "xlSheetNm", sheet_name, 1, 1, true},
    {xlGetHwnd, "xlGetHwnd", get_hwnd, 0, 0, true},
    {xlGetName, "xlGetName", get_name, 0, 0, true},
    {xlfSetName, "SET.NAME", set_name, 1, 2, true},
    {xlfRegister, "REGISTER", register_procedure, 1, 30, true},
    {xlfUnregister, "UNREGISTER", unregister, 1, 1, true},
    {xlfRegisterId, "REGISTER.ID", register_id, 2, 3, true},
    {xlcAlert, "ALERT", alert, 1, 3, true},
    // The automation bridge and the coercion probe (workspace_commands.cpp)
    {xlfGetWorkspace, "GET.WORKSPACE", get_workspace, 1, 1, true},
    {xlcCalculateNow, "CALCULATE.NOW", calculate_now, 0, 0, true},
    {xlcClose, "CLOSE", close_document, 0, 2, true},
    {xlfIstext, "ISTEXT", is_text, 1, 1, true},
    {xlfOr, "OR", or_of, 1, 30, true},
    // Menu bars (menus.cpp)
    {xlfGetBar, "GET.BAR", get_bar, 0, 4, true},
    {xlfAddMenu, "ADD.MENU", add_menu, 2, 4, true},
    {xlfAddMenu | xlIntl, "ADD.MENU", add_menu, 2, 4, true},
    {xlfDeleteMenu, "DELETE.MENU", delete_menu, 2, 3, true},
    {xlfCheckCommand, "CHECK.COMMAND", check_command, 4, 5, true},
    // Selection, workbooks, formats and charts (workbook_handlers.h)
    {xlfSelection, "SELECTION", selection, 0, 0, true},
    {xlfGetCell, "GET.CELL", get_cell, 1, 2, true},
    {xlcSelect, "SELECT", select, 1, 2, true},
    {xlcNew, "NEW", new_document, 0, 3, true},
    {xlcEcho, "ECHO", echo, 0, 1, true},
    {xlcWorkbookName, "WORKBOOK.NAME", workbook_name, 1, 2, true},
    {xlcWorkbookInsert, "WORKBOOK.INSERT", workbook_insert, 0, 1, true},
    {xlcWorkbookActivate, "WORKBOOK.ACTIVATE", workbook_activate, 1, 2, true},
    {xlcWorkbookHide, "WORKBOOK.HIDE", workbook_hide, 0, 2, true},
    {xlcOptionsView, "OPTIONS.VIEW", options_view, 0, 15, true},
    {xlSet, "xlSet", set_cells, 1, 2, true},
    {xlcColumnWidth, "COLUMN.WIDTH", column_width, 0, 5, true},
    {xlcClear, "CLEAR", clear, 0, 1, true},
    {xlcPatterns, "PATTERNS", patterns, 0, 12, true},
    {xlcFontProperties, "FONT.PROPERTIES", font_properties, 0, 14, true},
    {xlcFontProperties | xlIntl, "FONT.PROPERTIES", font_properties, 0, 14, true},
    {xlcActiveCellFont, "ACTIVE.CELL.FONT", active_cell_font, 0, 14, true},
    {xlcActiveCellFont | xlIntl, "ACTIVE.CELL.FONT", active_cell_font, 0, 14, true},
    {xlcBorder, "BORDER", border, 0, 11, true},
    {xlcFormatNumber, "FORMAT.NUMBER", format_number, 1, 1, true},
    {xlcFormatNumber | xlIntl, "FORMAT.NUMBER", format_number, 1, 1, true},
    {xlcAlignment, "ALIGNMENT", alignment, 0, 7, true},
    {xlcSelectChart, "SELECT.CHART", select_chart, 0, 0, true},
    {xlcSelectPlotArea, "SELECT.PLOT.AREA", select_plot_area, 0, 0, true},
    {xlcOptionsChart, "OPTIONS.CHART", options_chart, 0, 3, true},
    // An international call reads its references in R1C1 form.
    {xlcEditSeries, "EDIT.SERIES", edit_series_a1, 1, 6, true},
    {xlcEditSeries | xlIntl, "EDIT.SERIES", edit_series_r1c1, 1, 6, true},
    {xlcFormatCharttype, "FORMAT.CHARTTYPE", format_charttype, 0, 4, true},
    {xlcAttachText, "ATTACH.TEXT", attach_text, 1, 3, true},
    {xlcFormula, "FORMULA", formula, 1, 2, true},
};

}  // namespace

const HandlerEntry* find_handler(int number) {
    for (const auto& entry : table)
        if (entry.number == number) return &entry;
    return nullptr;
}

std::string function_name(int number) {
    if (const HandlerEntry* entry = find_handler(number)) return entry->name;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "function %d (0x%04X)", number, static_cast<unsigned>(number) & 0xFFFF);
    return buffer;
}

int serve(Session& session, int number, XLOPER* result, int count, XLOPER** arguments) {
    CallRecord record;
    record.function = number;
    const HandlerEntry* entry = find_handler(number);
    if (count < 0 || count > 30) {
        session.fault(function_name(number) + " called with " + std::to_string(count) +
                      " arguments; Excel takes at most 30");
        record.code = xlretInvCount;
        session.record_call(std::move(record));
        return xlretInvCount;
    }
    for (int i = 0; i < count; ++i) {
        if (arguments == nullptr || arguments[i] == nullptr) record.arguments.push_back("<null>");
        else if (entry != nullptr && !entry->reads_arguments) record.arguments.push_back("<record>");
        else record.arguments.push_back(describe(arguments[i], session));
    }
    auto finish = [&](int code) {
        record.code = code;
        record.note = std::move(session.calls_note);
        session.calls_note.clear();
        if (code == xlretSuccess && result != nullptr && entry != nullptr && entry->number != xlFree)
            record.result = describe(result, session);
        session.record_call(std::move(record));
        return code;
    };
    const std::string name = function_name(number);
    if (entry == nullptr) {
        session.fault("the add-in called " + name + ", which the host does not serve");
        return finish(xlretInvXlfn);
    }
    if (session.context == Context::idle) {
        session.fault("the add-in called " + name + " while Excel was not running any of its code");
        return finish(xlretFailed);
    }
    if (session.context == Context::auto_free && number != xlFree) {
        session.fault("xlAutoFree called " + name + "; inside xlAutoFree only xlFree is allowed");
        return finish(xlretFailed);
    }
    if (session.context == Context::function && (number & xlCommand) != 0) {
        session.fault("a worksheet function called the command " + name);
        return finish(xlretFailed);
    }
    if (count < entry->min_arguments || count > entry->max_arguments) {
        session.fault(name + " called with " + std::to_string(count) + " arguments (it takes " +
                      std::to_string(entry->min_arguments) + " to " + std::to_string(entry->max_arguments) + ")");
        return finish(xlretInvCount);
    }
    for (int i = 0; i < count; ++i) {
        if (arguments == nullptr || arguments[i] == nullptr) {
            session.fault(name + ": argument " + std::to_string(i + 1) + " is a null pointer");
            return finish(xlretInvXloper);
        }
        if (!entry->reads_arguments) continue;
        // xlSheetNm needs only the sheet: the bare answer of xlSheetId (no areas) is enough.
        if (number == xlSheetNm && base_type(*arguments[i]) == xltypeRef && arguments[i]->val.mref.lpmref == nullptr)
            continue;
        Value ignored;
        std::string problem;
        if (!read_xloper(arguments[i], session, &ignored, &problem)) {
            session.fault(name + ": argument " + std::to_string(i + 1) + " is " + problem);
            return finish(xlretInvXloper);
        }
    }
    return finish(entry->handler(session, result, count, arguments));
}

}  // namespace xlhost::capi
