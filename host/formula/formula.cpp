#include "formula/formula.h"

#include <cctype>
#include <cstdlib>

#include "model/number_text.h"
#include "model/value.h"

namespace xlhost {
namespace {

// Excel's own limit on functions nested inside one another. It also bounds the parser's
// recursion, which descends one level per call, so no formula can exhaust the stack.
constexpr int max_nesting = 64;

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    bool formula(Expr* out, std::string* error) {
        if (text_.empty() || text_[0] != '=') return fail("a formula starts with '='", error);
        pos_ = 1;
        skip_spaces();
        if (!expression(out)) return fail(problem_, error);
        skip_spaces();
        if (pos_ != text_.size()) return fail(unexpected(), error);
        return true;
    }

private:
    bool fail(const std::string& why, std::string* error) {
        if (error) *error = why;
        return false;
    }
    bool stop(const std::string& why) {
        if (problem_.empty()) problem_ = why;
        return false;
    }
    std::string unexpected() const {
        if (pos_ >= text_.size()) return "the formula ends too early";
        return std::string("unexpected '") + text_[pos_] + "' at position " + std::to_string(pos_ + 1);
    }
    void skip_spaces() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    bool at(char ch) const { return pos_ < text_.size() && text_[pos_] == ch; }
    static bool name_start(char ch) { return std::isalpha(static_cast<unsigned char>(ch)) || ch == '_' || ch == '\\'; }
    static bool name_char(char ch) {
        return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' || ch == '.' || ch == '\\';
    }

    bool expression(Expr* out) {
        if (pos_ >= text_.size()) return stop("the formula ends too early");
        const char ch = text_[pos_];
        if (ch == '"') return text(out);
        if (ch == '#') return error_literal(out);
        if (ch == '+' || ch == '-' || ch == '.' || std::isdigit(static_cast<unsigned char>(ch))) return number(out);
        if (ch == '$' || name_start(ch)) return name_or_reference(out);
        return stop(unexpected());
    }

    bool text(Expr* out) {
        ++pos_;
        std::string value;
        while (true) {
            if (pos_ >= text_.size()) return stop("a text is not closed with '\"'");
            if (text_[pos_] == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    value += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            value += text_[pos_++];
        }
        out->kind = Expr::Kind::text;
        out->text = value;
        return true;
    }

    bool error_literal(Expr* out) {
        for (int code : {0, 7, 15, 23, 29, 36, 42}) {
            const std::string literal = error_text(code);
            if (text_.size() - pos_ < literal.size()) continue;
            bool same = true;
            for (size_t i = 0; i < literal.size() && same; ++i)
                same = std::toupper(static_cast<unsigned char>(text_[pos_ + i])) == literal[i];
            if (!same) continue;
            pos_ += literal.size();
            out->kind = Expr::Kind::error;
            out->error = code;
            return true;
        }
        return stop("unknown error value at position " + std::to_string(pos_ + 1));
    }

    bool number(Expr* out) {
        const size_t start = pos_;
        if (at('+') || at('-')) ++pos_;
        while (pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.'))
            ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (at('+') || at('-')) ++pos_;
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        }
        const std::string literal = text_.substr(start, pos_ - start);
        const auto value = parse_number(literal);
        if (!value) {
            pos_ = start;
            return stop("not a number: '" + literal + "' at position " + std::to_string(start + 1));
        }
        out->kind = Expr::Kind::number;
        out->number = *value;
        return true;
    }

    bool name_or_reference(Expr* out) {
        const size_t start = pos_;
        Range range;
        const size_t length = scan_reference(text_, pos_, &range);
        if (length > 0) {
            size_t after = pos_ + length;
            while (after < text_.size() && text_[after] == ' ') ++after;
            if (after >= text_.size() || text_[after] != '(') {
                pos_ += length;
                out->kind = Expr::Kind::reference;
                out->range = range;
                return true;
            }
        }
        if (!name_start(text_[pos_])) return stop(unexpected());
        while (pos_ < text_.size() && name_char(text_[pos_])) ++pos_;
        const std::string name = text_.substr(start, pos_ - start);
        skip_spaces();
        if (!at('(')) {
            if (const auto boolean = parse_boolean(name)) {
                out->kind = Expr::Kind::boolean;
                out->boolean = *boolean;
                return true;
            }
            out->kind = Expr::Kind::name;
            out->text = name;
            return true;
        }
        if (depth_ == max_nesting)
            return stop("more than " + std::to_string(max_nesting) + " levels of nested functions at position " +
                        std::to_string(start + 1));
        ++pos_;
        out->kind = Expr::Kind::call;
        out->text = name;
        const Nested nested(depth_);
        skip_spaces();
        if (at(')')) {
            ++pos_;
            return true;
        }
        while (true) {
            skip_spaces();
            if (pos_ >= text_.size()) return stop("a '(' is not closed");
            Expr argument;
            if (!(at(';') || at(',') || at(')'))) {
                if (!expression(&argument)) return false;
                skip_spaces();
            }
            out->arguments.push_back(std::move(argument));
            if (out->arguments.size() > 30) return stop("more than 30 arguments in " + name);
            if (at(';') || at(',')) {
                ++pos_;
                continue;
            }
            if (at(')')) {
                ++pos_;
                return true;
            }
            return stop(pos_ >= text_.size() ? "a '(' is not closed" : unexpected());
        }
    }

    // One level of nesting for as long as a call's arguments are being read.
    struct Nested {
        explicit Nested(int& depth) : depth_(depth) { ++depth_; }
        ~Nested() { --depth_; }
        int& depth_;
    };

    const std::string& text_;
    size_t pos_ = 0;
    int depth_ = 0;  // calls open around the current position
    std::string problem_;
};

}  // namespace

bool parse_formula(const std::string& formula, Expr* out, std::string* error) {
    Expr result;
    Parser parser(formula);
    if (!parser.formula(&result, error)) return false;
    *out = std::move(result);
    return true;
}

}  // namespace xlhost
