#pragma once
// Remembers compiled formulas by their shape (the text with its numbers taken out), so that the
// same fee formula with new minutes is evaluated without being parsed again.

#include <optional>
#include <string>

class FormulaShapeCache {
public:
    FormulaShapeCache();
    ~FormulaShapeCache();
    FormulaShapeCache(const FormulaShapeCache &) = delete;
    FormulaShapeCache &operator=(const FormulaShapeCache &) = delete;

    // The formula's result count and first value as the full parser would give them, or nothing
    // when the formula does not suit the cache (too long, too many numbers) or fails to parse;
    // the caller then parses it directly, so failures keep their one source.
    struct Outcome {
        int resultCount = 0;
        double value = 0;
    };
    std::optional<Outcome> Evaluate(const std::string &parserInput);

private:
    struct Impl;
    Impl *d;
};
