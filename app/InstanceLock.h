#pragma once

#include <QString>
#include <memory>

class QLockFile;

// The program's system-wide single-instance lock, named by MEM. Two installations with
// different names run side by side; the lock of a program that crashed does not block the next
// start (its process is gone, so the lock is stale).
class InstanceLock {
public:
    explicit InstanceLock(const QString& name);
    ~InstanceLock();
    bool acquired() const { return acquired_; }
    static QString lockPath(const QString& name);

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};
