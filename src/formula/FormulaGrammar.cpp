#include "formula/FormulaGrammar.h"

#include "formula/FormulaArithmetic.h"
#include "formula/FormulaText.h"

#include <muParserBase.h>

namespace {

// Binding strength, weakest first. The library's own operators sit on fixed levels that leave no
// room for integer division between multiplication and addition, so they are switched off and
// every operator is defined here. Unary minus binds tighter than * / but looser than ^, so that
// "-2^2" is -4 while "-2+3" is 1.
enum Precedence : int { AddSubtract = 1, IntegerDivide, MultiplyDivide, Negation, Power };

class FeeFormulaParser final : public mu::ParserBase {
public:
    explicit FeeFormulaParser(bool placeholders) : m_placeholders(placeholders)
    {
        AddValIdent(&FormulaText::readNumber);
        // Before the operators: with the built-in ones on, redefining + - * / ^ is refused.
        EnableBuiltInOprt(false);
        Init();
    }

protected:
    void InitCharSets() override
    {
        // Formula text reaches the parser upper-cased, so lower-case names are free for the
        // placeholders that stand for numbers in a cached formula shape.
        DefineNameChars(m_placeholders ? "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                       : "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        DefineOprtChars("+-*/\\^");
        DefineInfixOprtChars("-");
    }

    void InitFun() override
    {
        using namespace FormulaArithmetic;
        DefineFun("SQR", &squareRoot);
        DefineFun("LOG", &naturalLogarithm);
        DefineFun("SIN", &sine);
        DefineFun("COS", &cosine);
        DefineFun("TAN", &tangent);
        DefineFun("MAX", &maximum);
        DefineFun("MIN", &minimum);
        DefineFun("INT", &roundDown);
        DefineFun("FIX", &roundTowardZero);
        DefineFun("ROUND", &roundHalfAwayFromZero);
        DefineFun("ABS", &absolute);
    }

    void InitConst() override { }

    void InitOprt() override
    {
        using namespace FormulaArithmetic;
        DefineOprt("+", &add, AddSubtract);
        DefineOprt("-", &subtract, AddSubtract);
        DefineOprt("\\", &integerDivide, IntegerDivide);
        DefineOprt("*", &multiply, MultiplyDivide);
        DefineOprt("/", &divide, MultiplyDivide);
        DefineOprt("^", &power, Power, mu::oaRIGHT);
        DefineInfixOprt("-", &negate, Negation);
    }

private:
    bool m_placeholders;
};

} // namespace

std::unique_ptr<mu::ParserBase> FormulaGrammar::createParser(bool placeholders)
{
    return std::make_unique<FeeFormulaParser>(placeholders);
}
