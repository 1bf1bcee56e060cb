#include "SchemeStore.h"

#include "ModClock.h"
#include "Prompter.h"
#include "SettingsStore.h"

#include <limits>

namespace {
const QString kApp = QStringLiteral("Vantorel");
const QString kSection = QStringLiteral("SET");
const QString kMax = QStringLiteral("Max");
const QString kMissing = QStringLiteral("0");
} // namespace

namespace SchemeStore {

void LoadFangAn(ModClock &state, SettingsStore &store, Prompter &prompter)
{
    // A count that is not a number, or does not fit 16 bits, loads nothing and says nothing.
    bool ok = false;
    const int max = store.GetSetting(kApp, kSection, kMax, QStringLiteral("0")).trimmed().toInt(&ok);
    state.intFangAn = ok && max >= 0 && max <= std::numeric_limits<qint16>::max() ? qint16(max) : 0;

    for (int i = 1; i <= state.intFangAn; ++i) {
        const QString text = store.GetSetting(kApp, kSection, QString::number(i), kMissing);
        if (text == kMissing) {
            prompter.MsgBox(QStringLiteral("计时方案设置值错误"), Prompter::Buttons::Ok,
                            Prompter::Icon::Exclamation);
            continue;
        }
        state.cFangAn.Add(text);
    }
}

void SaveFangAn(ModClock &state, SettingsStore &store)
{
    for (int i = 1; i <= state.intFangAn; ++i)
        store.DeleteSetting(kApp, kSection, QString::number(i));
    for (int i = 1; i <= state.cFangAn.Count(); ++i)
        store.SaveSetting(kApp, kSection, QString::number(i), state.cFangAn.Item(i));
    store.SaveSetting(kApp, kSection, kMax, QString::number(state.cFangAn.Count()));
}

} // namespace SchemeStore
