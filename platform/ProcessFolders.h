#pragma once

// Folders that belong to one running process: named prefix + "<pid>-XXXXXX",
// so that a later run can tell whose a folder is and remove what a run that
// ended without tidying up (killed, crashed) left behind.

#include <QString>
#include <filesystem>
#include <optional>

namespace tf {

// Creates a new folder of this process inside parent, parent included when
// missing. The reason when it cannot be made.
struct ProcessFolder {
    std::filesystem::path Path; // empty on failure
    QString Reason;
};
ProcessFolder CreateProcessFolder(const std::filesystem::path& parent, const QString& prefix);

// The process that a folder name of that prefix belongs to, if it is one.
std::optional<int64_t> ProcessFolderOwner(const QString& name, const QString& prefix);

// Removes every folder of that prefix in parent whose process no longer runs.
void RemoveFoldersOfEndedProcesses(const std::filesystem::path& parent, const QString& prefix);

} // namespace tf
