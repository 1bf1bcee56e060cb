#include "ReportContent.h"

#include "TimeText.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QDateTime>
#include <QTime>

namespace {
bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString;
}

bool looksNumeric(const QString &text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

// "计时次数:3" splits into "计时次数:" and "3"; a text ending in its colon does not split.
int splitColon(const QString &text)
{
    const int colon = text.indexOf(u':');
    return colon > 0 && colon < text.size() - 1 ? colon : -1;
}
} // namespace

bool ReportContent::IsNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QString ReportContent::DisplayText(const QVariant &value, const QLocale &locale)
{
    if (IsNumber(value))
        return TimeText::GeneralNumber(value.toDouble());
    switch (value.typeId()) {
    case QMetaType::QTime:
        return value.toTime().isValid() ? TimeText::LongTime(value.toTime(), locale) : QString();
    case QMetaType::QDate:
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QDateTime:
        return TimeText::GeneralDateTime(value.toDateTime(), locale);
    default:
        return value.toString();
    }
}

QList<ReportContent::Pair> ReportContent::Pairs(const ReportList &block, const QLocale &locale)
{
    QList<Pair> pairs;
    const int n = block.Count();
    for (int k = 1; k <= n; ++k) {
        const QVariant &entry = block.Item(k);
        if (!isText(entry)) {
            pairs.append({QString(), DisplayText(entry, locale)});
            continue;
        }
        const QString text = entry.toString();
        const bool labelled = text.endsWith(u':') || (k < n && !isText(block.Item(k + 1)));
        if (k < n && labelled) {
            pairs.append({text, DisplayText(block.Item(k + 1), locale)});
            ++k;
        } else if (const int colon = splitColon(text); colon > 0) {
            pairs.append({text.left(colon + 1), text.mid(colon + 1)});
        } else {
            pairs.append({QString(), text});
        }
    }
    return pairs;
}

void ReportContent::SetTable(const ReportList &headingList, const ReportList &cells, const QLocale &locale)
{
    headings.clear();
    rows.clear();
    for (int k = 1; k <= headingList.Count(); ++k)
        headings.append(DisplayText(headingList.Item(k), locale));
    const int perRow = qMax(1, int(headings.size()));
    for (int k = 1; k <= cells.Count(); ++k) {
        if ((k - 1) % perRow == 0)
            rows.append(Row());
        const QVariant &v = cells.Item(k);
        rows.last().append({DisplayText(v, locale), IsNumber(v)});
    }
    if (!rows.isEmpty())
        rows.last().resize(perRow);
}

void ReportContent::SetTable(const QAbstractItemModel &model)
{
    headings.clear();
    rows.clear();
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c)
        headings.append(model.headerData(c, Qt::Horizontal).toString());
    const int count = model.rowCount();
    rows.reserve(count);
    for (int r = 0; r < count; ++r) {
        Row row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const QString text = model.data(model.index(r, c)).toString();
            row.append({text, looksNumeric(text)});
        }
        rows.append(row);
    }
}
