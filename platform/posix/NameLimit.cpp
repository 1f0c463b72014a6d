#include "platform/NameLimit.h"

#include <algorithm>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tf {

size_t MaxFileNameBytes(const fs::path& folder)
{
    constexpr size_t kCommonLimit = 255;
    fs::path probe = folder.empty() ? fs::path(".") : folder;
    std::error_code error;
    while (!fs::is_directory(probe, error) && probe.has_relative_path())
        probe = probe.parent_path().empty() ? fs::path(".") : probe.parent_path();
    const long limit = pathconf(probe.c_str(), _PC_NAME_MAX);
    // Some file systems answer "no limit" (-1) or more than their names can
    // really hold on other systems; never trust more than the common limit.
    return limit > 0 ? std::min(size_t(limit), kCommonLimit) : kCommonLimit;
}

} // namespace tf
