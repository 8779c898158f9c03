// Texts inside the host are kept as Excel keeps them: bytes in the Windows Latin-1 code page
// (cp1252). These convert for printing and for tests written in UTF-8, and compare names as
// Excel does.
#pragma once

#include <string>

namespace xlhost {

std::string utf8(const std::string& cp1252_text);
// Characters outside cp1252 become '?', as Windows' best-fit conversion writes them.
std::string cp1252(const std::string& utf8_text);
// A text fit for one line of a message: control characters (NUL, line breaks, terminal escapes)
// are written as \xHH, so that nothing read from the input acts on the terminal or splits the line.
std::string printable(const std::string& text);
// Two names the same but for the case of their ASCII letters, as Excel matches names.
bool same_text_nocase(const std::string& a, const std::string& b);

}  // namespace xlhost
