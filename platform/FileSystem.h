#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

// Converts between paths and the text shown to the user or stored in the
// settings file, with the file system's own encoding.
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& text);

// The path of a name in the form path::string() hands out: its own bytes on
// Linux, UTF-8 on Windows. The string constructor of path reads a Windows
// name in the C library's code page instead, which garbles every name
// outside ASCII.
std::filesystem::path PathFromString(std::string_view name);

// The entries of a folder, "." and ".." excluded, sorted by name so that
// nothing depends on the file system's order. Empty when it cannot be read.
std::vector<std::filesystem::directory_entry> ListFolderSorted(const std::filesystem::path& folder);

// Names compare as Windows compares them: without regard to letter case, and
// with trailing blanks ignored.
std::string FoldFileName(std::string_view name);

// The files of one folder by their folded names: listed once, then looked up
// as often as needed. When two files differ only in letter case, the one
// first in name order is found.
class FolderIndex {
public:
    explicit FolderIndex(const std::filesystem::path& folder);

    // The real path of the file of that name, or nothing.
    std::optional<std::filesystem::path> find(std::string_view name) const;

private:
    std::vector<std::pair<std::string, std::filesystem::path>> m_files; // sorted by folded name
};

// A file at folder/name matched without regard to case (see FolderIndex).
std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& folder,
                                                    std::string_view name);
// The same for a full path: its folder part is taken as it stands.
std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& path);

// True for an existing regular file (a link to one counts); never throws.
bool IsRegularFile(const std::filesystem::path& path);

// True when a file can be created in folder (tried, not guessed from the
// permission bits, which say nothing for the superuser or on Windows).
bool IsWritableFolder(const std::filesystem::path& folder);

// Hidden means a name starting with "." here; Windows' hidden and system
// attributes have no other counterpart.
bool IsHiddenName(std::string_view name);

} // namespace tf
