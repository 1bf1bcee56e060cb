#include "commands/FileDialogExportAsker.h"

#include "dialogs/Prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

FileDialogExportAsker::FileDialogExportAsker(QWidget *parent) : m_parent(parent)
{ }

QString FileDialogExportAsker::CsvFileName(const QString &suggestion)
{
    QString name = QFileDialog::getSaveFileName(m_parent, QStringLiteral("导出账目"), suggestion,
                                                QStringLiteral("CSV 文件 (*.csv)"));
    if (!name.isEmpty() && !name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        name += QLatin1String(".csv");
    return name;
}

void FileDialogExportAsker::ExportFailed(const QString &path)
{
    QMessageBox::critical(m_parent, AppTitle(), QStringLiteral("无法写入导出文件:\n") + QDir::toNativeSeparators(path));
}
