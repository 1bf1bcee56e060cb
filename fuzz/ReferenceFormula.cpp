#include "ReferenceFormula.h"

#include "formula/FormulaArithmetic.h"
#include "formula/FormulaText.h"

#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

using namespace FormulaArithmetic;

constexpr int MaxDepth = 200;

struct Function {
    const char *name;
    double (*one)(double);
    double (*many)(const double *, int);
};

const Function functions[] = {
    {"SQR", squareRoot, nullptr},
    {"LOG", naturalLogarithm, nullptr},
    {"SIN", sine, nullptr},
    {"COS", cosine, nullptr},
    {"TAN", tangent, nullptr},
    {"MAX", nullptr, maximum},
    {"MIN", nullptr, minimum},
    {"INT", roundDown, nullptr},
    {"FIX", roundTowardZero, nullptr},
    {"ROUND", roundHalfAwayFromZero, nullptr},
    {"ABS", absolute, nullptr},
};

// Recursive descent; every method returns nothing on a syntax error. Levels, weakest first:
// + -, \, * /, unary minus (not directly twice), ^ (right to left, its exponent may be negated).
class Reader {
public:
    explicit Reader(const std::string &text) : m_text(text), m_p(m_text.c_str()) { }

    bool deep = false;

    std::optional<double> whole()
    {
        const std::optional<double> value = sum();
        skipSpaces();
        if (!value || *m_p != '\0')
            return std::nullopt;
        return value;
    }

private:
    void skipSpaces()
    {
        while (*m_p == ' ' || *m_p == '\t')
            ++m_p;
    }

    bool take(char c)
    {
        skipSpaces();
        if (*m_p != c)
            return false;
        ++m_p;
        return true;
    }

    // Counts one level of recursion for as long as it lives.
    class Nesting {
    public:
        explicit Nesting(Reader &reader) : m_reader(reader)
        {
            if (++m_reader.m_depth > MaxDepth)
                m_reader.deep = true;
        }
        ~Nesting() { --m_reader.m_depth; }
        Nesting(const Nesting &) = delete;
        Nesting &operator=(const Nesting &) = delete;

    private:
        Reader &m_reader;
    };

    struct Operator {
        char symbol;
        double (*apply)(double, double);
    };

    // operand { operator operand }, applied from left to right.
    std::optional<double> leftToRight(std::optional<double> (Reader::*operand)(),
                                      std::initializer_list<Operator> operators)
    {
        std::optional<double> value = (this->*operand)();
        bool more = true;
        while (value && more) {
            more = false;
            for (const Operator &op : operators) {
                if (take(op.symbol)) {
                    value = combine(op.apply, value, (this->*operand)());
                    more = true;
                    break;
                }
            }
        }
        return value;
    }

    std::optional<double> sum()
    {
        const Nesting nesting(*this);
        if (deep)
            return std::nullopt;
        return leftToRight(&Reader::quotient, {{'+', add}, {'-', subtract}});
    }

    std::optional<double> quotient() { return leftToRight(&Reader::product, {{'\\', integerDivide}}); }

    std::optional<double> product() { return leftToRight(&Reader::signedPower, {{'*', multiply}, {'/', divide}}); }

    std::optional<double> signedPower()
    {
        if (!take('-'))
            return power();
        const std::optional<double> value = power();
        if (!value)
            return std::nullopt;
        return negate(*value);
    }

    std::optional<double> power()
    {
        const Nesting nesting(*this);
        if (deep)
            return std::nullopt;
        const std::optional<double> base = primary();
        if (!base || !take('^'))
            return base;
        return combine(FormulaArithmetic::power, base, signedPower());
    }

    std::optional<double> primary()
    {
        skipSpaces();
        if (take('(')) {
            const std::optional<double> value = sum();
            return value && take(')') ? value : std::nullopt;
        }
        int length = 0;
        double number = 0.0;
        if (FormulaText::readNumber(m_p, &length, &number)) {
            m_p += length;
            return number;
        }
        return call();
    }

    std::optional<double> call()
    {
        const char *start = m_p;
        while (*m_p >= 'A' && *m_p <= 'Z')
            ++m_p;
        const std::string name(start, m_p);
        if (*m_p != '(')
            return std::nullopt;
        ++m_p;
        std::vector<double> arguments;
        do {
            const std::optional<double> argument = sum();
            if (!argument)
                return std::nullopt;
            arguments.push_back(*argument);
        } while (take(','));
        if (!take(')'))
            return std::nullopt;
        for (const Function &function : functions) {
            if (name != function.name)
                continue;
            if (function.many)
                return function.many(arguments.data(), static_cast<int>(arguments.size()));
            return arguments.size() == 1 ? std::optional<double>(function.one(arguments[0])) : std::nullopt;
        }
        return std::nullopt;
    }

    static std::optional<double> combine(double (*op)(double, double), std::optional<double> a, std::optional<double> b)
    {
        if (!a || !b)
            return std::nullopt;
        return op(*a, *b);
    }

    const std::string &m_text;
    const char *m_p;
    int m_depth = 0;
};

} // namespace

std::optional<double> ReferenceFormula::evaluate(const std::string &text, bool *deep)
{
    Reader reader(text);
    std::optional<double> value = reader.whole();
    *deep = reader.deep;
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return *value + 0.0;
}
