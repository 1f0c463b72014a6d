#pragma once

// The stored name of an archive member turned into a relative path below
// the extraction folder, read as a Windows unzip reads it, and refused when
// it could reach outside that folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tf {

// Why a member was not extracted.
enum class SkipReason {
    UnreadableName, // no name, a name that is only separators and dots, or one libarchive could not give
    AbsolutePath,   // "/x", "\\server\x", "C:\x", "C:x"
    ParentFolder,   // a ".." component
    TooLong,        // a component over 255 bytes or a path over 1024 bytes
    Link,           // a symbolic or hard link
    SpecialFile,    // a device, fifo or socket
    LinkOnTheWay,   // a symbolic link already in the destination stands where a folder of its path goes
    WriteFailed,    // the file system refused it (a folder with content in its place, a full disk)
    Damaged,        // its data could not be read to the end
};

struct MemberPath {
    std::string Name;                    // the stored name as UTF-8, for reports
    std::vector<std::string> Components; // never empty, ".", ".." or containing a separator
    bool Folder = false;                 // the stored name ended with a separator
    std::optional<SkipReason> Rejected;
};

// The name as UTF-8 (MemberNameUtf8); backslashes separate folders as
// slashes do (after decoding, so the second byte of a double-byte character
// is never taken for one).
MemberPath ParseMemberPath(std::string_view utf8Name);

// The spelling of every folder and file below a root folder by folded name,
// so that members whose paths differ only in letter case land on one file,
// as they do on a Windows disk: the first spelling stays, the later member's
// content wins. Folders are listed from disk when first entered, so names
// that were there before the extraction count too.
class CaseFoldedTree {
public:
    explicit CaseFoldedTree(std::filesystem::path root);

    // The relative path the components map to; new names are remembered
    // with the spelling given. known tells whether the last name was there
    // already (on disk or from an earlier member).
    std::filesystem::path resolve(const std::vector<std::string>& components, bool* known = nullptr);

private:
    using Children = std::unordered_map<std::string, std::string>; // folded name -> spelling
    Children& childrenOf(const std::string& folder);

    std::filesystem::path m_root;
    std::unordered_map<std::string, Children> m_folders; // by relative path as spelled on disk
};

} // namespace tf
