// References written as text, as the chart commands take them: "=Auxiliar!R4C1:R253C1" in
// R1C1 form (what an international call uses) or "=Auxiliar!$A$4:$A$253" in A1 form, with an
// optional workbook in brackets and a sheet name in quotes when it holds spaces.
#pragma once

#include <optional>
#include <string>

#include "model/address.h"

namespace xlhost {

struct ExternalReference {
    std::string book;  // "" when not given
    std::string sheet;
    Range range;
};

// Absolute R1C1 cells and ranges only ("R3C2", "R4C1:R253C1"); relative forms (R[1]C) are
// not references a chart can hold.
std::optional<Range> parse_r1c1(const std::string& text);
std::optional<ExternalReference> parse_external_reference(const std::string& text, bool r1c1);
// "R4C1:R253C1" / "R3C2"
std::string r1c1_text(const Range& range);
// "'CS x Exp'" for a name that needs quotes, the name itself otherwise.
std::string quoted_sheet_name(const std::string& name);

}  // namespace xlhost
