#include "platform/FileSystem.h"

#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {

// Through UTF-8 on both systems: a path's own bytes on Linux, its UTF-16
// units converted on Windows (where the 8-bit code page could not hold every
// name).
QString PathToQString(const fs::path& path)
{
    const std::u8string utf8 = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), qsizetype(utf8.size()));
}

fs::path PathFromString(std::string_view name)
{
    return fs::path(std::u8string(name.begin(), name.end()));
}

fs::path QStringToPath(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<fs::directory_entry> ListFolderSorted(const fs::path& folder)
{
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    if (error)
        return entries;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename().string() < b.path().filename().string();
    });
    return entries;
}

std::string FoldFileName(std::string_view name)
{
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    // Case folding of the whole name, so that non-ASCII names fold too.
    const QString folded = QString::fromUtf8(name.data(), qsizetype(name.size())).toCaseFolded();
    return folded.toStdString();
}

FolderIndex::FolderIndex(const fs::path& folder)
{
    for (const fs::directory_entry& entry : ListFolderSorted(folder)) {
        std::error_code error;
        if (entry.is_directory(error))
            continue;
        m_files.emplace_back(FoldFileName(entry.path().filename().string()), entry.path());
    }
    std::stable_sort(m_files.begin(), m_files.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::optional<fs::path> FolderIndex::find(std::string_view name) const
{
    const std::string wanted = FoldFileName(name);
    if (wanted.empty())
        return std::nullopt;
    const auto it = std::lower_bound(m_files.begin(), m_files.end(), wanted,
                                     [](const auto& entry, const std::string& key) {
                                         return entry.first < key;
                                     });
    if (it == m_files.end() || it->first != wanted)
        return std::nullopt;
    return it->second;
}

std::optional<fs::path> FindFileNoCase(const fs::path& folder, std::string_view name)
{
    return FolderIndex(folder).find(name);
}

std::optional<fs::path> FindFileNoCase(const fs::path& path)
{
    return FindFileNoCase(path.parent_path(), path.filename().string());
}

bool IsHiddenName(std::string_view name)
{
    return !name.empty() && name.front() == '.';
}

bool IsRegularFile(const std::filesystem::path& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool IsWritableFolder(const std::filesystem::path& folder)
{
    QTemporaryFile probe(PathToQString(folder / ".write-probe-XXXXXX"));
    return probe.open(); // removed again when probe goes
}

} // namespace tf
