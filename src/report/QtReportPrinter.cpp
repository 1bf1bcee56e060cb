#include "QtReportPrinter.h"

#include "FileDialogOutputAsker.h"
#include "ReportLayout.h"

#include <QAction>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {
void setUpPage(QPrinter &printer, const QString &title)
{
    printer.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Vantorel"));
}

bool writePdf(const ReportContent &content, const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    setUpPage(printer, content.title);
    return ReportLayout(content).Paint(&printer);
}
} // namespace

QtReportPrinter::QtReportPrinter(QWidget *dialogParent, std::unique_ptr<ReportOutputAsker> asker,
                                 PrinterLookup defaultPrinter)
    : m_dialogParent(dialogParent), m_asker(std::move(asker)), m_defaultPrinter(std::move(defaultPrinter))
{
    if (!m_asker)
        m_asker = std::make_unique<FileDialogOutputAsker>(dialogParent);
    if (!m_defaultPrinter)
        m_defaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };
}

QtReportPrinter::~QtReportPrinter() = default;

void QtReportPrinter::arrive(Call call)
{
    if (m_pendingCalls & call)
        PresentPending();
    m_pendingCalls |= call;
    if (!m_presentQueued) {
        m_presentQueued = true;
        QMetaObject::invokeMethod(this, [this] {
            m_presentQueued = false;
            PresentPending();
        }, Qt::QueuedConnection);
    }
}

void QtReportPrinter::SetSourceList(const QAbstractItemModel *list)
{
    arrive(CallSource);
    m_source = list;
}

void QtReportPrinter::SetPreview(bool preview)
{
    arrive(CallPreview);
    m_preview = preview;
}

void QtReportPrinter::SetStyleCode(int code)
{
    arrive(CallStyle);
    m_styleCode = code;
}

void QtReportPrinter::SetListFlag(bool flag)
{
    arrive(CallListFlag);
    m_listFlag = flag;
}

int QtReportPrinter::BuildTable(int, const ReportList &headings, const ReportList &cells, int, const QImage *, int,
                                int)
{
    arrive(CallTable);
    m_tableFromList = false;
    m_content.SetTable(headings, cells, QLocale());
    return int(m_content.rows.size());
}

int QtReportPrinter::BuildListTable(int, int, const QImage *, int, int)
{
    arrive(CallTable);
    // The list is read when the report is laid out, so a source list given after this call counts.
    m_tableFromList = true;
    return m_source ? m_source->rowCount() : 0;
}

void QtReportPrinter::SetTitle(const QString &title)
{
    arrive(CallTitle);
    m_content.title = title;
}

void QtReportPrinter::SetHeaderBlocks(const ReportList &first, const ReportList &second, int, int)
{
    arrive(CallHeaders);
    const QLocale locale;
    m_content.firstBlock = ReportContent::Pairs(first, locale);
    m_content.secondBlock = ReportContent::Pairs(second, locale);
}

void QtReportPrinter::PrintReport(int copies)
{
    arrive(CallPrint);
    m_copies = qMax(1, copies);
}

ReportContent QtReportPrinter::Content() const
{
    ReportContent content = m_content;
    if (m_tableFromList) {
        content.headings.clear();
        content.rows.clear();
        if (m_source)
            content.SetTable(*m_source);
    }
    return content;
}

void QtReportPrinter::PresentPending()
{
    if (m_pendingCalls == 0)
        return;
    m_pendingCalls = 0;
    const int copies = std::exchange(m_copies, 0);
    if (copies > 0)
        print(Content(), copies);
    else if (m_preview)
        showPreview(Content());
}

bool QtReportPrinter::WritePdf(const QString &fileName) const
{
    return writePdf(Content(), fileName);
}

void QtReportPrinter::print(const ReportContent &content, int copies)
{
    const QPrinterInfo target = m_defaultPrinter();
    if (!target.isNull()) {
        QPrinter printer(target, QPrinter::HighResolution);
        printer.setCopyCount(copies);
        setUpPage(printer, content.title);
        if (ReportLayout(content).Paint(&printer))
            return;
        m_asker->ReportFailed(target.printerName());
    }
    // Without a printer the report goes to a file the operator names, rather than nowhere.
    saveAsPdf(content);
}

void QtReportPrinter::saveAsPdf(const ReportContent &content)
{
    QString suggestion = QDir::home().filePath(content.title + QLatin1String(".pdf"));
    for (;;) {
        const QString name = m_asker->PdfFileName(suggestion);
        if (name.isEmpty())
            return;
        if (writePdf(content, name))
            return;
        m_asker->ReportFailed(name);
        suggestion = name;
    }
}

void QtReportPrinter::showPreview(const ReportContent &content)
{
    auto *dialog = new QPrintPreviewDialog(m_dialogParent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(content.title + QStringLiteral(" - 打印预览"));
    setUpPage(*dialog->printer(), content.title);
    dialog->resize(860, 980);

    // The window keeps its own copy: the item it shows may be removed while it is open.
    const auto layout = std::make_shared<ReportLayout>(content);
    connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
            [layout](QPrinter *printer) { layout->Paint(printer); });
    if (auto *toolBar = dialog->findChild<QToolBar *>()) {
        toolBar->addSeparator();
        QAction *save = toolBar->addAction(QStringLiteral("保存为 PDF"));
        save->setToolTip(QStringLiteral("将报表保存为 PDF 文件"));
        connect(save, &QAction::triggered, this, [this, layout] { saveAsPdf(layout->Content()); });
    }
    dialog->show();
    Q_EMIT previewShown(dialog, layout->Content());
}
