// VX.DURATION's 5 x 1 array is the one result whose element storage comes from the C heap; Excel
// hands it to xlAutoFree after copying it into the cell. Over many recalculations the heap must
// not grow by that storage (released every time), and a second release of it would end the
// process (the heap's own check, or the sanitizer's).
#include "exports/heap_in_use.h"
#include "planilha.h"

using namespace teste;

namespace {

class AutoFree : public Planilha {
protected:
    void carteira() {
        curva_exemplo();
        host.set_cell("D1", Value::num(1000000));
        host.set_cell("E1", Value::num(63));
        host.set_cell("D2", Value::num(1000000));
        host.set_cell("E2", Value::num(252));
    }
};

TEST_F(AutoFree, TheDurationArrayIsReleasedAfterEveryCall) {
    carteira();
    const std::string formula = "=VX.DURATION(A1:B4;D1:E2)";
    ASSERT_EQ(host.eval(formula).kind, Value::Kind::array);  // whatever is made once, made now
    constexpr int calls = 2000;
    // Five records of at least 16 bytes each (their size in the 32-bit build) a call.
    constexpr std::size_t kept_if_never_released = calls * 5 * 16;
    const std::size_t before = heap_bytes_in_use();
    for (int i = 0; i < calls; ++i) {
        const Value result = host.eval(formula);
        ASSERT_EQ(result.kind, Value::Kind::array);
        ASSERT_EQ(result.rows * result.columns, 5);
    }
    const std::size_t after = heap_bytes_in_use();
    const std::size_t grown = after > before ? after - before : 0;
    EXPECT_LT(grown, kept_if_never_released / 10) << "the heap grew by " << grown << " bytes";
}

}  // namespace
