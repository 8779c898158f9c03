// Reading the arguments of a macro command as Excel does: numbers where a number is asked
// (a fraction is cut to its whole part), logicals from booleans or numbers, texts, references.
// A missing or empty argument means "leave as it is". An argument of the wrong kind or out of
// its range fails the command (xlretFailed) with a note in the call log saying which.
#pragma once

#include <optional>
#include <string>

#include "capi/session.h"
#include "capi/xloper_values.h"

namespace xlhost::capi {

class CommandArguments {
public:
    CommandArguments(Session& session, int count, XLOPER** arguments, std::string command)
        : session_(session), count_(count), arguments_(arguments), command_(std::move(command)) {}

    int count() const { return count_; }
    // Argument i (1-based) is there and is not a missing or empty value.
    bool given(int i) const;
    Value value(int i) const;

    bool integer(int i, long long low, long long high, std::optional<int>* out, const char* what);
    bool number(int i, double low, double high, std::optional<double>* out, const char* what);
    bool logical(int i, std::optional<bool>* out, const char* what);
    bool text(int i, std::optional<std::string>* out, const char* what);
    // A colour argument: 0 automatic or an index of the 56-colour palette.
    bool colour(int i, std::optional<int>* out, const char* what) { return integer(i, 0, palette_count, out, what); }
    // A reference of argument i: false (and the failure noted) when it is not one.
    bool reference(int i, Target* out, const char* what);
    // Arguments after `last` must be missing: the form of the command takes no more.
    bool none_after(int last, const std::string& form);

    // Notes why the command failed and answers Excel's failure code.
    int fail(const std::string& why);
    // Writes TRUE into the result, as a command that was carried out answers.
    int done(XLOPER* result);

    Session& session() { return session_; }
    static constexpr int palette_count = 56;

private:
    Session& session_;
    int count_;
    XLOPER** arguments_;
    std::string command_;
};

// The sheet Excel acts on: the active sheet of the active workbook.
Sheet& active_sheet(Session& session);
// The chart of the active sheet, null when the active sheet is not a chart sheet.
Chart* active_chart(Session& session);

}  // namespace xlhost::capi
