#include "timing/ShiftFollower.h"

#include "timing/DayLedger.h"

bool ShiftFollower::take(const LedgerEntry &e)
{
    if (e.kind == LedgerEntry::Kind::ShiftBegan) {
        m_parts.append(ShiftPart {Shift {e.name, e.end, {}}});
        return true;
    }
    if (e.kind != LedgerEntry::Kind::HandedOver)
        return false;
    ShiftPart &part = m_parts.last();
    // The hand-over line names the shift it ends, so a shift carried in from an earlier day is
    // known from here; one whose start line is missing or damaged is taken as the line says.
    if (!part.shift.sameAs(Shift {e.name, e.start, {}}))
        part.shift = Shift {e.name, e.start, {}};
    part.shift.to = e.end;
    m_parts.append(ShiftPart {});
    return true;
}
