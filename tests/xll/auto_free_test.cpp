// xlAutoFree releases exactly the heap storage of a value returned with the DLL-free bit; under
// the sanitizers a double release or a leak fails here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "xll/xlcall.h"
#include "xll/xloper.h"

extern "C" void VX_STDCALL xlAutoFree(LPXLOPER value);

namespace {

TEST(AutoFree, ArrayResultReleasesItsElementsOnce) {
    XLOPER result{};
    result.xltype = xltypeMulti | xlbitDLLFree;
    result.val.array.rows = 5;
    result.val.array.columns = 1;
    result.val.array.lparray = static_cast<LPXLOPER>(std::calloc(5, sizeof(XLOPER)));
    xlAutoFree(&result);
    EXPECT_EQ(result.val.array.lparray, nullptr);
    xlAutoFree(&result);  // a repeated hand-back finds nothing left to release
}

TEST(AutoFree, TextResultReleasesItsCharacters) {
    XLOPER result{};
    result.xltype = xltypeStr | xlbitDLLFree;
    result.val.str = static_cast<char*>(std::malloc(4));
    std::memcpy(result.val.str, "\x02ok", 4);
    xlAutoFree(&result);
    EXPECT_EQ(result.val.str, nullptr);
}

TEST(AutoFree, ValueWithoutTheBitIsLeftAlone) {
    static char text[] = "\x02ok";
    XLOPER result{};
    result.xltype = xltypeStr;
    result.val.str = text;
    xlAutoFree(&result);  // freeing static storage would crash
    EXPECT_EQ(result.val.str, text);
    xlAutoFree(nullptr);
}

}  // namespace
