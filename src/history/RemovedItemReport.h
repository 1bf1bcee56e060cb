#pragma once
// The report of an item that is no longer on the list, built from what the history kept of it.

#include "commands/TimingReports.h"

struct RemovedItem;
class WallClock;

// Has its own report component, so a preview of a removed item stays open beside the main list's.
class RemovedItemReport {
public:
    RemovedItemReport(const WallClock &clock, TimingReports::PrinterFactory factory);

    // The report of item, shown as ended: a removed item is no longer timed.
    void show(const RemovedItem &removed, bool bPreview);
    // The settings its bills follow; the defaults until given.
    void setReceipt(std::shared_ptr<const ReceiptSettings> receipt) { m_receipt = std::move(receipt); }

private:
    const WallClock &m_clock;
    TimingReports::PrinterFactory m_factory;
    std::unique_ptr<ReportPrinter> m_report;
    std::shared_ptr<const ReceiptSettings> m_receipt = std::make_shared<ReceiptSettings>();
};
