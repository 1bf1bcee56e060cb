#include "dialogs/SchemeStorePrompts.h"

#include "dialogs/Prompter.h"
#include "timing/SchemeStore.h"
#include "timing/SettingsStore.h"

#include <QDir>

namespace SchemeStorePrompts {

void LoadFangAn(ModClock &state, SettingsStore &store, Prompter &prompter)
{
    const int skipped = SchemeStore::LoadFangAn(state, store);
    for (int i = 0; i < skipped; ++i)
        prompter.MsgBox(QStringLiteral("计时方案设置值错误"), Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
}

bool Commit(SettingsStore &store, Prompter &prompter)
{
    const SettingsStore::CommitResult result = store.Commit();
    if (result == SettingsStore::CommitResult::Failed)
        prompter.MsgBox(QStringLiteral("无法保存设置文件:\n") + QDir::toNativeSeparators(store.Location()),
                        Prompter::Buttons::Ok, Prompter::Icon::Critical);
    return result == SettingsStore::CommitResult::Written;
}

} // namespace SchemeStorePrompts
