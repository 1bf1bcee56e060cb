// Saving and loading the scheme list through the settings file (milliseconds per run). The save
// runs whenever the operator confirms a change of schemes and at exit, the load at every start:
// with ten thousand schemes each must stay well under a second.
#include "dialogs/Prompter.h"
#include "dialogs/SchemeStorePrompts.h"
#include "timing/IniSettingsStore.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/SchemeStore.h"
#include "timing/ViewSettings.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class SilentPrompter : public Prompter {
public:
    Answer msgBox(const QString &, Buttons, Icon, int) override { return Answer::Ok; }
    Answer msgBoxWithChoice(const QString &, const QString &, Icon) override { return Answer::Yes; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
};

void fillSchemes(ModClock &state, int count)
{
    const QString kinds[] = {QStringLiteral("5*C/60"), QStringLiteral("MAX(5, 5*C/60)"), QStringLiteral("C\\60*4+2")};
    for (int i = 0; i < count; ++i)
        state.tariff.cFangAn.add(kinds[i % 3] + QStringLiteral("+%1").arg(i));
}

// Writes the list, renumbering after a removal as a confirmed remove does, and commits it.
void BM_SaveSchemes(benchmark::State &st)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Vantorel.ini"));
    IniSettingsStore store(ini);
    ModClock state;
    SilentPrompter prompter;
    SchemeStorePrompts::LoadFangAn(state.tariff, store, prompter);
    fillSchemes(state, int(st.range(0)));
    for (auto _ : st) {
        state.tariff.cFangAn.remove(1);
        state.tariff.cFangAn.add(QStringLiteral("3*C/60"));
        SchemeStore::SaveFangAn(state.tariff, store);
        ViewSettings().save(store);
        if (!SchemeStorePrompts::commit(store, prompter))
            st.SkipWithError("the settings file could not be written");
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_SaveSchemes)->Arg(10000)->Unit(benchmark::kMillisecond);

// A start: a new store reads the file, then the list and the view settings are loaded.
void BM_LoadSchemes(benchmark::State &st)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Vantorel.ini"));
    SilentPrompter prompter;
    {
        IniSettingsStore store(ini);
        ModClock state;
        fillSchemes(state, int(st.range(0)));
        SchemeStore::SaveFangAn(state.tariff, store);
        SchemeStorePrompts::commit(store, prompter);
    }
    for (auto _ : st) {
        IniSettingsStore store(ini);
        ModClock state;
        SchemeStorePrompts::LoadFangAn(state.tariff, store, prompter);
        ViewSettings view;
        view.load(store);
        if (state.tariff.cFangAn.count() != st.range(0))
            st.SkipWithError("the list did not load whole");
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_LoadSchemes)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
