#pragma once
// A small independent reading of the fee formula grammar, against which the fuzzer checks the
// evaluator's operator table: precedence, associativity, unary minus and argument lists.

#include <optional>
#include <string>

class ReferenceFormula {
public:
    // The value of text as prepared for the parser (upper case, only grammar characters), or
    // nothing when it is not a formula or a step faults. Gives up (nothing, deep = true) on
    // nesting deeper than a recursive reading should go.
    static std::optional<double> evaluate(const std::string &text, bool *deep);
};
