#pragma once
// The settings file as text: sections of keys with text values, read and written by our own rules.

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>
#include <vector>

// The form is the one the program has always written: "[SET]", then "key=value" lines with the
// keys in sorted order. A value is written with "\\" for a backslash and "\"" for a quote, and in
// quotes when blanks at its ends, ";", "," or "=" would otherwise be misread. Reading takes "\\"
// as one backslash and "\"" as a quote; any other backslash is an ordinary character, so that a
// formula written by hand ("C\60+1", an integer division) reads as written.
class IniDocument {
public:
    struct Section {
        QString name; // empty for keys written before the first section
        QMap<QString, QString> values;
    };

    // Reads UTF-8 text, or UTF-16 that starts with its byte-order mark. A line that cannot be
    // understood (no "=", a section name without its closing bracket, a key given twice, a NUL,
    // text that is not in that encoding) is left out and makes whole() false; everything else is
    // kept, so one broken line does not cost the rest.
    static IniDocument parse(const QByteArray &bytes);
    // The whole text: sections in the order they were read or added, keys sorted.
    QByteArray toBytes() const;

    bool whole() const { return m_whole; }
    const std::vector<Section> &sections() const { return m_sections; }

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Both return true when the document changed.
    bool setValue(const QString &section, const QString &key, const QString &value);
    bool remove(const QString &section, const QString &key);

private:
    Section *find(const QString &section);
    const Section *find(const QString &section) const;

    std::vector<Section> m_sections;
    bool m_whole = true;
};
