#pragma once
// The main list's two reports: what goes into them, built from the timing state at the clock's "now", and
// handed to the report component.

#include "report/ReportPrinter.h"
#include "timing/Moment.h"
#include "timing/ItemChange.h"
#include "timing/ReceiptSettings.h"

#include <functional>
#include <memory>
#include <optional>

class ModClock;
class WallClock;
struct Item;

class TimingReports {
public:
    // Makes the component the first time a report runs; may return nullptr when it cannot.
    using PrinterFactory = std::function<std::unique_ptr<ReportPrinter>()>;

    TimingReports(ModClock &state, const WallClock &clock, PrinterFactory factory);
    ~TimingReports();
    TimingReports(const TimingReports &) = delete;
    TimingReports &operator=(const TimingReports &) = delete;

    // The item's name, state, totals and sessions (including the one in progress).
    // bPreview: true shows it on screen, false prints it.
    // paid: what the customer handed over, when the operator was asked; the bill then shows the change.
    void ReportItem(const Item &item, bool bPreview, std::optional<double> paid = std::nullopt);
    // The date, the item counts and the main list as it stands.
    void ReportAll(bool bPreview);

    // The shared component, nullptr until a report has created it.
    ReportPrinter *objReport() const { return m_report.get(); }

    // The receipt settings the reports follow; the defaults until the program gives its own, which
    // it may change while the reports live.
    void setReceipt(std::shared_ptr<const ReceiptSettings> receipt) { m_receipt = std::move(receipt); }
    const ReceiptSettings &receipt() const { return *m_receipt; }

    // The list report's title.
    static QString title();
    // An item's bill's title.
    static QString billTitle();
    // The item's report at now, with its bill as it stands then, laid out as receipt says.
    static ReportDocument itemDocument(const Item &item, const ItemBill &bill, const Moment &now, bool bPreview,
                                       const ReceiptSettings &receipt = {}, std::optional<double> paid = std::nullopt);
    // What a report's file is called: what it is of (an item's name, 全部) and when.
    static QString fileName(const QString &what, const QDateTime &at);
    // The settings every report gives the component.
    static ReportDocument document(bool bPreview);

private:
    ReportPrinter *report();

    ModClock &m_state;
    const WallClock &m_clock;
    PrinterFactory m_factory;
    std::unique_ptr<ReportPrinter> m_report;
    std::shared_ptr<const ReceiptSettings> m_receipt = std::make_shared<ReceiptSettings>();
};
