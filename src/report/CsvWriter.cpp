#include "report/CsvWriter.h"

CsvWriter::CsvWriter() : m_bytes("\xEF\xBB\xBF")
{ }

QString CsvWriter::quotedField(const QString &text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(u'"', QLatin1String("\"\""));
    return u'"' + doubled + u'"';
}

QString CsvWriter::inert(const QString &text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front()) ? u'\'' + text : text;
}

void CsvWriter::addRow(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted << quotedField(field);
    m_bytes += quoted.join(u',').toUtf8() + "\r\n";
}
