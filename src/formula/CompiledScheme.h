#pragma once
// A fee scheme parsed once, with its C as a variable, for the many values it is evaluated at.

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace mu {
class ParserByteCode;
}

class CompiledScheme {
public:
    ~CompiledScheme();
    CompiledScheme(const CompiledScheme &) = delete;
    CompiledScheme &operator=(const CompiledScheme &) = delete;

    // Nothing when a C of the scheme is not a token of its own: a number written in its place
    // would join a neighbouring name, number or exponent, or let a function name reach a
    // parenthesis, and so change what the text means. Nothing either when the scheme does not
    // parse; the caller then writes the number into the text, which stays the one reference.
    static std::unique_ptr<CompiledScheme> compile(const QString &scheme);

    // What FormulaEvaluator::Evaluate gives for the scheme with every C replaced by a number text
    // that reads as value (a negative one in parentheses).
    std::optional<double> evaluate(double value);

private:
    CompiledScheme() = default;
    bool takeSteps(const mu::ParserByteCode &code);

    // The parser's own program for the scheme, run without the parser's general dispatch: the same
    // functions on the same operands in the same order, so the same value to the last bit.
    struct Step {
        // WithNumber and WithVariable: a Binary whose right operand is the number or the variable,
        // which it takes without the stack.
        enum Kind { Number, Variable, Unary, Binary, List, WithNumber, WithVariable } kind;
        int count; // the operands of a List
        double number;
        union {
            double (*unary)(double);
            double (*binary)(double, double);
            double (*list)(const double *, int);
        };
    };
    std::vector<Step> m_steps;
    std::vector<double> m_stack;
    double m_value = 0; // the parser reads every C here while it compiles
};
