#include "report/FileDialogOutputAsker.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

FileDialogOutputAsker::FileDialogOutputAsker(QWidget *parent) : m_parent(parent)
{ }

QString FileDialogOutputAsker::PdfFileName(const QString &suggestion)
{
    QString name = QFileDialog::getSaveFileName(m_parent, QStringLiteral("将报表保存为 PDF 文件"), suggestion,
                                                QStringLiteral("PDF 文件 (*.pdf)"));
    if (!name.isEmpty() && !name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name += QLatin1String(".pdf");
    return name;
}

void FileDialogOutputAsker::ReportFailed(const QString &where)
{
    // The name the program gives itself at start, the title of its other boxes as well.
    QMessageBox::warning(m_parent, QGuiApplication::applicationDisplayName(),
                         QStringLiteral("报表未能输出到:") + where);
}
