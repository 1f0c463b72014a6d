#include "platform/RegularFile.h"

#include "platform/Errors.h"

#include <algorithm>
#include <windows.h>

namespace tf {
namespace {

QString SystemReason(DWORD code) { return qt_error_string(int(code)); }

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { CloseHandle(m_handle); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

} // namespace

std::string ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    // Backup semantics let a folder be opened too, so that it is named as
    // one rather than as a refused access.
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        ThrowFileOpenError(path, SystemReason(GetLastError()));
    const Handle file(opened);
    BY_HANDLE_FILE_INFORMATION information = {};
    if (GetFileType(opened) != FILE_TYPE_DISK || !GetFileInformationByHandle(opened, &information))
        ThrowNotRegularFile(path, false);
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        ThrowNotRegularFile(path, true);
    const std::uintmax_t size = (std::uintmax_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    if (size > maxBytes)
        ThrowFileTooLarge(path, size, maxBytes);

    std::string bytes(size_t(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD count = 0;
        const DWORD wanted = DWORD((std::min)(bytes.size() - done, size_t(1) << 30));
        if (!ReadFile(opened, bytes.data() + done, wanted, &count, nullptr))
            ThrowFileOpenError(path, SystemReason(GetLastError()));
        if (count == 0)
            break; // shrunk while read
        done += count;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace tf
