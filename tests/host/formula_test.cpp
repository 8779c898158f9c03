#include <gtest/gtest.h>

#include "formula/formula.h"

using xlhost::Expr;
using xlhost::parse_formula;

namespace {

Expr parsed(const std::string& text) {
    Expr e;
    std::string error;
    EXPECT_TRUE(parse_formula(text, &e, &error)) << text << ": " << error;
    return e;
}

std::string refusal(const std::string& text) {
    Expr e;
    std::string error;
    EXPECT_FALSE(parse_formula(text, &e, &error)) << text;
    return error;
}

TEST(Formula, CallWithEveryKindOfArgument) {
    const Expr e = parsed("=VX.INTERPOLEX(42; $A$1:b4 ; -1.5e-3, \"a \"\"b\"\"\", true, #N/A, ,FALSE)");
    ASSERT_EQ(e.kind, Expr::Kind::call);
    EXPECT_EQ(e.text, "VX.INTERPOLEX");
    ASSERT_EQ(e.arguments.size(), 8u);
    EXPECT_EQ(e.arguments[0].number, 42);
    EXPECT_EQ(e.arguments[1].kind, Expr::Kind::reference);
    EXPECT_EQ(e.arguments[1].range.last_row, 3);
    EXPECT_EQ(e.arguments[1].range.last_column, 1);
    EXPECT_DOUBLE_EQ(e.arguments[2].number, -1.5e-3);
    EXPECT_EQ(e.arguments[3].text, "a \"b\"");
    EXPECT_TRUE(e.arguments[4].boolean);
    EXPECT_EQ(e.arguments[5].error, 42);
    EXPECT_EQ(e.arguments[6].kind, Expr::Kind::missing);
    EXPECT_EQ(e.arguments[7].kind, Expr::Kind::boolean);
}

TEST(Formula, OmittedArgumentsKeepTheirPlaces) {
    EXPECT_EQ(parsed("=F()").arguments.size(), 0u);
    EXPECT_EQ(parsed("=F(;)").arguments.size(), 2u);
    const Expr e = parsed("=F(1;;3;)");
    ASSERT_EQ(e.arguments.size(), 4u);
    EXPECT_EQ(e.arguments[1].kind, Expr::Kind::missing);
    EXPECT_EQ(e.arguments[3].kind, Expr::Kind::missing);
}

TEST(Formula, ReferencesAndNamesAreTellApart) {
    const Expr corners = parsed("=F(B4:A1)");
    EXPECT_EQ(corners.arguments[0].range.first_row, 0);
    EXPECT_EQ(corners.arguments[0].range.last_column, 1);
    EXPECT_EQ(parsed("=F(A1B)").arguments[0].kind, Expr::Kind::name);   // not a cell
    EXPECT_EQ(parsed("=F(IW1)").arguments[0].kind, Expr::Kind::name);   // beyond column IV
    EXPECT_EQ(parsed("=F(A65537)").arguments[0].kind, Expr::Kind::name);
    EXPECT_EQ(parsed("=LOG10(1)").kind, Expr::Kind::call);
    EXPECT_EQ(parsed("=IV65536").kind, Expr::Kind::reference);
    EXPECT_EQ(parsed("=G(F(1),2)").arguments[0].kind, Expr::Kind::call);
}

TEST(Formula, SignsAndExponents) {
    EXPECT_EQ(parsed("=+7").number, 7);
    EXPECT_EQ(parsed("=.5").number, 0.5);
    EXPECT_EQ(parsed("=-2E+2").number, -200);
    EXPECT_EQ(parsed("= 1e3 ").number, 1000);
}

TEST(Formula, RefusalsSayWhy) {
    EXPECT_NE(refusal("F(1)").find("starts with '='"), std::string::npos);
    EXPECT_NE(refusal("=F(1").find("not closed"), std::string::npos);
    EXPECT_NE(refusal("=F(\"abc)").find("not closed"), std::string::npos);
    EXPECT_NE(refusal("=F(1))").find("position 6"), std::string::npos);
    EXPECT_NE(refusal("=F(1e)").find("not a number"), std::string::npos);
    EXPECT_NE(refusal("=F(1.2.3)").find("not a number"), std::string::npos);
    EXPECT_NE(refusal("=F(#BAD!)").find("error value"), std::string::npos);
    EXPECT_NE(refusal("=F(1 2)").find("unexpected"), std::string::npos);
    EXPECT_NE(refusal("=").find("ends too early"), std::string::npos);
    EXPECT_NE(refusal("=1+2").find("unexpected '+'"), std::string::npos);
}

}  // namespace

namespace {

std::string nested_calls(int levels, const std::string& innermost = "1") {
    std::string text = "=";
    for (int i = 0; i < levels; ++i) text += "F(";
    text += innermost;
    return text + std::string(static_cast<size_t>(levels), ')');
}

int depth_of(const Expr& e) {
    int depth = 0;
    for (const Expr* at = &e; at->kind == Expr::Kind::call && !at->arguments.empty(); at = &at->arguments[0]) ++depth;
    return depth;
}

// Excel nests at most 64 functions; a formula far deeper is refused as quickly, without
// descending into it. Parentheses and signs on their own never nest.
TEST(Formula, NestingStopsAtExcelsLimitOfSixtyFourFunctions) {
    EXPECT_EQ(depth_of(parsed(nested_calls(64))), 64);
    EXPECT_EQ(refusal(nested_calls(65)), "more than 64 levels of nested functions at position 130");
    EXPECT_EQ(refusal(nested_calls(20000)), "more than 64 levels of nested functions at position 130");
    // Side by side, the levels of each argument are counted apart.
    const std::string wide = "=G(" + nested_calls(63).substr(1) + ";" + nested_calls(63).substr(1) + ")";
    EXPECT_EQ(parsed(wide).arguments.size(), 2u);
    EXPECT_EQ(refusal("=" + std::string(20000, '(') + "1" + std::string(20000, ')')), "unexpected '(' at position 2");
    EXPECT_NE(refusal("=" + std::string(20000, '-') + "1").find("not a number"), std::string::npos);
}

}  // namespace
