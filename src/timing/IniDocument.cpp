#include "timing/IniDocument.h"

#include <QStringDecoder>
#include <QStringView>

namespace {

bool isComment(QStringView line)
{
    return line.startsWith(u';') || line.startsWith(u'#');
}

// A backslash escapes only a backslash or a quote; anywhere else it is part of the text.
bool isEscape(QStringView text, qsizetype i)
{
    return text[i] == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"');
}

QString decodeValue(QStringView raw)
{
    // A ";" outside quotes starts a comment, as it always has in this file.
    qsizetype end = raw.size();
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (isEscape(raw, i))
            ++i;
        else if (raw[i] == u'"')
            quoted = !quoted;
        else if (raw[i] == u';' && !quoted) {
            end = i;
            break;
        }
    }
    const QStringView text = raw.left(end).trimmed();

    QString out = QStringLiteral("");
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isEscape(text, i))
            out += text[++i];
        else if (text[i] != u'"') // quotes only protect what they enclose
            out += text[i];
    }
    // A leading "@" marks a typed value in this format; a text that begins with one has it doubled.
    if (out.startsWith(QLatin1String("@@")))
        out.remove(0, 1);
    return out;
}

QByteArray encodeValue(const QString &value)
{
    QString out;
    out.reserve(value.size() + 2);
    if (value.startsWith(u'@'))
        out += u'@';
    bool quote = false;
    for (const QChar ch : value) {
        switch (ch.unicode()) {
        case u';':
        case u',':
        case u'=':
            quote = true;
            out += ch;
            break;
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'"': out += QLatin1String("\\\""); break;
        // A line break would end the entry; it is written as the escape older versions read.
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        default: out += ch;
        }
    }
    // Reading trims unquoted blanks at the ends; quotes keep them.
    if (quote || (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace())))
        out = u'"' + out + u'"';
    return out.toUtf8();
}

// A Windows editor may save the file as UTF-16, which its byte-order mark tells; UTF-8 is ours.
QStringDecoder::Encoding textEncoding(const QByteArray &bytes)
{
    if (bytes.startsWith("\xff\xfe"))
        return QStringDecoder::Utf16LE;
    if (bytes.startsWith("\xfe\xff"))
        return QStringDecoder::Utf16BE;
    return QStringDecoder::Utf8;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray &bytes)
{
    IniDocument doc;
    QStringDecoder decoder(textEncoding(bytes));
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        doc.m_whole = false;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');

    std::optional<size_t> current; // the section being read; none until the first key or header
    bool brokenHeader = false;
    for (const QStringView rawLine : QStringView(text).split(u'\n')) {
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty() || isComment(line))
            continue;
        // No text of ours holds a NUL: it is another encoding (UTF-16 without its mark, UTF-32)
        // or not text at all, and written back it would spread through the file.
        if (line.contains(QChar(0))) {
            doc.m_whole = false;
            brokenHeader = brokenHeader || line.startsWith(u'[');
            continue;
        }
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QStringView rest = close < 0 ? QStringView() : line.mid(close + 1).trimmed();
            brokenHeader = close < 0 || !(rest.isEmpty() || isComment(rest));
            if (brokenHeader) {
                // Its keys belong to a section we cannot name: reading them into another one
                // would let them stand in for that section's own keys.
                doc.m_whole = false;
                continue;
            }
            const QString name = line.mid(1, close - 1).trimmed().toString();
            if (!doc.find(name))
                doc.m_sections.push_back({name, {}});
            current = size_t(doc.find(name) - doc.m_sections.data());
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed().toString();
        if (brokenHeader || key.isEmpty()) {
            doc.m_whole = false;
            continue;
        }
        if (!current) {
            doc.m_sections.push_back({QString(), {}});
            current = doc.m_sections.size() - 1;
        }
        QMap<QString, QString> &values = doc.m_sections[*current].values;
        if (values.contains(key))
            doc.m_whole = false; // which of the two was meant cannot be known
        values.insert(key, decodeValue(line.mid(eq + 1)));
    }
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray out;
    const auto writeSection = [&out](const Section &s) {
        if (s.values.isEmpty())
            return;
        if (!out.isEmpty())
            out += '\n';
        if (!s.name.isEmpty())
            out += '[' + s.name.toUtf8() + "]\n";
        for (auto it = s.values.cbegin(); it != s.values.cend(); ++it)
            out += it.key().toUtf8() + '=' + encodeValue(it.value()) + '\n';
    };
    // Keys outside any section must come before the first header or they would join it.
    if (const Section *top = find(QString()))
        writeSection(*top);
    for (const Section &s : m_sections) {
        if (!s.name.isEmpty())
            writeSection(s);
    }
    return out;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const Section *s = find(section);
    if (!s)
        return std::nullopt;
    const auto it = s->values.constFind(key);
    if (it == s->values.cend())
        return std::nullopt;
    return *it;
}

bool IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *s = find(section);
    if (!s) {
        m_sections.push_back({section, {}});
        s = &m_sections.back();
    }
    const auto it = s->values.constFind(key);
    if (it != s->values.cend() && *it == value)
        return false;
    s->values.insert(key, value);
    return true;
}

bool IniDocument::remove(const QString &section, const QString &key)
{
    Section *s = find(section);
    return s && s->values.remove(key) > 0;
}

IniDocument::Section *IniDocument::find(const QString &section)
{
    for (Section &s : m_sections) {
        if (s.name == section)
            return &s;
    }
    return nullptr;
}

const IniDocument::Section *IniDocument::find(const QString &section) const
{
    return const_cast<IniDocument *>(this)->find(section);
}
