#include "formula/FormulaShapeCache.h"

#include "formula/FormulaGrammar.h"
#include "formula/FormulaText.h"

#include <muParserBase.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace {
// A fee formula has a handful of numbers; long or number-heavy texts are rare and parse directly.
constexpr std::size_t kMaxLength = 256;
constexpr std::size_t kMaxNumbers = 16;
constexpr std::size_t kMaxShapes = 256;

bool isNameChar(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Placeholder k is "z" followed by k in letters a..p, lower case so it can never meet a name
// from the formula, which arrives upper-cased.
std::string placeholder(std::size_t k)
{
    std::string name = "z";
    name.push_back(static_cast<char>('a' + k % 16));
    if (k >= 16)
        name.push_back(static_cast<char>('a' + k / 16));
    return name;
}

struct Compiled {
    std::unique_ptr<mu::ParserBase> parser;
    std::vector<double> values; // the placeholders point into this; never resized after setup
};
} // namespace

struct FormulaShapeCache::Impl {
    std::unordered_map<std::string, std::unique_ptr<Compiled>> shapes;
};

FormulaShapeCache::FormulaShapeCache() : d(new Impl)
{ }
FormulaShapeCache::~FormulaShapeCache()
{
    delete d;
}

std::optional<FormulaShapeCache::Outcome> FormulaShapeCache::Evaluate(const std::string &input)
{
    if (input.size() > kMaxLength)
        return std::nullopt;
    // Take every number the parser itself would read out of the text; everything else, names
    // and digits that do not read as a number, stays as it is so the shape parses the same way.
    std::string shape;
    shape.reserve(input.size() + 8);
    double numbers[kMaxNumbers];
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < input.size()) {
        const char c = input[i];
        if (isNameChar(c)) {
            while (i < input.size() && isNameChar(input[i]))
                shape.push_back(input[i++]);
            continue;
        }
        int length = 0;
        double value = 0;
        if ((c == '.' || (c >= '0' && c <= '9')) && FormulaText::readNumber(input.c_str() + i, &length, &value)) {
            if (count == kMaxNumbers)
                return std::nullopt;
            numbers[count] = value;
            shape += placeholder(count++);
            i += static_cast<std::size_t>(length);
            continue;
        }
        shape.push_back(c);
        ++i;
    }

    auto it = d->shapes.find(shape);
    if (it == d->shapes.end()) {
        if (d->shapes.size() >= kMaxShapes)
            d->shapes.clear();
        auto compiled = std::make_unique<Compiled>();
        compiled->values.assign(count, 0.0);
        try {
            compiled->parser = FormulaGrammar::createParser(true);
            for (std::size_t k = 0; k < count; ++k)
                compiled->parser->DefineVar(placeholder(k), &compiled->values[k]);
            compiled->parser->SetExpr(shape);
        } catch (const mu::ParserError &) {
            return std::nullopt;
        }
        it = d->shapes.emplace(shape, std::move(compiled)).first;
    }

    Compiled &c = *it->second;
    for (std::size_t k = 0; k < count; ++k)
        c.values[k] = numbers[k];
    try {
        Outcome out;
        const double *results = c.parser->Eval(out.resultCount);
        out.value = out.resultCount > 0 ? results[0] : 0.0;
        return out;
    } catch (const mu::ParserError &) {
        // A shape that does not parse is dropped, so the next call parses the text directly.
        d->shapes.erase(it);
        return std::nullopt;
    }
}
