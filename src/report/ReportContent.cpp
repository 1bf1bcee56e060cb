#include "report/ReportContent.h"

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

// The form the main list writes numbers in, so a report reads like the list: at most 15
// significant digits, no grouping, always '.', an upper-case exponent, and -0 as 0.
QString generalNumber(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15).replace(u'e', u'E');
}

// The locale's long time of day without the time-zone name its long format carries.
QString longTime(const QTime &t, const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString withoutZone;
    bool quoted = false;
    for (const QChar ch : format) {
        if (ch == u'\'')
            quoted = !quoted;
        if (!quoted && ch == u't')
            continue;
        withoutZone += ch;
    }
    return locale.toString(t, withoutZone.simplified());
}

// "计时次数:3" splits into "计时次数:" and "3"; a text ending in its colon does not split.
int splitColon(const QString &text)
{
    const int colon = text.indexOf(u':');
    return colon > 0 && colon < text.size() - 1 ? colon : -1;
}
} // namespace

bool ReportContent::isNumber(const QVariant &value)
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
    case QMetaType::Float: return true;
    default: return false;
    }
}

QString ReportContent::displayText(const QVariant &value, const QLocale &locale)
{
    if (isNumber(value))
        return generalNumber(value.toDouble());
    switch (value.typeId()) {
    case QMetaType::QTime: return value.toTime().isValid() ? longTime(value.toTime(), locale) : QString();
    case QMetaType::QDate: return locale.toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return locale.toString(dt.date(), QLocale::ShortFormat) + u' ' + longTime(dt.time(), locale);
    }
    default: return value.toString();
    }
}

ReportContent ReportContent::from(const ReportDocument &document, const QLocale &locale)
{
    ReportContent content;
    content.title = document.title;
    content.fileName = document.fileName.isEmpty() ? document.title : document.fileName;
    content.firstBlock = pairs(document.firstBlock, locale);
    content.secondBlock = pairs(document.secondBlock, locale);
    content.issuer = document.issuer;
    content.rollWidth = document.rollWidth;
    content.rowsAsLines = document.rowsAsLines;
    // A page has two blocks side by side, and the receipt's lines belong with the item's name.
    if (document.rollWidth > 0)
        content.thirdBlock = pairs(document.thirdBlock, locale);
    else
        content.firstBlock += pairs(document.thirdBlock, locale);
    content.setTable(document.headings, document.cells, locale);
    content.chart = document.chart;
    return content;
}

QList<ReportContent::Pair> ReportContent::pairs(const QVariantList &block, const QLocale &locale)
{
    QList<Pair> pairs;
    const int n = int(block.size());
    for (int k = 0; k < n; ++k) {
        const QVariant &entry = block[k];
        if (!isText(entry)) {
            pairs.append({QString(), displayText(entry, locale)});
            continue;
        }
        const QString text = entry.toString();
        const bool labelled = text.endsWith(u':') || (k + 1 < n && !isText(block[k + 1]));
        if (k + 1 < n && labelled) {
            pairs.append({text, displayText(block[k + 1], locale)});
            ++k;
        } else if (const int colon = splitColon(text); colon > 0) {
            pairs.append({text.left(colon + 1), text.mid(colon + 1)});
        } else {
            pairs.append({QString(), text});
        }
    }
    return pairs;
}

void ReportContent::setTable(const QVariantList &headingList, const QVariantList &cells, const QLocale &locale)
{
    headings.clear();
    rows.clear();
    for (const QVariant &heading : headingList)
        headings.append(displayText(heading, locale));
    const int perRow = qMax(1, int(headings.size()));
    rows.reserve(cells.size() / perRow + 1);
    for (qsizetype k = 0; k < cells.size(); ++k) {
        if (k % perRow == 0) {
            rows.append(Row());
            rows.last().reserve(perRow);
        }
        const QVariant &v = cells[k];
        // A list report's cells are the list's texts; its numbers still line up on the right.
        rows.last().append({displayText(v, locale), isNumber(v) || (isText(v) && looksNumeric(v.toString()))});
    }
    if (!rows.isEmpty())
        rows.last().resize(perRow);
}
