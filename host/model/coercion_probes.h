// How an instance answers the reference-coercion probes of the add-in's call layer.
#pragma once

namespace xlhost {

// CALCULATE.NOW and ISTEXT of a reference. An Excel 97 beside other instances of it answers
// both as disturbed() says; each can be set on its own.
struct CoercionProbes {
    enum class Calculation { recalculates, answers_false, refuses };  // TRUE after calculating; FALSE; xlretFailed
    enum class TextTest { reads, answers_ref, refuses };              // the first cell's answer; #REF!; xlretFailed
    Calculation calculation = Calculation::recalculates;
    TextTest text_test = TextTest::reads;
    static CoercionProbes disturbed() { return {Calculation::answers_false, TextTest::answers_ref}; }
    bool operator==(const CoercionProbes& other) const {
        return calculation == other.calculation && text_test == other.text_test;
    }
};

}  // namespace xlhost
