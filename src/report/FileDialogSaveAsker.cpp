#include "report/FileDialogSaveAsker.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>

FileDialogSaveAsker::FileDialogSaveAsker(QWidget *parent) : m_parent(parent)
{ }

QString FileDialogSaveAsker::fileName(const Kind &kind, const QString &suggestion)
{
    const QString dotted = u'.' + kind.suffix;
    QString name = QFileDialog::getSaveFileName(m_parent, kind.title, suggestion,
                                                QStringLiteral("%1 (*%2)").arg(kind.type, dotted));
    if (!name.isEmpty() && !name.endsWith(dotted, Qt::CaseInsensitive))
        name += dotted;
    return name;
}

void FileDialogSaveAsker::saveFailed(const Kind &kind, const QString &where)
{
    // The name the program gives itself at start, the title of its other boxes as well.
    QMessageBox box(kind.icon, QGuiApplication::applicationDisplayName(),
                    kind.failure + QDir::toNativeSeparators(where), QMessageBox::Ok, m_parent);
    box.exec();
}
