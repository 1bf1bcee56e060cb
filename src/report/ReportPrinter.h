#pragma once
// The report component as the program sees it: a report goes in as one value, layout and output stay inside.

#include "report/ReportDocument.h"

class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    // Shows the report on screen or prints it, as the document says. The component keeps its own
    // copy and may present it once the caller is done.
    virtual void present(const ReportDocument &document) = 0;
};
