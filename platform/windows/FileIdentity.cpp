#include "platform/FileIdentity.h"

#include <windows.h>

namespace tf {

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path)
{
    // No access asked for, only the file's information; backup semantics
    // open a folder too.
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool known = GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    if (!known)
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

} // namespace tf
