#include "support/TestPaths.h"

#include "platform/FileSystem.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf::test {

fs::path BinFolder() { return fs::path(TESSAFORM_BIN_DIR); }
fs::path SourceFolder() { return fs::path(TESSAFORM_SOURCE_DIR); }

std::optional<fs::path> SharedSkinsFolder()
{
    const fs::path folder = fs::path(TESSAFORM_SHARED_DIR) / "skins";
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return std::nullopt;
    return folder;
}

std::optional<fs::path> SharedSkin(const std::string& archiveName)
{
    const auto folder = SharedSkinsFolder();
    if (!folder)
        return std::nullopt;
    std::error_code error;
    const fs::path skin = *folder / archiveName;
    if (!fs::is_regular_file(skin, error))
        return std::nullopt;
    return skin;
}

TempFolder::TempFolder()
    : m_path(QStringToPath(m_dir.path()))
{
}

fs::path TempFolder::operator/(std::string_view name) const { return m_path / PathFromString(name); }

} // namespace tf::test
