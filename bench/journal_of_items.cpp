// Not a benchmark: writes a journal of N running items, PC1 to PCN on scheme 1, as a run that was
// killed would leave it, so that scripts/idle-cost.sh can load ten thousand items in seconds
// (the program offers to restore them at start) instead of typing them into the dialog.
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const int count = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (!ok || count < 1) {
        std::fprintf(stderr, "usage: journal_of_items <journal file> <item count>\n");
        return 1;
    }
    ItemJournal journal(args[1]);
    const QDateTime at = QDateTime::currentDateTime();
    for (int i = 1; i <= count; ++i)
        journal.added(NewItem {QStringLiteral("PC%1").arg(i), QStringLiteral("5*C/60"), 0, true}, at);
    return 0;
}
