#pragma once
// Day ledgers as a busy café writes them, for measuring and for trying the history window on a
// month or a year of takings without living through it.

#include <QDate>
#include <QString>

// Thirty machines, sessionsPerDay sessions a day spread over them between 08:00 and midnight, each
// machine leaving the list at closing time with the minutes of its sessions at 5 an hour. The same
// arguments always write the same files.
void writeLedgers(const QString &folder, const QDate &first, int days, int sessionsPerDay);

// A café as it is run: seats customers sit down at one after the other between 08:00 and
// midnight, sessionsPerDay a day, and every customer is billed when leaving (a session line and
// the bill's line, at 5 an hour plus 1 to sit down). The same arguments always write the same files.
void writeCafeLedgers(const QString &folder, const QDate &first, int days, int seats, int sessionsPerDay);
