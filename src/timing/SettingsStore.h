#pragma once
// The per-user settings store: text values by application, section and key.

#include <QString>

// Reads and changes happen in memory; commit() makes every change since the last commit durable
// at once, so that a store is never left half written.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString getSetting(const QString &app, const QString &section, const QString &key,
                               const QString &fallback) = 0;
    virtual void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) = 0;
    // Deleting a key that does not exist is not an error.
    virtual void deleteSetting(const QString &app, const QString &section, const QString &key) = 0;

    // Where the store lives, as the operator would look for it (a file path).
    virtual QString location() const = 0;
    // What the store held could not all be read: before it first writes over it, the store keeps
    // it aside as it is, so that the operator can still recover what the program could not read.
    virtual void keepOriginal() = 0;
    // Where the last commit kept that original aside; empty when it kept none.
    virtual QString keptOriginal() const { return {}; }

    // Failed is the first failure after a success (or the first commit); FailedAgain follows
    // another failure, so that a caller tells the operator once, not at every retry.
    enum class CommitResult { Written, Failed, FailedAgain };
    // After a failure the store holds what it held before, and the changes stay pending.
    CommitResult commit()
    {
        const bool failedBefore = m_failing;
        m_failing = !writeChanges();
        if (!m_failing)
            return CommitResult::Written;
        return failedBefore ? CommitResult::FailedAgain : CommitResult::Failed;
    }

protected:
    // Writes every pending change as one replacement of the whole store; false when it could not.
    virtual bool writeChanges() = 0;

private:
    bool m_failing = false;
};
