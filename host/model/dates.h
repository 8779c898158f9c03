// Dates as Excel keeps them: serial numbers of the 1900 date system, 1 for 1900-01-01, with
// Excel's day 60 for a 29 February 1900 that never was, up to 2958465 for 9999-12-31.
#pragma once

#include <optional>
#include <string>

namespace xlhost {

constexpr int last_date_serial = 2958465;  // 9999-12-31

// DATE(year; month; day) as Excel's worksheet function works it out: a year below 1900 is
// counted from 1900, months and days beyond their range roll into the next or the previous
// ones (DATE(2025; 13; 0) is 2025-12-31). Nothing for a date before 1900-01-01 (serial 0 is
// 1900-01-00, which Excel shows but no DATE makes) or after 9999-12-31.
std::optional<double> date_serial(double year, double month, double day);
// A text written yyyy-mm-dd that is a date of Excel's (its 1900-02-29 too), as Excel reads it
// from a CSV file.
std::optional<double> parse_iso_date(const std::string& text);
// A serial as yyyy-mm-dd (its time of day dropped); nothing outside 1 to 2958465.
std::optional<std::string> iso_date_text(double serial);

// Whether a number format shows dates (it has a day, a month with a day or year, or a year).
bool is_date_format(const std::string& format);
// The worksheet functions whose answer is a date, which a cell shows as one: Excel's DATE and
// the add-in's VX.DIAUTIL and VX.DI1_VENC.
bool answers_a_date(const std::string& function_name);

}  // namespace xlhost
