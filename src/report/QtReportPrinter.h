#pragma once
// The report component: keeps the report handed over and previews, prints or saves it as a PDF.

#include "report/ExportFolder.h"
#include "report/ReportContent.h"
#include "report/ReportPrinter.h"
#include "report/SaveFileAsker.h"

#include <QObject>
#include <QPointer>
#include <QPrinterInfo>
#include <QWidget>

#include <functional>
#include <memory>

class QPrintPreviewDialog;
class QPrinter;

// A report is presented once control is back in the event loop, after the command that asked for
// it has done its work. A report handed over while another still waits presents the waiting one
// first, so back-to-back reports still give one preview window each.
class QtReportPrinter : public QObject, public ReportPrinter {
    Q_OBJECT
public:
    using PrinterLookup = std::function<QPrinterInfo()>;

    // Preview windows are owned by dialogParent; asker defaults to the platform's file dialog;
    // defaultPrinter defaults to the system's default printer; folder, where a PDF is first offered,
    // to one kept for this component alone.
    explicit QtReportPrinter(QWidget *dialogParent = nullptr, std::unique_ptr<SaveFileAsker> asker = nullptr,
                             PrinterLookup defaultPrinter = nullptr, std::shared_ptr<ExportFolder> folder = nullptr);
    ~QtReportPrinter() override;

    void present(const ReportDocument &document) override;

    // The settings the reports so far have left: the last report's preview flag and style code;
    // the list flag stays once a list report has set it.
    bool preview() const { return m_preview; }
    int styleCode() const { return m_styleCode; }
    bool listFlag() const { return m_listFlag; }

    // The last report handed over, as it is laid out.
    ReportContent content() const;
    // Presents a waiting report at once instead of waiting for the event loop.
    void presentPending();
    // Writes the last report to a PDF file; false when the file cannot be written.
    bool writePdfFile(const QString &fileName) const;

Q_SIGNALS:
    // A preview window has opened on this content.
    void previewShown(QPrintPreviewDialog *dialog, const ReportContent &content);

private:
    void print(const ReportContent &content, int copies);
    void saveAsPdf(const ReportContent &content);
    void showPreview(const ReportContent &content);

    QPointer<QWidget> m_dialogParent;
    std::unique_ptr<SaveFileAsker> m_asker;
    std::shared_ptr<ExportFolder> m_folder;
    PrinterLookup m_defaultPrinter;

    bool m_pending = false;
    bool m_presentQueued = false;

    bool m_preview = false;
    int m_styleCode = 0;
    bool m_listFlag = false;
    ReportDocument m_document; // the last report handed over
};
