#pragma once

#include <QLockFile>
#include <QString>

// The previous-instance test: the first process of the user holds a lock file in the
// runtime folder for as long as it runs.
class SingleInstance
{
public:
    SingleInstance();
    // True when no other instance runs (this one now holds the lock).
    bool IsFirst();
    static QString LockPath();

private:
    QLockFile m_lock;
};
