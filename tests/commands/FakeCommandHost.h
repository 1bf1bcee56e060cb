#pragma once
// A main window for command tests: the real timing operations on the shared state, and a record of
// everything the commands asked the window to show or open.

#include "CommandHost.h"
#include "ModClock.h"
#include "TimingOperations.h"
#include "ViewSettings.h"
#include "WallClock.h"

#include <QMap>
#include <QStringList>

class FakeCommandHost : public CommandHost {
public:
    FakeCommandHost(ModClock &state, const WallClock &clock) : m_state(state), m_clock(clock)
    {
        // The states a freshly opened window has.
        for (int pos = 2; pos <= 20; pos += 2)
            buttons[pos] = pos != 4;
        for (const char *id : {"S1", "S2", "V1", "P1"})
            entries[QString::fromLatin1(id)] = false;
    }

    void StartTimer() override { TimingOperations::StartTimer(m_state, m_clock.now()); }
    void EndTimer() override { TimingOperations::EndTimer(m_state, m_clock.now()); }
    void SetTimer() override
    {
        if (TimingOperations::SetTimer(m_state, clock, m_clock.now())) {
            entries[QStringLiteral("S1")] = !clock;
            entries[QStringLiteral("S2")] = clock;
        }
    }
    bool ClockEnabled() const override { return clock; }
    void SetClockEnabled(bool enabled) override { clock = enabled; }

    void SetButtonCaption(int pos, const QString &caption) override { captions[pos] = caption; }
    void SetButtonToolTip(int pos, const QString &tip) override { tooltips[pos] = tip; }
    bool ButtonEnabled(int pos) const override { return buttons.value(pos, true); }
    void SetButtonEnabled(int pos, bool enabled) override { buttons[pos] = enabled; }
    void SetEntryEnabled(const QString &id, bool enabled) override { entries[id] = enabled; }
    bool EntryEnabled(const QString &id) const { return entries.value(id, true); }

    void SetCaption(const QString &text) override { caption = text; }
    void SetPanelText(int panel, const QString &text) override { panels[panel] = text; }
    void SetListToolTip(const QString &tip) override { listToolTip = tip; }
    void ItemClick(int pos) override
    {
        const TimingOperations::ClickResult r = TimingOperations::ItemClick(m_state, pos);
        if (!r.valid)
            return;
        entries[QStringLiteral("S1")] = r.startEntryEnabled;
        entries[QStringLiteral("S2")] = r.endEntryEnabled;
        entries[QStringLiteral("V1")] = true;
        entries[QStringLiteral("P1")] = true;
        buttons[4] = true;
        listToolTip = r.tooltip;
    }
    void RevealRow(int pos) override { revealed << pos; }
    void SetListView(int view) override
    {
        listView = view;
        calls << QStringLiteral("SetListView(%1)").arg(view);
    }
    void doResize() override { calls << QStringLiteral("doResize"); }
    ViewSettings &viewSettings() override { return settings; }

    void ShowNewItemsDialog() override { calls << QStringLiteral("ShowNewItemsDialog"); }
    void ShowSchemeDialog() override { calls << QStringLiteral("ShowSchemeDialog"); }
    void ShowHelp() override { calls << QStringLiteral("ShowHelp"); }
    void ShowAbout() override { calls << QStringLiteral("ShowAbout"); }
    void ShowHistory() override { calls << QStringLiteral("ShowHistory"); }

    bool clock = false;
    QMap<int, QString> captions;
    QMap<int, QString> tooltips;
    QMap<int, bool> buttons;
    QMap<QString, bool> entries;
    QString caption = QStringLiteral("Vantorel");
    QMap<int, QString> panels;
    QString listToolTip;
    QList<int> revealed;
    int listView = -1;
    ViewSettings settings;
    QStringList calls; // windows opened, views set and redraws, in order

private:
    ModClock &m_state;
    const WallClock &m_clock;
};
