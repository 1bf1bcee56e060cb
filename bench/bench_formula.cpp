// How many fee formulas the evaluator gets through (items_per_second). The clock tick evaluates one
// per running item at each new minute, inside a single tick of the user-interface thread, so the
// aim is well over a million a minute (about 17,000 a second) to keep ten thousand items' refresh
// short.
#include "formula/FormulaEvaluator.h"
#include "timing/SchemeFee.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

const QStringList &typicalSchemes()
{
    static const QStringList schemes = {
        QStringLiteral("5*C/60"), // per hour
        QStringLiteral("3*C/60"), // a cheaper class of machine
        QStringLiteral("-INT(-C/30)*2.5"), // per started half hour
        QStringLiteral("MAX(5, 5*C/60)"), // with a minimum charge
        QStringLiteral("ROUND(5*C/60*100)/100"), // rounded to cents
    };
    return schemes;
}

// What the fee computation hands over: every C replaced by the minutes as general number text.
QString withMinutes(QString scheme, double minutes)
{
    return scheme.replace(QLatin1Char('C'), QString::number(minutes, 'g', 15));
}

// One scheme, its C already replaced, over and over.
void BM_EvaluateScheme(benchmark::State &state)
{
    const QString scheme = typicalSchemes().at(static_cast<int>(state.range(0)));
    state.SetLabel(scheme.toStdString());
    const QString formula = withMinutes(scheme, 87.25);
    const FormulaEvaluator evaluator;
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluator.Evaluate(formula));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateScheme)->DenseRange(0, 4);

// One minute's refresh of ten thousand running items with mixed schemes and minutes, including
// the substitution of C as the tick does it.
void BM_MinuteRefresh(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    const QStringList &schemes = typicalSchemes();
    const FormulaEvaluator evaluator;
    for (auto _ : state) {
        for (int item = 0; item < items; ++item) {
            const double minutes = (item % 600) + 0.25 * (item % 4);
            benchmark::DoNotOptimize(evaluator.Evaluate(withMinutes(schemes.at(item % schemes.size()), minutes)));
        }
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_MinuteRefresh)->Arg(10000)->Unit(benchmark::kMillisecond);

// The fee as the tick computes it: the scheme compiled once, the minutes changing each call,
// whole and to the hundredth as sessions give them.
void BM_SchemeFee(benchmark::State &state)
{
    const QString scheme = typicalSchemes().at(static_cast<int>(state.range(0)));
    state.SetLabel(scheme.toStdString());
    FormulaEvaluator evaluator;
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 1) % 2400;
        benchmark::DoNotOptimize(schemeValue(evaluator, scheme, minute * 0.25));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SchemeFee)->DenseRange(0, 4);

// BM_MinuteRefresh's items through the compiled schemes.
void BM_MinuteRefreshCompiled(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    const QStringList &schemes = typicalSchemes();
    FormulaEvaluator evaluator;
    for (auto _ : state) {
        for (int item = 0; item < items; ++item) {
            const double minutes = (item % 600) + 0.25 * (item % 4);
            benchmark::DoNotOptimize(schemeValue(evaluator, schemes.at(item % schemes.size()), minutes));
        }
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_MinuteRefreshCompiled)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
