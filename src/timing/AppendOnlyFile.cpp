#include "timing/AppendOnlyFile.h"

#include "timing/DurableFile.h"

#include <QDir>
#include <QFileInfo>

void AppendOnlyFile::setPath(const QString &path)
{
    if (path == m_path)
        return;
    m_file.close();
    m_path = path;
}

bool AppendOnlyFile::open()
{
    const QFileInfo info(m_path);
    const bool created = !info.exists();
    // A device or a FIFO in the file's place would swallow the lines or block the program.
    if (!created && !info.isFile())
        return false;
    QDir().mkpath(info.absolutePath());
    m_file.setFileName(m_path);
    // Unbuffered: every line goes to the system at once, nothing waits in the process.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    if (created)
        DurableFile::syncFolder(info.absolutePath());
    // A last line without its end was cut short: it stays unreadable, but alone.
    const qint64 size = m_file.size();
    if (size > 0) {
        char last = '\n';
        if (!m_file.seek(size - 1) || !m_file.getChar(&last)) {
            m_file.close();
            return false;
        }
        if (last != '\n' && m_file.write("\n", 1) != 1) {
            m_file.close();
            return false;
        }
    }
    return true;
}

bool AppendOnlyFile::append(const QByteArray &lines)
{
    if (!m_file.isOpen() && !open())
        return false;
#ifdef Q_OS_WIN
    // Windows appends where the file ended when it was opened, not where it ends now: another
    // writer since (a second copy of the program booking into the same day) would be written over.
    if (!m_file.seek(m_file.size())) {
        m_file.close();
        return false;
    }
#endif
    if (m_file.write(lines) != lines.size() || !DurableFile::sync(m_file)) {
        m_file.close();
        return false;
    }
    if (afterAppend)
        afterAppend();
    return true;
}
