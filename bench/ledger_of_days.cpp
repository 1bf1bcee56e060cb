// Not a benchmark: writes generated day ledgers into a folder, so that the history window's period
// view can be tried on a month of takings (scripts/screenshots.sh, a check by hand).
#include "GeneratedLedgers.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDate first = QDate::fromString(args.value(2), Qt::ISODate);
    bool ok = false;
    const int days = args.value(3).toInt(&ok);
    const int sessions = args.size() > 4 ? args[4].toInt() : 300;
    // "cafe": 20 seats and a bill for every customer, rather than 30 machines billed at closing.
    const bool cafe = args.value(5) == QLatin1String("cafe");
    if (args.size() < 4 || !first.isValid() || !ok || days < 1 || sessions < 1
        || (args.size() > 5 && !cafe)) {
        std::fprintf(stderr, "usage: ledger_of_days <ledger folder> <first day yyyy-MM-dd> <days> "
                             "[sessions a day] [cafe]\n");
        return 1;
    }
    if (cafe)
        writeCafeLedgers(args[1], first, days, 20, sessions);
    else
        writeLedgers(args[1], first, days, sessions);
    return 0;
}
