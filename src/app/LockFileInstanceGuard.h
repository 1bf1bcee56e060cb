#pragma once
// Tells another running copy apart by a per-user lock file that this process holds while it runs.

#include "InstanceGuard.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

class LockFileInstanceGuard : public InstanceGuard {
public:
    // Without a path the lock lives in the user's runtime folder (or the temp folder).
    explicit LockFileInstanceGuard(QString lockPath = QString());
    ~LockFileInstanceGuard() override;

    // Checked once per process; the lock of a copy that crashed is stale and does not count.
    bool AnotherInstanceRunning() override;

    static QString DefaultLockPath();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    std::optional<bool> m_answer;
};
