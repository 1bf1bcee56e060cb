#include "formula/FormulaEvaluator.h"

#include "formula/CompiledScheme.h"
#include "formula/FormulaGrammar.h"
#include "formula/FormulaShapeCache.h"
#include "formula/FormulaText.h"

#include <muParserBase.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <vector>

namespace {
// A program has a handful of schemes; a flood of different texts only restarts the collection.
constexpr std::size_t kMaxSchemes = 256;
constexpr std::size_t kSlots = 2 * kMaxSchemes; // a power of two, never more than half full

// Where a scheme's search starts: from its length and its first and last characters, which tell
// a program's few schemes apart at a fraction of the cost of hashing the whole text, a cost the
// minute refresh pays once per running item.
std::size_t firstSlot(const QString &text)
{
    const auto *chars = text.constData();
    const qsizetype size = text.size();
    std::uint64_t key = static_cast<std::uint64_t>(size);
    if (size > 0)
        key = key * 0x9E3779B97F4A7C15u + chars[0].unicode();
    if (size > 1)
        key = key * 0x9E3779B97F4A7C15u + chars[1].unicode() + (std::uint64_t(chars[size - 1].unicode()) << 16)
            + (std::uint64_t(chars[size / 2].unicode()) << 32);
    return static_cast<std::size_t>((key * 0xC2B2AE3D27D4EB4Fu) >> 40) & (kSlots - 1);
}

bool sameText(const QString &a, const QString &b)
{
    return a.size() == b.size()
        && std::memcmp(a.constData(), b.constData(), sizeof(QChar) * std::size_t(a.size())) == 0;
}

struct SchemeSlot {
    bool used = false;
    QString text;
    std::unique_ptr<CompiledScheme> compiled; // null where the scheme cannot be compiled
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
    // Each running item's fee every minute: its scheme compiled once.
    std::vector<SchemeSlot> schemes = std::vector<SchemeSlot>(kSlots);
    std::size_t schemeCount = 0;
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
    std::size_t slot = firstSlot(scheme);
    for (; d->schemes[slot].used; slot = (slot + 1) & (kSlots - 1)) {
        if (sameText(d->schemes[slot].text, scheme))
            return d->schemes[slot].compiled.get();
    }
    if (d->schemeCount == kMaxSchemes) {
        d->schemes = std::vector<SchemeSlot>(kSlots);
        d->schemeCount = 0;
        slot = firstSlot(scheme);
    }
    SchemeSlot &added = d->schemes[slot];
    added.used = true;
    added.text = scheme;
    added.compiled = CompiledScheme::compile(scheme);
    ++d->schemeCount;
    return added.compiled.get();
}
