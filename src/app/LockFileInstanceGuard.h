#pragma once
// Tells another running copy apart by a per-user lock file that this process holds while it runs.

#include "app/InstanceGuard.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class LockFileInstanceGuard : public InstanceGuard {
public:
    // Without a path the lock lives in the user's runtime folder (or the temp folder). Where that
    // path cannot hold a lock (a folder in the file's place, a folder that cannot be written), the
    // lock moves to the fallback path, by default a per-user name in the temp folder.
    explicit LockFileInstanceGuard(QString lockPath = QString(), QString fallbackPath = QString());
    ~LockFileInstanceGuard() override;
    LockFileInstanceGuard(const LockFileInstanceGuard &) = delete;
    LockFileInstanceGuard &operator=(const LockFileInstanceGuard &) = delete;

    // Checked once per process. Only a live copy holding the lock counts: the lock is taken by the
    // system on the open file and goes with the process that held it, so neither what the file
    // holds (a dead copy's number, garbage, nothing) nor a crash can make a copy count.
    bool anotherInstanceRunning() override;

    static QString defaultLockPath();
    static QString tempLockPath();

private:
    enum class Outcome { Taken, HeldByAnother, Unusable };
    Outcome lock(const QString &path);

    QString m_path;
    QString m_fallback;
    qintptr m_handle = -1; // the open lock file: a file descriptor, or a handle on Windows
    std::optional<bool> m_answer;
};
