#pragma once
// The two reports: what goes into them and in which order the report component hears about it.

#include "ReportPrinter.h"

#include <functional>
#include <memory>

class ModClock;
class WallClock;

class Reports {
public:
    // Makes the component the first time a report runs; may return nullptr when it cannot.
    using PrinterFactory = std::function<std::unique_ptr<ReportPrinter>()>;

    Reports(ModClock &state, const WallClock &clock, PrinterFactory factory);
    ~Reports();
    Reports(const Reports &) = delete;
    Reports &operator=(const Reports &) = delete;

    // The current item's name, state, totals and sessions (including the one in progress).
    // bPreview: true shows it on screen, false prints it.
    void ReportItem(bool bPreview);
    // The date, the item counts and the main list as it stands.
    void ReportAll(bool bPreview);

    // The shared component, nullptr until a report has created it.
    ReportPrinter *objReport() const { return m_report.get(); }

    static QString Title();

private:
    ReportPrinter *report();

    ModClock &m_state;
    const WallClock &m_clock;
    PrinterFactory m_factory;
    std::unique_ptr<ReportPrinter> m_report;
};
