#pragma once
// Asks for a CSV file name with the platform's save dialog and tells a failed export in a box.

#include "commands/ExportFileAsker.h"

#include <QPointer>
#include <QWidget>

class FileDialogExportAsker : public ExportFileAsker {
public:
    explicit FileDialogExportAsker(QWidget *parent = nullptr);
    QString CsvFileName(const QString &suggestion) override;
    void ExportFailed(const QString &path) override;

private:
    QPointer<QWidget> m_parent;
};
