// A lock for data that two threads share, on the system's slim reader/writer
// lock. std::mutex would do, but it brings std::system_error and its strings into
// the programs (6 KiB) for a failure that this lock cannot have.
#pragma once

#include <windows.h>

namespace platform::win32 {

class Lock {
public:
    Lock() = default;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

} // namespace platform::win32
