#include "platform/FolderLock.h"

#include "platform/Errors.h"
#include "platform/ProcessAlive.h"
#include "platform/SafeFileWriter.h"

#include <QCoreApplication>
#include <charconv>
#include <string>
#include <windows.h>

namespace fs = std::filesystem;

namespace tf::lockfile {
namespace {

// The byte locked lies far past the owner's id, so that a waiting process
// can still read the id.
constexpr DWORD kLockedOffset = 1u << 30;

bool IsOtherThanFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
}

int64_t ReadOwner(HANDLE file)
{
    char text[32] = {};
    DWORD count = 0;
    OVERLAPPED at = {};
    int64_t owner = 0;
    if (ReadFile(file, text, sizeof text - 1, &count, &at) && count > 0)
        std::from_chars(text, text + count, owner);
    return owner;
}

} // namespace

Attempt TryLock(const fs::path& path, intptr_t& handle, int64_t& owner)
{
    // No delete sharing: while anyone has the file open, a releasing owner
    // cannot remove it, so a lock is never taken on a file that is gone.
    // A link in the lock's place is opened as itself, never followed.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (IsOtherThanFile(attributes))
            ThrowNotAFile(path);
        // Being removed by the owner that just released it.
        if (code == ERROR_SHARING_VIOLATION || (code == ERROR_ACCESS_DENIED && attributes == INVALID_FILE_ATTRIBUTES))
            return Attempt::Retry;
        if (code == ERROR_ACCESS_DENIED)
            file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            ThrowFileCreateError(path, qt_error_string(int(code)));
    }
    BY_HANDLE_FILE_INFORMATION information = {};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information)
        || IsOtherThanFile(information.dwFileAttributes)) {
        CloseHandle(file);
        ThrowNotAFile(path);
    }
    OVERLAPPED at = {};
    at.Offset = kLockedOffset;
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD code = GetLastError();
        if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING) {
            owner = ReadOwner(file);
            CloseHandle(file);
            return Attempt::Busy;
        }
        CloseHandle(file);
        ThrowFileCreateError(path, qt_error_string(int(code)));
    }
    // Only for the message of whoever waits: a failure to write it (a full
    // disk) does not matter.
    const std::string id = std::to_string(CurrentProcessId()) + "\r\n";
    DWORD written = 0;
    OVERLAPPED start = {};
    if (WriteFile(file, id.data(), DWORD(id.size()), &written, &start)) {
        SetFilePointer(file, LONG(written), nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    handle = reinterpret_cast<intptr_t>(file);
    return Attempt::Locked;
}

void Release(const fs::path& path, intptr_t handle)
{
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    OVERLAPPED at = {};
    at.Offset = kLockedOffset;
    UnlockFileEx(file, 0, 1, 0, &at);
    CloseHandle(file);
    // Fails while another has it open to wait for the lock; the last one
    // out removes it.
    DeleteFileW(path.c_str());
}

} // namespace tf::lockfile
