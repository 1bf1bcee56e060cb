#include "formula/FormulaEvaluator.h"

#include "formula/CompiledScheme.h"
#include "formula/FormulaGrammar.h"
#include "formula/FormulaShapeCache.h"
#include "formula/FormulaText.h"

#include <muParserBase.h>

#include <QHash>
#include <cmath>

#include <exception>
#include <string_view>
#include <unordered_map>

namespace {
// A program has a handful of schemes; a flood of different texts only restarts the collection.
constexpr std::size_t kMaxSchemes = 256;

// Qt's own string hash resists flooding but costs more than the rest of a fee; scheme texts come
// from the operator, and the collection is capped.
struct TextHash {
    std::size_t operator()(const QString &text) const noexcept
    {
        return std::hash<std::u16string_view> {}(
            std::u16string_view(reinterpret_cast<const char16_t *>(text.constData()), std::size_t(text.size())));
    }
};
} // namespace

struct FormulaEvaluator::Impl {
    // Built once, because defining the grammar costs far more than a formula. Each call replaces
    // the whole expression, so nothing of one call reaches the next. Calls come one at a time
    // from the user-interface thread.
    std::unique_ptr<mu::ParserBase> parser = FormulaGrammar::createParser();
    // The minute refresh evaluates the same few formulas with new numbers thousands of times;
    // their compiled shapes save the parse. Whatever the cache cannot answer is parsed directly.
    FormulaShapeCache shapes;
    // Each running item's fee every minute: its scheme parsed once, null where it cannot be.
    std::unordered_map<QString, std::unique_ptr<CompiledScheme>, TextHash> schemes;
};

FormulaEvaluator::FormulaEvaluator() : d(std::make_unique<Impl>())
{ }
FormulaEvaluator::~FormulaEvaluator() = default;

std::optional<double> FormulaEvaluator::Evaluate(const QString &text) const
{
    const std::optional<std::string> input = FormulaText::toParserInput(text);
    if (!input)
        return std::nullopt;
    if (const auto cached = d->shapes.Evaluate(*input)) {
        if (cached->resultCount != 1 || !std::isfinite(cached->value))
            return std::nullopt;
        return cached->value + 0.0;
    }
    try {
        d->parser->SetExpr(*input);
        int resultCount = 0;
        const double *results = d->parser->Eval(resultCount);
        // "1,2" is a list of two results to the library; a formula has exactly one.
        if (resultCount != 1 || !std::isfinite(results[0]))
            return std::nullopt;
        // Adding zero turns -0 into 0, which no operator should show as a fee.
        return results[0] + 0.0;
    } catch (const mu::ParserError &) {
        return std::nullopt;
    } catch (const std::exception &) {
        // Out of memory on a huge formula is a failure of that formula, not of the program.
        return std::nullopt;
    }
}

CompiledScheme *FormulaEvaluator::compiled(const QString &scheme) const
{
    auto it = d->schemes.find(scheme);
    if (it == d->schemes.end()) {
        if (d->schemes.size() >= kMaxSchemes)
            d->schemes.clear();
        it = d->schemes.emplace(scheme, CompiledScheme::compile(scheme)).first;
    }
    return it->second.get();
}
