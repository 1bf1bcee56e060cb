#pragma once
// What an export asks the operator: where to write, and that writing failed.

#include <QString>

class ExportFileAsker {
public:
    virtual ~ExportFileAsker() = default;
    // The CSV file to write; an empty text when the operator cancels.
    virtual QString CsvFileName(const QString &suggestion) = 0;
    // Tells the operator that nothing was written to path.
    virtual void ExportFailed(const QString &path) = 0;
};
