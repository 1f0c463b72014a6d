#pragma once

// The converter's private working folders in the temporary folder.

#include <filesystem>

namespace tf {

// A folder of this process in the temporary folder (see ProcessFolders):
// "tessaform-<pid>-<six letters>", holding the mark that tells a later run
// it is ours. Removed with the object.
class WorkFolder {
public:
    // Throws AppError(FileCreate) with the system's reason when it cannot be
    // made.
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Removes the working folders that runs no longer alive (killed midway) left
// in the temporary folder: only folders of exactly that form holding the
// mark, never anything else there.
void RemoveAbandonedWorkFolders();

} // namespace tf
