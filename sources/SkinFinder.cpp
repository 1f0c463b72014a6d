#include "sources/SkinFinder.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"

#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tf {
namespace {

bool HoldsMainBmp(const fs::path& folder)
{
    return FindFileNoCase(folder, "main.bmp").has_value();
}

} // namespace

bool HasSkinArchiveExtension(const fs::path& path)
{
    // The extension is what follows the last dot of the file name, also for
    // a name that starts with its dot.
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string extension = ToLowerAscii(std::string_view(name).substr(dot));
    return extension == ".zip" || extension == ".wsz";
}

bool IsSkinFolder(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(folder, error) && HoldsMainBmp(folder);
}

fs::path FindSkinFolder(const fs::path& folder)
{
    std::error_code error;
    if (!fs::is_directory(folder, error)) // the caller's folder may be reached through a link
        return {};
    fs::path result;
    // Depth-first with an explicit stack (a deep archive must not exhaust
    // the call stack); children are pushed in reverse so that they are
    // visited in name order.
    std::vector<fs::path> pending{folder};
    while (!pending.empty()) {
        const fs::path current = std::move(pending.back());
        pending.pop_back();
        if (HoldsMainBmp(current)) {
            result = current;
            continue;
        }
        const std::vector<fs::directory_entry> entries = ListFolderSorted(current);
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            const fs::file_status status = it->symlink_status(error);
            if (error || !fs::is_directory(status))
                continue;
            if (IsHiddenName(it->path().filename().string()))
                continue;
            pending.push_back(it->path());
        }
    }
    return result;
}

} // namespace tf
