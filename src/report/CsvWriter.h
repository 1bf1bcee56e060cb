#pragma once
// Rows of text as a CSV file that spreadsheet programs open as they are, Chinese included.

#include <QByteArray>
#include <QStringList>

#include <utility>

// UTF-8 behind a byte order mark (without it spreadsheet programs take the bytes for the system's
// code page), lines ended by CR LF, and a field quoted when it holds a comma, a quote or a line
// break, its quotes doubled.
class CsvWriter {
public:
    CsvWriter();

    void addRow(const QStringList &fields);
    const QByteArray &bytes() const { return m_bytes; }
    // The bytes written so far, which leave the writer: a long file is passed on as it grows.
    QByteArray take() { return std::exchange(m_bytes, QByteArray()); }

    static QString quotedField(const QString &text);
    // Text typed by someone (a name, a formula) that a spreadsheet program must show, not run: one
    // that starts as a formula would (=, +, -, @, or a tab or carriage return before one) gets a
    // leading apostrophe, which spreadsheet programs take as "this is text".
    static QString inert(const QString &text);

private:
    QByteArray m_bytes;
};
