#pragma once
// What the report component asks the operator when a report has no printer to go to.

#include <QString>

class ReportOutputAsker {
public:
    virtual ~ReportOutputAsker() = default;
    // The PDF file to write the report to instead; an empty text when the operator cancels.
    virtual QString PdfFileName(const QString &suggestion) = 0;
    // Tells the operator that the report could not be written to this printer or file.
    virtual void ReportFailed(const QString &where) = 0;
};
