#pragma once
// The shared state, a fake window, scripted answers and a recording report component, wired to
// the commands as the main window wires the real ones.

#include "FakeCommandHost.h"
#include "FakeWallClock.h"
#include "HistoryLog.h"
#include "ModClock.h"
#include "RecordingReportPrinter.h"
#include "Reports.h"
#include "ScriptedPrompter.h"
#include "ToolbarCommands.h"

#include <memory>

struct CommandFixture {
    ModClock state;
    FakeWallClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0))};
    ScriptedPrompter prompter;
    FakeCommandHost host{state, clock};
    RecordingReportPrinter *printer = nullptr; // made by the first report, owned by reports
    Reports reports{state, clock, [this] {
                        auto p = std::make_unique<RecordingReportPrinter>();
                        printer = p.get();
                        return std::unique_ptr<ReportPrinter>(std::move(p));
                    }};
    HistoryLog history;
    ToolbarCommands commands{state, host, prompter, clock, reports, history};

    int add(const QString &name, bool startNow, const QString &scheme = QStringLiteral("5*C/60"))
    {
        return state.AddItem(NewItem{name, scheme, 0, startNow}, clock.now());
    }
    QStringList names() const
    {
        QStringList out;
        for (int pos = 1; pos <= state.lvwMain.Count(); ++pos)
            out << state.lvwMain.Text(pos, ItemRowModel::ColName);
        return out;
    }
};
