#pragma once
// Asks for a file name with the platform's save dialog and tells a failure in a message box.

#include "report/SaveFileAsker.h"

#include <QPointer>
#include <QWidget>

class FileDialogSaveAsker : public SaveFileAsker {
public:
    explicit FileDialogSaveAsker(QWidget *parent = nullptr);
    QString FileName(const Kind &kind, const QString &suggestion) override;
    void Failed(const Kind &kind, const QString &where) override;

private:
    QPointer<QWidget> m_parent;
};
