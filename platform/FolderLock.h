#pragma once

// One writer at a time per folder, among threads and processes alike.

#include <QString>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace tf {

// The lock file every writer of a folder locks.
inline constexpr std::string_view kFolderLockName = ".tessaform.lock";

// The lock of a folder, held while the object lives. The lock file is locked
// with the system's own file lock, which the system drops when its process
// dies: the lock of a killed run, and a lock file left empty or stale, are
// never in the way. The file holds its owner's process id for the message of
// whoever waits, and is removed at release. Nothing is flushed to the disk:
// a lock only has to hold among running processes.
class FolderLock {
public:
    // Waits while another holds the lock: tells the wait notice once (see
    // SetLockWaitNotice) when the wait lasts, and ends at once when the run
    // is interrupted (InterruptionSignal). Throws AppError naming the lock
    // file when it cannot be created (with the system's reason) or is not a
    // regular file, when interrupted, and when the owner keeps it longer
    // than timeout.
    explicit FolderLock(const std::filesystem::path& folder,
                        std::chrono::milliseconds timeout = std::chrono::seconds(60));
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    std::filesystem::path m_path;
    intptr_t m_handle = -1;
};

// Where a lock's wait for another process is told: the converter prints it on
// the terminal. None by default.
void SetLockWaitNotice(std::function<void(const QString& notice)> notice);

// The platform's half: one attempt at locking the file at path, which is
// created when missing and never followed when it is a link.
namespace lockfile {

enum class Attempt {
    Locked, // handle holds the lock
    Busy,   // another holds it; owner is its process id when the file says
    Retry,  // the file was replaced while locking; try again at once
};

Attempt TryLock(const std::filesystem::path& path, intptr_t& handle, int64_t& owner);
// Removes the file and releases the lock.
void Release(const std::filesystem::path& path, intptr_t handle);

// The error of a lock path that is not a regular file (a folder, a link, a
// FIFO): the whole sentence, naming it.
[[noreturn]] void ThrowNotAFile(const std::filesystem::path& path);

} // namespace lockfile

} // namespace tf
