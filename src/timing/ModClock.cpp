#include "ModClock.h"

#include "FormulaEvaluator.h"
#include "ItemJournal.h"
#include "TimeText.h"
#include "TimingOperations.h"

ModClock::ModClock() = default;
ModClock::~ModClock() = default;

FormulaEvaluator &ModClock::objCalc()
{
    if (!m_calc)
        m_calc = std::make_unique<FormulaEvaluator>();
    return *m_calc;
}

int ModClock::AddItem(const NewItem &item, const QDateTime &now)
{
    if (!cName.Add(item.name, item.name))
        return 0;
    ++lngAdded;
    ++lngItems;
    cItemFangAn.Add(item.scheme);
    cTotal.Add(item.minutes);

    const QTime t = now.time();
    const int image = item.startNow ? ItemRowModel::ImageTimed : ItemRowModel::ImageStopped;
    const int pos = lvwMain.AppendRow(item.name, image, item.startNow);
    Select(pos);
    cRunning.Add(item.startNow);
    clsSave record;
    if (item.startNow) {
        lvwMain.SetText(pos, ItemRowModel::ColLatestStart, TimeText::LongTime(t));
        record.cStart.Add(now);
    }
    lvwMain.SetText(pos, ItemRowModel::ColCount, item.startNow ? QStringLiteral("1") : QStringLiteral("0"));
    cCount.Add(item.startNow ? 1 : 0);
    lvwMain.SetText(pos, ItemRowModel::ColScheme, item.scheme);
    cSave.Add(std::move(record));
    // Minutes typed in are part of the bill from the start, and so is what the scheme charges
    // for them.
    TimingOperations::ShowMinutes(*this, pos, TimeText::RoundMinutes(item.minutes), TimeText::HourMinute(t));
    if (journal)
        journal->Added(item, now);
    return pos;
}

bool ModClock::RemoveItem(int pos)
{
    if (!lvwMain.IsValid(pos))
        return false;
    const QString name = cName.Item(pos);
    --lngItems;
    cRunning.Remove(pos);
    cSave.Remove(pos);
    cName.Remove(pos);
    cTotal.Remove(pos);
    cItemFangAn.Remove(pos);
    cCount.Remove(pos);
    lvwMain.RemoveRow(pos);
    if (journal)
        journal->Removed(name);
    return true;
}

bool ModClock::IsConsistent() const
{
    const int n = lvwMain.Count();
    return lngItems == n && cSave.Count() == n && cRunning.Count() == n && cName.Count() == n
        && cTotal.Count() == n && cItemFangAn.Count() == n && cCount.Count() == n;
}
