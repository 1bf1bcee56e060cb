#pragma once
// Asks for a PDF file name with the platform's save dialog and reports failures in a message box.

#include "report/ReportOutputAsker.h"

#include <QPointer>
#include <QWidget>

class FileDialogOutputAsker : public ReportOutputAsker {
public:
    explicit FileDialogOutputAsker(QWidget *parent = nullptr);
    QString PdfFileName(const QString &suggestion) override;
    void ReportFailed(const QString &where) override;

private:
    QPointer<QWidget> m_parent;
};
