// What the host does with input meant to break it: sheets and formulas at and beyond what a
// worksheet holds, each met with a value or a clear refusal, never a crash.
#include <string>

#include "host_fixture.h"

namespace {

using xlhost::Value;

class HostileInput : public LoadedHost {};

// A1 waits for A2, which waits for A3, ... down to the last row of the sheet: the walk that
// orders the calculation is as deep as the sheet is long.
TEST_F(HostileInput, AChainOfFormulasAsLongAsTheSheetIsCalculated) {
    std::string sheet;
    for (int row = 1; row < 65536; ++row) sheet += "=T.NUM(A" + std::to_string(row + 1) + ")\n";
    sheet += "7\n";
    std::string error;
    ASSERT_TRUE(host->load_csv_text(sheet, &error)) << error;
    host->calc();
    EXPECT_EQ(host->cell("A1"), Value::num(7));
    EXPECT_EQ(host->cell("A65535"), Value::num(7));
}

}  // namespace
