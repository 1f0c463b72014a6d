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
    // Renames from over to, replacing it; the place where a test stops a
    // save between two renames. Returns the system's reason when that fails.
    virtual QString rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

// The creator that writes to the disk.
FileCreator& DiskFileCreator();

// Temporary files are named "<name>.<pid>-<n>.tmp" beside their target, so a
// later run can tell whose they are. This is the most the suffix adds.
inline constexpr size_t kTemporarySuffixBytes = 26;

// The process that wrote fileName as a temporary of targetName, if it is one.
std::optional<int64_t> TemporaryOwner(std::string_view fileName, std::string_view targetName);
// The target of a temporary's name, if it is one.
std::optional<std::string> TemporaryTarget(std::string_view fileName);

// Removes the temporaries of these names in folder whose process no longer
// runs: what a run killed midway left behind.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder,
                                const std::vector<std::string>& names);

struct NamedFile {
    std::string Name; // in the folder, in the file system's encoding
    QByteArray Bytes;
};

// The journal of a commit in its folder: the names of the temporaries it
// renames, in order.
inline constexpr std::string_view kJournalName = ".tessaform.journal";

// Files written into one folder whole or not at all: each is written under
// a temporary name as it is added, and only commit renames them over their
// namesakes, in the order added. A file that cannot be written throws
// AppError(FileCreate) naming it, with the system's reason; the temporaries
// are removed then, as they are when the object goes without a commit, so
// the folder holds what it held before.
//
// A commit of several files can be journaled: the journal is put whole
// beside them before the first rename and removed after the last, so that
// the renames of a run killed between them are completed by the next one
// (CompleteInterruptedCommit). A rename that fails leaves the journal and
// the temporaries not yet renamed for the same completion. Journaled
// commits into one folder must hold its FolderLock.
class StagedFiles {
public:
    StagedFiles(std::filesystem::path folder, FileCreator& creator = DiskFileCreator());
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    void add(const std::string& name, std::string_view bytes);
    void commit(bool journaled = false);

private:
    void removeTemporaries(size_t from);
    void writeJournal();

    std::filesystem::path m_folder;
    FileCreator& m_creator;
    std::vector<std::pair<std::string, std::filesystem::path>> m_staged; // name, temporary
};

// Whether folder holds the journal of a commit that did not finish.
bool HasInterruptedCommit(const std::filesystem::path& folder);

// Completes the commit whose journal folder holds: each of its temporaries
// that is still there is renamed over its target, in order, and the journal
// is removed. Returns false when there was none. Throws AppError(FileCreate)
// when the journal cannot be read or a rename fails; the journal then stays.
// The caller holds the folder's FolderLock.
bool CompleteInterruptedCommit(const std::filesystem::path& folder, FileCreator& creator = DiskFileCreator());

// All files at once through StagedFiles.
void WriteFilesTogether(const std::filesystem::path& folder, const std::vector<NamedFile>& files,
                        FileCreator& creator = DiskFileCreator());

// The same for a single file.
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// The error of a file that cannot be created or written.
[[noreturn]] void ThrowFileCreateError(const std::filesystem::path& path, const QString& reason);

} // namespace tf
