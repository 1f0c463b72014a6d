#pragma once

// A running window's own part of the working folder, so that two windows
// (or a window and a later one) never unpack into, read from or remove each
// other's files: "<pid>-XXXXXX" inside the shared working folder, made on
// first use and removed with the object. Each archive gets a fresh folder of
// its own inside it, so that a failed open never touches the files of the
// skin on screen.

#include <filesystem>

namespace tf {

class PrivateWorkFolder {
public:
    // Removes the folders that windows no longer running left in shared.
    explicit PrivateWorkFolder(std::filesystem::path shared);
    // Removes the private folder, and shared too when no one else has a
    // folder there any more.
    ~PrivateWorkFolder();
    PrivateWorkFolder(const PrivateWorkFolder&) = delete;
    PrivateWorkFolder& operator=(const PrivateWorkFolder&) = delete;

    // A new folder for one archive, not yet created (the unpacking empties
    // and makes it). Throws AppError(FileCreate) when the private folder
    // cannot be made.
    std::filesystem::path NewFolder();
    // Removes a folder that NewFolder gave, with all it holds; does nothing
    // for any other path.
    void Remove(const std::filesystem::path& folder);

    const std::filesystem::path& shared() const { return m_shared; }
    // Empty until the first NewFolder.
    const std::filesystem::path& path() const { return m_private; }

private:
    std::filesystem::path m_shared;
    std::filesystem::path m_private;
    unsigned m_next = 1;
};

} // namespace tf
