#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

// Creates one new file with its whole content; the place where a test makes
// the N-th file of a save fail.
class FileCreator {
public:
    virtual ~FileCreator() = default;
    // Creates path, which must not exist yet, holding bytes. Returns the
    // system's reason when that fails, else an empty text.
    virtual QString create(const std::filesystem::path& path, std::string_view bytes);
};

// The creator that writes to the disk.
FileCreator& DiskFileCreator();

// Temporary files are named "<name>.<pid>-<n>.tmp" beside their target, so a
// later run can tell whose they are. This is the most the suffix adds.
inline constexpr size_t kTemporarySuffixBytes = 26;

// The process that wrote fileName as a temporary of targetName, if it is one.
std::optional<int64_t> TemporaryOwner(std::string_view fileName, std::string_view targetName);

// Removes the temporaries of these names in folder whose process no longer
// runs: what a run killed midway left behind.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder,
                                const std::vector<std::string>& names);

struct NamedFile {
    std::string Name; // in the folder, in the file system's encoding
    QByteArray Bytes;
};

// Files written into one folder whole or not at all: each is written under
// a temporary name as it is added, and only commit renames them over their
// namesakes, in the order added. A file that cannot be written throws
// AppError(FileCreate) naming it, with the system's reason; the temporaries
// are removed then, as they are when the object goes without a commit, so
// the folder holds what it held before.
class StagedFiles {
public:
    StagedFiles(std::filesystem::path folder, FileCreator& creator = DiskFileCreator());
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    void add(const std::string& name, std::string_view bytes);
    void commit();

private:
    void removeTemporaries(size_t from);

    std::filesystem::path m_folder;
    FileCreator& m_creator;
    std::vector<std::pair<std::string, std::filesystem::path>> m_staged; // name, temporary
};

// All files at once through StagedFiles.
void WriteFilesTogether(const std::filesystem::path& folder, const std::vector<NamedFile>& files,
                        FileCreator& creator = DiskFileCreator());

// The same for a single file.
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// The error of a file that cannot be created or written.
[[noreturn]] void ThrowFileCreateError(const std::filesystem::path& path, const QString& reason);

} // namespace tf
