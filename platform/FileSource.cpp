#include "platform/FileSource.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

class DiskSource : public FileSource {
public:
    bool isRegularFile(const fs::path& path) const override { return IsRegularFile(path); }
    FileBytes read(const fs::path& path, std::uintmax_t maxBytes) const override
    {
        return FileBytes(ReadFileBytes(path, maxBytes));
    }
    // A folder's stamp is its time of change alone.
    std::optional<FileStamp> stamp(const fs::path& path) const override
    {
        std::error_code error;
        std::uintmax_t size = fs::file_size(path, error);
        if (error) {
            if (!fs::is_directory(path, error))
                return std::nullopt;
            size = 0;
        }
        const fs::file_time_type changed = fs::last_write_time(path, error);
        if (error)
            return std::nullopt;
        return FileStamp{size, int64_t(changed.time_since_epoch().count())};
    }
};

// Each folder in memory gets a version of its own, below every time of
// change a disk could give, so a cache never takes one for another.
int64_t NextMemoryVersion()
{
    static std::atomic<int64_t> next{std::numeric_limits<int64_t>::min()};
    return next++;
}

} // namespace

const FileSource& DiskFiles()
{
    static const DiskSource disk;
    return disk;
}

MemoryFolder::MemoryFolder(fs::path folder, std::vector<std::pair<std::string, std::string>> files)
    : m_folder(std::move(folder))
    , m_version(NextMemoryVersion())
{
    for (auto& [name, bytes] : files)
        m_files.push_back({FoldFileName(name), File{m_folder / PathFromString(name), std::move(bytes)}});
    std::stable_sort(m_files.begin(), m_files.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [folded, file] : m_files)
        m_byPath.emplace(file.Path.native(), &file);
}

std::optional<fs::path> MemoryFolder::find(std::string_view name) const
{
    const std::string wanted = FoldFileName(name);
    const auto it = std::lower_bound(m_files.begin(), m_files.end(), wanted,
                                     [](const auto& entry, const std::string& key) { return entry.first < key; });
    if (wanted.empty() || it == m_files.end() || it->first != wanted)
        return std::nullopt;
    return it->second.Path;
}

const MemoryFolder::File* MemoryFolder::lookUp(const fs::path& path, bool& inFolder) const
{
    const auto found = m_byPath.find(path.native());
    inFolder = found != m_byPath.end() || path.parent_path() == m_folder;
    return found != m_byPath.end() ? found->second : nullptr;
}

bool MemoryFolder::isRegularFile(const fs::path& path) const
{
    bool inFolder = false;
    const File* file = lookUp(path, inFolder);
    return inFolder ? file != nullptr : DiskFiles().isRegularFile(path);
}

FileBytes MemoryFolder::read(const fs::path& path, std::uintmax_t maxBytes) const
{
    bool inFolder = false;
    const File* file = lookUp(path, inFolder);
    if (!inFolder)
        return DiskFiles().read(path, maxBytes);
    if (!file)
        ThrowFileOpenError(path, QString::fromStdString(std::make_error_code(std::errc::no_such_file_or_directory).message()));
    if (file->Bytes.size() > maxBytes)
        ThrowFileOpenError(path, QCoreApplication::translate("Files", "ファイルが大きすぎます (%1 バイト、%2 バイトまで)")
                                     .arg(qulonglong(file->Bytes.size()))
                                     .arg(qulonglong(maxBytes)));
    return FileBytes(std::string_view(file->Bytes));
}

std::optional<FileStamp> MemoryFolder::stamp(const fs::path& path) const
{
    bool inFolder = false;
    const File* file = lookUp(path, inFolder);
    if (!inFolder)
        return DiskFiles().stamp(path);
    if (!file)
        return std::nullopt;
    return FileStamp{file->Bytes.size(), m_version};
}

std::vector<std::string> ReadLines(const FileSource& source, const fs::path& path)
{
    return SplitLines(source.read(path, kMaxTextFileBytes).view());
}

} // namespace tf
