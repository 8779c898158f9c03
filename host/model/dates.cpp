#include "model/dates.h"

#include <cctype>
#include <cmath>
#include <cstdio>


namespace xlhost {

namespace {

// Days from 1970-01-01 of a Gregorian date, and back.
long long days_from_civil(long long y, long long m, long long d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

void civil_from_days(long long z, int* y, int* m, int* d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *y = static_cast<int>(yoe + era * 400 + (*m <= 2 ? 1 : 0));
}

constexpr long long serial_1970 = 25569;       // 1970-01-01
constexpr long long serial_march_1900 = 61;    // 1900-03-01: before it, Excel counts one day less

// Excel's serial of a Gregorian date: from 1 March 1900 the days since 1899-12-30; before it
// the days since 1899-12-31, as Excel counted past its 29 February 1900.
long long serial_of(long long y, long long m, long long d) {
    const long long s = days_from_civil(y, m, d) + serial_1970;
    return s >= serial_march_1900 ? s : s - 1;
}

}  // namespace

std::optional<double> date_serial(double year, double month, double day) {
    for (double v : {year, month, day})
        if (!std::isfinite(v) || std::fabs(v) >= 1e9) return std::nullopt;
    long long y = static_cast<long long>(year), m = static_cast<long long>(month);
    const long long d = static_cast<long long>(day);
    if (y >= 0 && y < 1900) y += 1900;
    if (y < 0 || y > 9999) return std::nullopt;
    // Months beyond their range move whole years first, days move from the month's first day.
    y += (m - 1 >= 0 ? (m - 1) / 12 : -((12 - m) / 12));
    m = ((m - 1) % 12 + 12) % 12 + 1;
    // Excel's serials run on through its 29 February 1900: days count from the month's first.
    const long long serial = serial_of(y, m, 1) + d - 1;
    if (serial < 0 || serial > last_date_serial) return std::nullopt;
    return static_cast<double>(serial);
}

std::optional<double> parse_iso_date(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    const int y = std::stoi(text.substr(0, 4)), m = std::stoi(text.substr(5, 2)), d = std::stoi(text.substr(8, 2));
    if (y < 1900 || m < 1 || m > 12 || d < 1) return std::nullopt;
    if (y == 1900 && m == 2 && d == 29) return 60.0;  // Excel's own day
    static const int month_days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > month_days[m - 1] + (m == 2 && leap ? 1 : 0)) return std::nullopt;
    return static_cast<double>(serial_of(y, m, d));
}

std::optional<std::string> iso_date_text(double serial) {
    if (!(serial >= 1 && serial < last_date_serial + 1.0)) return std::nullopt;
    const auto s = static_cast<long long>(serial);
    int y = 1900, m = 2, d = 29;  // Excel's day 60
    if (s != 60) civil_from_days((s < serial_march_1900 ? s + 1 : s) - serial_1970, &y, &m, &d);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
    return std::string(text);
}

bool is_date_format(const std::string& format) {
    bool quoted = false;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
        if (format[i] == '"') quoted = !quoted;
        else if (quoted) continue;
        else if (format[i] == '\\') ++i;
        else if (format[i] == '[') i = format.find(']', i) == std::string::npos ? format.size() : format.find(']', i);
        else if (c == ';') break;
        else if (c == 'y' || c == 'd') return true;
    }
    return false;
}

bool answers_a_date(const std::string& function_name) {
    auto same = [&](const std::string& name) {
        if (name.size() != function_name.size()) return false;
        for (size_t i = 0; i < name.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(function_name[i])) != name[i]) return false;
        return true;
    };
    return same("DATE") || same("VX.DIAUTIL") || same("VX.DI1_VENC");
}

}  // namespace xlhost
