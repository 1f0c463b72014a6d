#pragma once

// The converter's private working folders in the temporary folder.

#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace tf {

// A folder of this process, "tessaform-<pid>-<six letters>", holding the
// mark ".tessaform-work": what a later run needs to tell that a folder left
// behind is ours and that its owner no longer runs. Removed with the object.
class WorkFolder {
public:
    // Throws AppError(FileCreate) with the system's reason when it cannot be
    // made.
    WorkFolder();
    std::filesystem::path path() const;

private:
    QTemporaryDir m_dir;
};

// Whether a name in the temporary folder has exactly the form of a working
// folder; its process id when it has.
std::optional<int64_t> WorkFolderOwner(std::string_view name);

// Removes the working folders that runs no longer alive (killed midway) left
// in the temporary folder: only folders of exactly that form holding the
// mark, never anything else there.
void RemoveAbandonedWorkFolders();

} // namespace tf
