#include "timing/ModClock.h"

#include "formula/FormulaEvaluator.h"
#include "timing/ClockTick.h"
#include "timing/ItemJournal.h"
#include "timing/TimeText.h"

ModClock::ModClock() = default;
ModClock::~ModClock() = default;

FormulaEvaluator &ModClock::objCalc()
{
    if (!m_calc)
        m_calc = std::make_unique<FormulaEvaluator>();
    return *m_calc;
}

int ModClock::AddItem(const NewItem &item, const Moment &now)
{
    if (lvwMain.HasName(item.name))
        return 0;
    Item added;
    added.name = item.name;
    added.scheme = item.scheme;
    added.typedIn = item.minutes;
    added.total = item.minutes;
    added.running = item.startNow;
    if (item.startNow) {
        added.record.cStart.Add(now.wall);
        added.anchor = now;
    }
    // Minutes typed in are part of the bill from the start, and so is what the scheme charges
    // for them.
    const QTime t = now.wall.time();
    added.upTo = QTime(t.hour(), t.minute());
    added.minutesShown = TimeText::RoundMinutes(item.minutes);
    added.fee = valCalc(*this, added.scheme, added.minutesShown);
    const int pos = append(std::move(added));
    if (pos != 0 && journal)
        journal->Added(item, now.wall);
    return pos;
}

int ModClock::AddItem(Item item)
{
    return append(std::move(item));
}

int ModClock::append(Item item)
{
    if (lvwMain.HasName(item.name))
        return 0;
    // The counters are up to date before any view hears of the new row.
    ++m_lngAdded;
    ++m_lngItems;
    const int pos = lvwMain.append(std::move(item));
    Select(pos);
    return pos;
}

bool ModClock::RemoveItem(int pos)
{
    if (!lvwMain.IsValid(pos))
        return false;
    const QString name = lvwMain.At(pos).name;
    --m_lngItems;
    lvwMain.remove(pos);
    if (journal)
        journal->Removed(name);
    return true;
}
