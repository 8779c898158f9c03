// A host workbook saved as a real .xlsx file with libxlsxwriter: its worksheets with values,
// number formats, fonts, fills, borders, alignment, column widths and gridlines, its chart
// sheets with their charts, and every sheet's visibility. Palette indexes become the colours
// of Excel's default palette.
#pragma once

#include <string>
#include <vector>

#include "model/workbook.h"

namespace xlhost::xlsx {

bool export_workbook(const Model& model, const Workbook& book, const std::string& path, std::string* error);

// libxlsxwriter writes a hidden sheet as state="hidden"; a very hidden one is the same entry
// with state="veryHidden" in xl/workbook.xml. Rewrites the package (the bytes of the file) so.
bool mark_very_hidden(std::string* package, const std::vector<std::string>& utf8_sheet_names, std::string* error);

}  // namespace xlhost::xlsx
