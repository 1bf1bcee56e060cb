#pragma once
// The items' journal cut down to what a restore needs, for a journal that has grown long while the
// program ran.

#include <QByteArray>
#include <QDateTime>

// The journal is replayed, and only the lines that changed something are kept, each behind its own
// clock reading, in their order: a restore from them makes the very same operations with the very
// same instants and readings, so items, minutes, running sessions, limits and anchors come back as
// from the whole file. Left out are the signs of life (one at the end says when the program was
// last known alive, behind the last clock reading the file held), lines that no longer replay, and
// every line of an item that has since left the list, once its bill is in the day's ledger: such an
// item only counts among those added, and one line says how many did.
namespace JournalCompaction {

struct Compacted {
    QByteArray lines;
    int count = 0; // how many
};

// content as the journal holds it; begun and now bound its instants as a restore does.
Compacted compact(const QByteArray &content, const QDateTime &begun, const QDateTime &now);

} // namespace JournalCompaction
