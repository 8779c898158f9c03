// Every type text of the catalogue, through the real __stdcall layout: each probe answers its
// arguments as they arrived, so a 16-bit integer that was not widened to its own slot, or a
// double read from the wrong slots, shows as a wrong number.
#include "win32/probe_fixture.h"

namespace win32_test {
namespace {

using xlhost::display;

struct Case {
    const char* formula;
    std::vector<double> arrived;
};

// Extreme 16- and 32-bit integers, doubles with every bit of their mantissa in use, a P
// argument as a number, as a range (-64: xltypeMulti) and omitted (-128: xltypeMissing).
const double third = 1.0 / 3;
const Case cases[] = {
    {"=W.PIPB(-32768;7.25;0.1)", {-32768, 7.25, 0.1}},
    {"=W.PIPB(32767;A1:B2;-1E+300)", {32767, -64, -1e300}},
    {"=W.PIP(-1;)", {-1, -128}},
    {"=W.PPP(0.5;A1:B2)", {0.5, -64}},
    {"=W.PBIJBIIBB(0.1;-2;2147483647;0.2;3;-4;0.3;0.4)", {0.1, -2, 2147483647, 0.2, 3, -4, 0.3, 0.4}},
    {"=W.PBJBBBB(1.5;-2147483648;2.5;3.5;4.5;5.5)", {1.5, -2147483648.0, 2.5, 3.5, 4.5, 5.5}},
    {"=W.PJIP(123456789;-12345;9.75)", {123456789, -12345, 9.75}},
    {"=W.PJIJ(-7;8;-9)", {-7, 8, -9}},
    {"=W.PJJIP(1;2;-3;4)", {1, 2, -3, 4}},
    {"=W.PBIJBJJBB(0.18;21;39000;0.185;63;39062;25;2500)", {0.18, 21, 39000, 0.185, 63, 39062, 25, 2500}},
    {"=W.PBJJJ(0.05;1000;39090;39000)", {0.05, 1000, 39090, 39000}},
    {"=W.PBJJBIBJB(0.05;39062;63;0.18;-21;2500;39000;0.185)", {0.05, 39062, 63, 0.18, -21, 2500, 39000, 0.185}},
    {"=W.PBJJBIJB(0.05;39062;63;0.18;21;39000;0.185)", {0.05, 39062, 63, 0.18, 21, 39000, 0.185}},
    {"=W.PBBJJBJJBA(2.5;2.51;39000;39000;0.185;63;39091;25;TRUE)", {2.5, 2.51, 39000, 39000, 0.185, 63, 39091, 25, 1}},
    {"=W.PBBJJBJJBA(2.5;2.51;39000;39000;0.185;63;39091;25;)", {2.5, 2.51, 39000, 39000, 0.185, 63, 39091, 25, 0}},
};

class Arguments : public ProbeHost {};

TEST_F(Arguments, EveryTypeTextOfTheCatalogueArrivesIntact) {
    for (const Case& c : cases) {
        const xlhost::Value expected = row(c.arrived);
        const xlhost::Value got = eval(c.formula);
        EXPECT_EQ(got, expected) << c.formula << "\n got: " << display(got) << "\n expected: " << display(expected);
    }
}

TEST_F(Arguments, DoublesKeepEveryBit) {
    host->set_cell("A1", xlhost::Value::num(third));
    host->set_cell("B1", xlhost::Value::num(6.02214076e23));
    const xlhost::Value got = eval("=W.PBJBBBB(A1;-1;B1;A1;B1;A1)");
    EXPECT_EQ(got, row({third, -1, 6.02214076e23, third, 6.02214076e23, third})) << display(got);
}

}  // namespace
}  // namespace win32_test
