#pragma once

// Where a skin's files are read from: the disk, or the files of one folder
// held in memory (an archive's members, read without unpacking them). The
// readers of skin files take their bytes from here, so a skin loads the
// same from either.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tf {

// What tells one content of a file from another, for caches.
struct FileStamp {
    std::uintmax_t Size = 0;
    int64_t Version = 0; // the time of last change on disk
    bool operator==(const FileStamp&) const = default;
};

// A file's bytes: its own copy when read from disk, a view of what the
// source holds otherwise (valid while the source lives).
class FileBytes {
public:
    explicit FileBytes(std::string owned) : m_owned(std::move(owned)) {}
    explicit FileBytes(std::string_view held) : m_held(held) {}
    std::string_view view() const { return m_owned ? std::string_view(*m_owned) : m_held; }

private:
    std::optional<std::string> m_owned;
    std::string_view m_held;
};

class FileSource {
public:
    virtual ~FileSource() = default;
    // True for a regular file (a link to one counts); never throws.
    virtual bool isRegularFile(const std::filesystem::path& path) const = 0;
    // The whole file; throws AppError(FileOpen) naming it as ReadFileBytes
    // does (missing, not a regular file, over maxBytes).
    virtual FileBytes read(const std::filesystem::path& path, std::uintmax_t maxBytes) const = 0;
    // Nothing when the file cannot be looked at; a folder has one too.
    virtual std::optional<FileStamp> stamp(const std::filesystem::path& path) const = 0;
};

// The disk, through ReadFileBytes.
const FileSource& DiskFiles();

// The files of one folder, held in memory under the folder's path; every
// path outside the folder is read from the disk (the data folder's stand-ins
// for files a skin lacks). The folder holds files only, one per folded name.
class MemoryFolder : public FileSource {
public:
    MemoryFolder(std::filesystem::path folder, std::vector<std::pair<std::string, std::string>> files);

    const std::filesystem::path& folder() const { return m_folder; }
    // The path of the file of that name, matched as FolderIndex matches it.
    std::optional<std::filesystem::path> find(std::string_view name) const;

    bool isRegularFile(const std::filesystem::path& path) const override;
    FileBytes read(const std::filesystem::path& path, std::uintmax_t maxBytes) const override;
    std::optional<FileStamp> stamp(const std::filesystem::path& path) const override;

private:
    struct File {
        std::filesystem::path Path;
        std::string Bytes;
    };
    // The file at path if path lies in the folder; whether it does.
    const File* lookUp(const std::filesystem::path& path, bool& inFolder) const;

    std::filesystem::path m_folder;
    std::vector<std::pair<std::string, File>> m_files; // by folded name, sorted
    // The same by path as find gives it, for the readers' look-ups.
    std::unordered_map<std::filesystem::path::string_type, const File*> m_byPath;
    int64_t m_version; // tells this folder's files from another's of that path
};

// The text helpers over a source.
std::vector<std::string> ReadLines(const FileSource& source, const std::filesystem::path& path);

} // namespace tf
