// Each test of the call layer: the platform stand-in reset, an empty scratch pool and a scripted
// Excel that answers 0 until told otherwise.
#pragma once

#include <gtest/gtest.h>

#include "platform/control/platform_control.h"
#include "scripted_excel.h"
#include "xll/scratch.h"

class CallLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::reset();
        xll::scratch_reset();
    }
    // True when the whole pool is free (and leaves it so).
    static bool pool_is_empty() {
        void* all = xll::scratch_alloc(xll::scratch_pool_bytes);
        xll::scratch_reset();
        return all != nullptr;
    }
    ScriptedExcel excel;
};
