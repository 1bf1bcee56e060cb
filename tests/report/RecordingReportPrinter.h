#pragma once
// A report component that only keeps the reports handed to it.

#include "report/ReportPrinter.h"

#include <QList>

class RecordingReportPrinter : public ReportPrinter {
public:
    QList<ReportDocument> documents; // oldest first

    const ReportDocument &last() const { return documents.last(); }

    void present(const ReportDocument &document) override { documents.append(document); }
};
