#pragma once
// The real main window (offscreen) and the real commands on the shared state, with a fake clock,
// scripted answers and a recording report component. The windows the commands open lie outside
// and are only recorded.

#include "FakeWallClock.h"
#include "MemorySettingsStore.h"
#include "RecordingReportPrinter.h"
#include "ScriptedPrompter.h"
#include "app/ItemListView.h"
#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "app/ToolbarButton.h"
#include "app/fClock.h"
#include "commands/CommandActions.h"
#include "commands/CurrentItem.h"
#include "commands/HistoryLog.h"
#include "commands/TimingReports.h"
#include "commands/ToolbarCommands.h"
#include "timing/ModClock.h"
#include "timing/TimingClock.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTreeView>

#include <memory>

struct CommandFixture {
    ModClock state;
    FakeWallClock clock {QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0))};
    ScriptedPrompter prompter;
    MemorySettingsStore store;
    TimingClock timing {clock, state};
    fClock window {state, store, prompter, timing};
    QStringList opened; // the windows the commands opened, in order
    RecordingReportPrinter *printer = nullptr; // made by the first report, owned by reports
    TimingReports reports {state, clock, [this] {
                               auto p = std::make_unique<RecordingReportPrinter>();
                               printer = p.get();
                               return std::unique_ptr<ReportPrinter>(std::move(p));
                           }};
    HistoryLog history;
    CurrentItem current {state.lvwMain};
    ToolbarCommands commands {state, current, window, *window.actions(), prompter, clock, reports, history};

    CommandFixture()
    {
        const auto record = [this](void (ToolbarCommands::*request)(), const char *what) {
            QObject::connect(&commands, request, [this, what] { opened << QString::fromLatin1(what); });
        };
        record(&ToolbarCommands::newItemsRequested, "new items");
        record(&ToolbarCommands::schemeRequested, "scheme");
        record(&ToolbarCommands::helpRequested, "help");
        record(&ToolbarCommands::aboutRequested, "about");
        record(&ToolbarCommands::historyRequested, "history");
        record(&ToolbarCommands::handOverRequested, "hand-over");
        window.setCommands(commands);
    }

    int add(const QString &name, bool startNow, const QString &scheme = QStringLiteral("5*C/60"), double minutes = 0)
    {
        return state.add(NewItem {name, scheme, minutes, startNow}, clock.now());
    }
    QStringList names() const
    {
        QStringList out;
        for (int pos = 1; pos <= state.lngItems; ++pos)
            out << state.cName.value(pos);
        return out;
    }

    // What the window shows.
    ToolbarButton *button(Button b) const { return window.Tbar()->button(b); }
    bool enabled(Button b) const { return button(b)->isEnabled(); }
    bool enabled(Entry e) const { return window.Tbar()->entry(e)->isEnabled(); }
    QString panel(int n) const { return window.Sbar()->panelText(n); }
    QString listToolTip() const { return window.Lvw()->listToolTip(); }
    // The row the list shows selected, 0 when none.
    int selectedRow() const
    {
        const QModelIndexList rows = window.Lvw()->reportView()->selectionModel()->selectedRows();
        return rows.isEmpty() ? 0 : rows.first().row() + 1;
    }
    // Changes whenever the window lays the list out and draws its frame anew.
    qint64 frameKey() const { return window.surface().cacheKey(); }
};
