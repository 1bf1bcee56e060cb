#pragma once
// Builds the parser that accepts exactly the fee formula grammar and nothing else.

#include <memory>

namespace mu {
class ParserBase;
}

class FormulaGrammar {
public:
    // A parser with the operators + - * / \ ^, unary minus, the functions SQR LOG SIN COS TAN MAX
    // MIN INT FIX ROUND ABS and decimal numbers; no variables, constants or other operators. Names
    // are upper case: callers upper-case the text first. With placeholders, lower-case names are
    // allowed too, for variables that stand in for the numbers of a formula shape.
    static std::unique_ptr<mu::ParserBase> createParser(bool placeholders = false);
};
