// How cells look: fills, fonts, borders, number formats, alignment. A format command changes
// some properties of every cell of its selection and leaves the others alone, so the sheet
// keeps a list of layers (a range and the properties it sets) and a cell's look is all the
// layers over it, later ones winning. That keeps a fill of the whole sheet one small record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/address.h"

namespace xlhost {

// Excel's default palette of 56 colours, as 0xRRGGBB; index 1 to 56 (0 is automatic).
constexpr int palette_size = 56;
uint32_t palette_rgb(int index);

struct FontLook {
    std::optional<std::string> name;
    std::optional<bool> bold, italic;
    std::optional<double> size;
    std::optional<int> underline;  // 1 none, 2 single, 3 double, 4 single accounting, 5 double accounting
    std::optional<bool> strikethrough, superscript, subscript, outline, shadow;
    std::optional<int> colour;  // 0 automatic, else a palette index
    void apply(const FontLook& over);
};

struct Edge {
    int style = 0;   // 0 none, 1 thin, 2 medium, 3 dashed, 4 dotted, 5 thick, 6 double, 7 hairline, ...
    int colour = 0;  // 0 automatic
    bool operator==(const Edge& o) const { return style == o.style && colour == o.colour; }
};

struct CellLook {
    std::optional<std::string> number_format;
    std::optional<int> horizontal;  // 1 general, 2 left, 3 centre, 4 right, 5 fill, 6 justify, 7 centre across
    std::optional<int> vertical;    // 1 top, 2 centre, 3 bottom, 4 justify
    std::optional<bool> wrap;
    std::optional<int> orientation;
    FontLook font;
    std::optional<int> pattern;  // 0 none, 1 solid, 2 to 18 the hatchings
    std::optional<int> pattern_fore, pattern_back;
    std::optional<Edge> left, right, top, bottom;
    std::optional<bool> shade;
    void apply(const CellLook& over);
};

// The properties every cell has, once all layers are folded: the defaults of a new workbook
// (Arial 10, General, no fill, no borders) under what the layers set.
struct ResolvedLook {
    std::string number_format = "General";
    int horizontal = 1, vertical = 3, orientation = 0;
    bool wrap = false;
    std::string font_name = "Arial";
    bool bold = false, italic = false, strikethrough = false;
    double font_size = 10;
    int underline = 1, font_colour = 0;
    int pattern = 0, pattern_fore = 0, pattern_back = 0;
    Edge left, right, top, bottom;
    bool operator==(const ResolvedLook& o) const;
};
ResolvedLook resolve(const CellLook& look);

struct FormatLayer {
    Range range;
    CellLook look;
    bool reset = false;  // CLEAR of formats: everything under it back to the defaults
};

class CellFormats {
public:
    void apply(const Range& range, const CellLook& look);
    void clear(const Range& range);
    CellLook look_at(int row, int column) const;
    const std::vector<FormatLayer>& layers() const { return layers_; }

private:
    std::vector<FormatLayer> layers_;
};

// Font style names as the font commands take them, in English or Portuguese: "Regular" or
// "Normal", "Bold" or "Negrito", "Italic" or "Itálico", "Bold Italic" or "Negrito Itálico".
// False for a name no font style has.
bool parse_font_style(const std::string& cp1252_name, bool* bold, bool* italic);

// A number format text as FORMAT.NUMBER accepts it: at most four sections, quotes and
// brackets closed, no escape at the end.
bool valid_number_format(const std::string& format);
// A number shown through a number format, as a cell displays it (enough of Excel's formats
// for column widths: General, 0, 0.00, 0.000%, #,##0.00 and the like).
std::string format_number(double value, const std::string& format);

}  // namespace xlhost
