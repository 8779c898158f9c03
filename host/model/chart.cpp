#include "model/chart.h"

#include <cctype>

namespace xlhost {

namespace {

bool digits(const std::string& text, size_t from, size_t to) {
    if (from >= to || to - from > 4) return false;  // series and point numbers stay small
    for (size_t i = from; i < to; ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

bool same(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return i == a.size() && b[i] == '\0';
}

const char* const fixed_items[] = {"Chart", "Plot", "Legend", "Title", "Axis 1", "Axis 2", "Text Axis 1",
                                   "Text Axis 2", "Gridline 1", "Gridline 2", "Gridline 3", "Gridline 4"};

}  // namespace

Chart::Chart() {
    // A new chart shows a legend and the value axis's major gridlines, as Excel's default
    // chart does; the plot area of a 2-D chart is grey-filled by default.
    value_axis.major_gridlines = true;
    plot_area.fill = AreaLook{0, 1, 15, 0};
    legend.font.size = 10;
}

std::string Chart::canonical_item(const std::string& item) {
    for (const char* fixed : fixed_items)
        if (same(item, fixed)) return fixed;
    if (item.size() >= 2 && (item[0] == 'S' || item[0] == 's')) {
        const auto p = item.find_first_of("Pp", 1);
        if (p == std::string::npos && digits(item, 1, item.size())) return "S" + std::to_string(std::stoi(item.substr(1)));
        if (p != std::string::npos && digits(item, 1, p) && digits(item, p + 1, item.size()))
            return "S" + std::to_string(std::stoi(item.substr(1, p - 1))) + "P" +
                   std::to_string(std::stoi(item.substr(p + 1)));
    }
    return "";
}

int Chart::series_of(const std::string& item) {
    const std::string name = canonical_item(item);
    if (name.empty() || name[0] != 'S') return -1;
    const auto p = name.find('P');
    const std::string number = name.substr(1, p == std::string::npos ? std::string::npos : p - 1);
    if (number.size() > 4) return -1;
    return std::stoi(number) - 1;
}

bool Chart::has_item(const std::string& item) const {
    const std::string name = canonical_item(item);
    if (name.empty()) return false;
    const bool axes = type != chart_pie && type != chart_doughnut;
    if (name == "Chart") return true;
    if (name == "Plot") return plot_area.present;
    if (name == "Legend") return legend.present;
    if (name == "Title") return title.present;
    if (name == "Axis 1") return axes && value_axis.present;
    if (name == "Axis 2") return axes && category_axis.present;
    if (name == "Text Axis 1") return axes && value_axis.title.present;
    if (name == "Text Axis 2") return axes && category_axis.title.present;
    if (name == "Gridline 1") return axes && value_axis.major_gridlines;
    if (name == "Gridline 2") return axes && value_axis.minor_gridlines;
    if (name == "Gridline 3") return axes && category_axis.major_gridlines;
    if (name == "Gridline 4") return axes && category_axis.minor_gridlines;
    const int index = series_of(name);
    if (index < 0 || index >= static_cast<int>(series.size())) return false;
    const auto p = name.find('P');
    if (p == std::string::npos) return true;
    const int point = std::stoi(name.substr(p + 1));
    const Range& values = series[static_cast<size_t>(index)].y.range;
    return point >= 1 && point <= values.rows() * values.columns();
}

}  // namespace xlhost
