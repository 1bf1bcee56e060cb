#include "report/QtReportPrinter.h"

#include "report/FileDialogSaveAsker.h"
#include "report/ReportLayout.h"
#include "report/RollLayout.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>

namespace {
// A report that has no printer to go to, or that its printer refused, is saved as PDF instead.
const SaveFileAsker::Kind kPdf {QStringLiteral("将报表保存为 PDF 文件"), QStringLiteral("PDF 文件"),
                                QStringLiteral("pdf"), QStringLiteral("报表未能输出到:"), QMessageBox::Warning};
const QMarginsF kMargins(15, 15, 15, 12);
const QString kCreator = QStringLiteral("Vantorel");

void setUpPage(QPrinter &printer, const QString &title)
{
    printer.setPageMargins(kMargins, QPageLayout::Millimeter);
    printer.setDocName(title);
    printer.setCreator(kCreator);
}

// A report for a roll sizes the page to itself; a page report goes on the page the device has.
bool paintReport(const ReportContent &content, QPagedPaintDevice *device)
{
    if (content.rollWidth > 0)
        return RollLayout(content).paint(device);
    return ReportLayout(content).paint(device);
}

// A whole A4 page at a readable size where the screen has room; on a smaller screen the window
// takes what there is, leaving room for its title bar, and the page is scaled down to fit.
void fitToScreen(QPrintPreviewDialog &dialog, const QWidget *owner)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QSize wanted(860, 980);
    if (!screen) {
        dialog.resize(wanted);
        return;
    }
    const QRect area = screen->availableGeometry();
    constexpr int kFrameAllowance = 40; // the window manager's title bar and borders
    const QSize size = wanted.boundedTo(area.size() - QSize(kFrameAllowance, kFrameAllowance));
    dialog.resize(size);
    dialog.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + qMax(0, (area.height() - size.height() - kFrameAllowance) / 2));
    // Through the window's own "fit page" button, so that the button shows the choice.
    if (auto *fitPage = dialog.findChild<QAction *>(QStringLiteral("fitPageAction")))
        fitPage->trigger();
    else if (auto *preview = dialog.findChild<QPrintPreviewWidget *>())
        preview->setZoomMode(QPrintPreviewWidget::FitInView);
}

// An item's name may hold what no file name can (a slash, or on Windows a colon or a quote).
QString safeFileName(QString name)
{
    static const QString kForbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar &ch : name) {
        if (ch.unicode() < 0x20 || kForbidden.contains(ch))
            ch = u'_';
    }
    name = name.trimmed();
    // "." and ".." name folders, and Windows drops a trailing dot.
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("报表") : name;
}

// The PDF is made in memory and reaches its file whole or not at all: the PDF engine does not
// check its own writes, so a full disk would leave a cut-off file that looks like a report.
bool writePdf(const ReportContent &content, const QString &fileName)
{
    // Writing over a device or a pipe in place of a report would be worse than not writing.
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile())
        return false;
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setResolution(1200); // as the printer's high resolution, so paper and file agree
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(kMargins, QPageLayout::Millimeter);
        pdf.setTitle(content.title);
        pdf.setCreator(kCreator);
        if (!paintReport(content, &pdf))
            return false;
    }
    // Written beside the target and renamed over it only once every byte is on the disk.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data()) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
} // namespace

QtReportPrinter::QtReportPrinter(QWidget *dialogParent, std::unique_ptr<SaveFileAsker> asker,
                                 PrinterLookup defaultPrinter, std::shared_ptr<ExportFolder> folder)
    : m_dialogParent(dialogParent), m_asker(std::move(asker)), m_folder(std::move(folder)),
      m_defaultPrinter(std::move(defaultPrinter))
{
    if (!m_folder)
        m_folder = std::make_shared<ExportFolder>();
    if (!m_asker)
        m_asker = std::make_unique<FileDialogSaveAsker>(dialogParent);
    if (!m_defaultPrinter)
        m_defaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };
}

QtReportPrinter::~QtReportPrinter() = default;

void QtReportPrinter::present(const ReportDocument &document)
{
    presentPending();
    m_document = document;
    m_preview = document.preview;
    m_styleCode = document.styleCode;
    // Nothing the program hands over clears the list flag once it is set.
    m_listFlag = m_listFlag || document.listFlag;
    m_pending = true;
    if (!m_presentQueued) {
        m_presentQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_presentQueued = false;
                presentPending();
            },
            Qt::QueuedConnection);
    }
}

ReportContent QtReportPrinter::content() const
{
    return ReportContent::from(m_document);
}

void QtReportPrinter::presentPending()
{
    if (!std::exchange(m_pending, false))
        return;
    if (m_document.preview)
        showPreview(content());
    else
        print(content(), qMax(1, m_document.copies));
}

bool QtReportPrinter::writePdfFile(const QString &fileName) const
{
    return writePdf(content(), fileName);
}

void QtReportPrinter::print(const ReportContent &content, int copies)
{
    const QPrinterInfo target = m_defaultPrinter();
    if (!target.isNull()) {
        QPrinter printer(target, QPrinter::HighResolution);
        printer.setCopyCount(copies);
        setUpPage(printer, content.title);
        if (paintReport(content, &printer))
            return;
        m_asker->saveFailed(kPdf, target.printerName());
    }
    // Without a printer the report goes to a file the operator names, rather than nowhere.
    saveAsPdf(content);
}

void QtReportPrinter::saveAsPdf(const ReportContent &content)
{
    // The file dialog belongs to the main window, which it would leave active: the operator goes
    // on where the report was asked for (a preview, the history window).
    const QPointer<QWidget> asking = QApplication::activeWindow();
    const auto goBack = qScopeGuard([asking] {
        if (asking) {
            asking->raise();
            asking->activateWindow();
        }
    });
    QString suggestion = m_folder->suggest(safeFileName(content.fileName) + QLatin1String(".pdf"));
    for (;;) {
        const QString name = m_asker->fileName(kPdf, suggestion);
        if (name.isEmpty())
            return;
        if (writePdf(content, name)) {
            m_folder->remember(name);
            return;
        }
        m_asker->saveFailed(kPdf, name);
        suggestion = name; // the folder the operator chose, not the one remembered
    }
}

void QtReportPrinter::showPreview(const ReportContent &content)
{
    auto *dialog = new QPrintPreviewDialog(m_dialogParent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(content.title + QStringLiteral(" - 打印预览"));
    setUpPage(*dialog->printer(), content.title);
    fitToScreen(*dialog, m_dialogParent);

    // The window keeps its own copy: the item it shows may be removed while it is open.
    const auto shown = std::make_shared<const ReportContent>(content);
    connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
            [shown](QPrinter *printer) { paintReport(*shown, printer); });
    if (auto *toolBar = dialog->findChild<QToolBar *>()) {
        toolBar->addSeparator();
        QAction *save = toolBar->addAction(QStringLiteral("保存为 PDF"));
        save->setToolTip(QStringLiteral("将报表保存为 PDF 文件"));
        connect(save, &QAction::triggered, this, [this, shown] { saveAsPdf(*shown); });
    }
    // Esc closes it as it does any box, also while the page field has the focus; and it comes to
    // the front, over the history window it may have been asked from.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), dialog);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, dialog, &QWidget::close);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    Q_EMIT previewShown(dialog, *shown);
}
