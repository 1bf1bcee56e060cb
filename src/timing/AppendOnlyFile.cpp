#include "timing/AppendOnlyFile.h"

#include "timing/DurableFile.h"

#include <QDir>
#include <QFileInfo>

void AppendOnlyFile::setPath(const QString &path)
{
    if (path == m_path)
        return;
    close();
    m_path = path;
}

void AppendOnlyFile::syncInBackground()
{
    if (!m_background)
        m_background = std::make_unique<BackgroundSync>();
}

bool AppendOnlyFile::flush()
{
    return !m_syncing || m_background->wait();
}

void AppendOnlyFile::close()
{
    if (m_syncing)
        m_background->detach();
    m_syncing = false;
    m_file.close();
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
    // Without a handle of its own for the background thread, each append waits for the disk.
    m_syncing = m_background && m_background->attach(m_file);
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
        close();
        return false;
    }
#endif
    if (m_file.write(lines) != lines.size()) {
        close();
        return false;
    }
    // The lines are the system's now, whatever becomes of the process. An earlier sync that failed
    // may have lost lines before them: the caller hears of it as of this append failing.
    const bool synced = m_syncing ? !m_background->failed() : DurableFile::sync(m_file);
    if (!synced) {
        close();
        return false;
    }
    if (m_syncing)
        m_background->request();
    if (afterAppend)
        afterAppend();
    return true;
}
