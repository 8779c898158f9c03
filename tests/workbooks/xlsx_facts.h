// What openpyxl reads of a saved workbook (read_xlsx.py, run by the build machine's python3),
// one fact per line; or, when it could not be read, the reason, which no expected fact matches.
#pragma once

#include <string>

namespace workbooks_test {

std::string read_xlsx_facts(const std::string& path);

}  // namespace workbooks_test
