#include "platform/FileIdentity.h"

#include <sys/stat.h>

namespace tf {

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path)
{
    struct stat status = {};
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{uint64_t(status.st_dev), uint64_t(status.st_ino)};
}

} // namespace tf
