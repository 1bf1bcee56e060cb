#pragma once
// The report component: keeps what the calls hand over and previews, prints or saves it as a PDF.

#include "ReportContent.h"
#include "ReportOutputAsker.h"
#include "ReportPrinter.h"

#include <QAbstractItemModel>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QPrinterInfo>
#include <QWidget>

#include <functional>
#include <memory>

class QPrintPreviewDialog;
class QPrinter;

// No call ends a sequence, so the report is presented once control is back in the event loop.
// A call that a pending sequence has already had starts the next report: the pending one is
// presented first, so back-to-back reports still give one preview window each.
class QtReportPrinter : public QObject, public ReportPrinter {
    Q_OBJECT
public:
    using PrinterLookup = std::function<QPrinterInfo()>;

    // Preview windows are owned by dialogParent; asker defaults to the platform's file dialog;
    // defaultPrinter defaults to the system's default printer.
    explicit QtReportPrinter(QWidget *dialogParent = nullptr, std::unique_ptr<ReportOutputAsker> asker = nullptr,
                             PrinterLookup defaultPrinter = nullptr);
    ~QtReportPrinter() override;

    void SetSourceList(const QAbstractItemModel *list) override;
    void SetPreview(bool preview) override;
    void SetStyleCode(int code) override;
    void SetListFlag(bool flag) override;
    int BuildTable(int options, const ReportList &headings, const ReportList &cells, int widths,
                   const QImage *picture, int pictureLeft, int pictureTop) override;
    int BuildListTable(int options, int widths, const QImage *picture, int pictureLeft, int pictureTop) override;
    void SetTitle(const QString &title) override;
    void SetHeaderBlocks(const ReportList &first, const ReportList &second, int left, int top) override;
    void PrintReport(int copies) override;

    bool Preview() const { return m_preview; }
    int StyleCode() const { return m_styleCode; }
    bool ListFlag() const { return m_listFlag; }

    // The report as the calls so far describe it; a list table is read from the source list now.
    ReportContent Content() const;
    // Presents a pending report at once instead of waiting for the event loop.
    void PresentPending();
    // Writes the report as it stands to a PDF file; false when the file cannot be written.
    bool WritePdf(const QString &fileName) const;

Q_SIGNALS:
    // A preview window has opened on this content.
    void previewShown(QPrintPreviewDialog *dialog, const ReportContent &content);

private:
    enum Call : unsigned {
        CallSource = 1u << 0,
        CallPreview = 1u << 1,
        CallStyle = 1u << 2,
        CallListFlag = 1u << 3,
        CallTable = 1u << 4,
        CallTitle = 1u << 5,
        CallHeaders = 1u << 6,
        CallPrint = 1u << 7,
    };
    void arrive(Call call);
    void print(const ReportContent &content, int copies);
    void saveAsPdf(const ReportContent &content);
    void showPreview(const ReportContent &content);

    QPointer<QWidget> m_dialogParent;
    std::unique_ptr<ReportOutputAsker> m_asker;
    PrinterLookup m_defaultPrinter;

    unsigned m_pendingCalls = 0;
    bool m_presentQueued = false;
    int m_copies = 0;

    QPointer<const QAbstractItemModel> m_source;
    bool m_preview = false;
    int m_styleCode = 0;
    bool m_listFlag = false;
    bool m_tableFromList = false;
    ReportContent m_content; // title, header blocks and the given table, as handed over
};
