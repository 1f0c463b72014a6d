#include "support/TestPaths.h"

#include "platform/FileSystem.h"

#include <QDir>
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
    // Whole and with the system's separators: the window shows and selects
    // paths that way (on Windows a drive, not a path below the current one).
    const fs::path whole = fs::canonical(folder, error);
    return error ? folder : fs::path(whole).make_preferred();
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
    // With the system's separators, as the programs show and store paths.
    : m_path(QStringToPath(QDir::toNativeSeparators(m_dir.path())))
{
}

fs::path TempFolder::operator/(std::string_view name) const { return m_path / PathFromString(name); }

} // namespace tf::test
