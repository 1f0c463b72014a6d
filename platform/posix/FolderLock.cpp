#include "platform/FolderLock.h"

#include "platform/Errors.h"
#include "platform/ProcessAlive.h"
#include "platform/SafeFileWriter.h"

#include <QCoreApplication>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tf::lockfile {
namespace {

QString ErrnoReason(int code) { return QString::fromStdString(std::generic_category().message(code)); }

// What a failed open means: a link, folder, FIFO or device in the lock's
// place is named as such; anything else is the system's reason.
[[noreturn]] void ThrowOpenError(const fs::path& path, int code)
{
    struct stat status = {};
    if (lstat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        ThrowNotAFile(path);
    ThrowFileCreateError(path, ErrnoReason(code));
}

int64_t ReadOwner(int fd)
{
    char text[32] = {};
    const ssize_t count = pread(fd, text, sizeof text - 1, 0);
    int64_t owner = 0;
    if (count > 0)
        std::from_chars(text, text + count, owner);
    return owner;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

} // namespace

Attempt TryLock(const fs::path& path, intptr_t& handle, int64_t& owner)
{
    // Non-blocking, so that a FIFO put in the lock's place cannot hold the
    // open; never through a link.
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0666);
    if (fd < 0 && errno == EACCES)
        fd = open(path.c_str(), O_RDONLY | kFlags); // another user's lock: reading is enough to lock it
    if (fd < 0)
        ThrowOpenError(path, errno);
    struct stat opened = {};
    if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        close(fd);
        ThrowNotAFile(path);
    }
    // flock, not fcntl: it locks per open file, so two threads of one
    // process exclude each other too.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        if (code == EWOULDBLOCK || code == EINTR) {
            owner = ReadOwner(fd);
            close(fd);
            return Attempt::Busy;
        }
        close(fd);
        ThrowFileCreateError(path, ErrnoReason(code));
    }
    // The owner before may have removed the file between our open and its
    // release: a lock on a file no longer at the path holds nothing.
    struct stat current = {};
    if (lstat(path.c_str(), &current) != 0 || !SameFile(current, opened)) {
        close(fd);
        return Attempt::Retry;
    }
    const std::string id = std::to_string(CurrentProcessId()) + "\n";
    // Only for the message of whoever waits: a failure to write it (a full
    // disk) does not matter.
    if (ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = pwrite(fd, id.data(), id.size(), 0);
    }
    handle = fd;
    return Attempt::Locked;
}

void Release(const fs::path& path, intptr_t handle)
{
    const int fd = int(handle);
    struct stat opened = {}, current = {};
    if (fstat(fd, &opened) == 0 && lstat(path.c_str(), &current) == 0 && SameFile(opened, current))
        unlink(path.c_str());
    close(fd);
}

} // namespace tf::lockfile
