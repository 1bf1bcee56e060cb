#include "dialogs/SchemeStorePrompts.h"

#include "dialogs/Prompter.h"
#include "timing/SchemeStore.h"
#include "timing/SettingsStore.h"

#include <QDir>

namespace SchemeStorePrompts {

void LoadFangAn(Tariff &state, SettingsStore &store, Prompter &prompter)
{
    // One box however many were skipped: a box for each could keep the operator clicking for hours.
    const int skipped = SchemeStore::LoadFangAn(state, store);
    if (skipped > 0)
        prompter.msgBox(QStringLiteral("计时方案设置值错误\n已跳过%1项计时方案设置。").arg(skipped),
                        Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
}

bool commit(SettingsStore &store, Prompter &prompter)
{
    const SettingsStore::CommitResult result = store.commit();
    if (result == SettingsStore::CommitResult::Failed)
        prompter.msgBox(QStringLiteral("无法保存设置文件:\n") + QDir::toNativeSeparators(store.location()),
                        Prompter::Buttons::Ok, Prompter::Icon::Critical);
    else if (result == SettingsStore::CommitResult::Written && !store.keptOriginal().isEmpty())
        prompter.msgBox(QStringLiteral("设置文件中有无法读取的内容,原文件已另存为:\n")
                            + QDir::toNativeSeparators(store.keptOriginal()),
                        Prompter::Buttons::Ok, Prompter::Icon::Exclamation);
    return result == SettingsStore::CommitResult::Written;
}

} // namespace SchemeStorePrompts
