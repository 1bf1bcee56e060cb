#pragma once
// Lays a report out on pages: title, header blocks, the table with its headings on every page, page numbers.

#include "ReportContent.h"

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

class ReportLayout {
public:
    explicit ReportLayout(ReportContent content);
    ~ReportLayout();

    const ReportContent &Content() const { return m_content; }

    // Paints every page onto a printer or PDF writer; false when the device cannot be painted on.
    bool Paint(QPagedPaintDevice *device) const;
    // The number of pages the report takes on this device.
    int PageCount(QPagedPaintDevice *device) const;

    // "第 1 页 / 共 3 页"
    static QString PageFooter(int page, int pages);

private:
    struct Pages;
    Pages layOut(QPagedPaintDevice *device) const;

    ReportContent m_content;
};
