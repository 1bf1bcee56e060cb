#pragma once
// A report component that only writes down the calls it receives and the lists handed to it.

#include "ReportPrinter.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <QVariantList>

class RecordingReportPrinter : public ReportPrinter {
public:
    QStringList calls;
    QVariantList firstBlock, secondBlock, headings, cells;
    const QAbstractItemModel *source = nullptr;

    static QVariantList values(const ReportList &list)
    {
        QVariantList out;
        for (int k = 1; k <= list.Count(); ++k)
            out.append(list.Item(k));
        return out;
    }

    void SetSourceList(const QAbstractItemModel *list) override
    {
        source = list;
        calls << QStringLiteral("SetSourceList");
    }
    void SetPreview(bool preview) override
    {
        calls << QStringLiteral("SetPreview(%1)").arg(preview ? "true" : "false");
    }
    void SetStyleCode(int code) override { calls << QStringLiteral("SetStyleCode(%1)").arg(code); }
    void SetListFlag(bool flag) override
    {
        calls << QStringLiteral("SetListFlag(%1)").arg(flag ? "true" : "false");
    }
    int BuildTable(int options, const ReportList &h, const ReportList &c, int widths, const QImage *picture,
                   int left, int top) override
    {
        headings = values(h);
        cells = values(c);
        calls << QStringLiteral("BuildTable(%1,%2,%3,%4,%5)")
                     .arg(options).arg(widths).arg(picture ? "picture" : "null").arg(left).arg(top);
        return 0;
    }
    int BuildListTable(int options, int widths, const QImage *picture, int left, int top) override
    {
        calls << QStringLiteral("BuildListTable(%1,%2,%3,%4,%5)")
                     .arg(options).arg(widths).arg(picture ? "picture" : "null").arg(left).arg(top);
        return 0;
    }
    void SetTitle(const QString &title) override { calls << QStringLiteral("SetTitle(%1)").arg(title); }
    void SetHeaderBlocks(const ReportList &first, const ReportList &second, int left, int top) override
    {
        firstBlock = values(first);
        secondBlock = values(second);
        calls << QStringLiteral("SetHeaderBlocks(%1,%2)").arg(left).arg(top);
    }
    void PrintReport(int copies) override { calls << QStringLiteral("PrintReport(%1)").arg(copies); }
};
