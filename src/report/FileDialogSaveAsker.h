#pragma once
// Asks for a file name with the platform's save dialog and tells a failure in a message box.

#include "report/SaveFileAsker.h"

#include <QPointer>
#include <QWidget>

class FileDialogSaveAsker : public SaveFileAsker {
public:
    explicit FileDialogSaveAsker(QWidget *parent = nullptr);
    QString fileName(const Kind &kind, const QString &suggestion) override;
    void saveFailed(const Kind &kind, const QString &where) override;

private:
    QPointer<QWidget> m_parent;
};
