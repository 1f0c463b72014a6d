#pragma once

#include <filesystem>
#include <string>

struct archive;
struct archive_entry;

// How member names and file paths cross between the archive library and the
// system: one file per system (posix/, windows/).
namespace tf {

// Held by a thread while it reads an archive, so that member names come out
// the same whatever locale or code page the process runs in.
class ArchiveNameScope {
public:
    ArchiveNameScope();
    ~ArchiveNameScope();
    ArchiveNameScope(const ArchiveNameScope&) = delete;
    ArchiveNameScope& operator=(const ArchiveNameScope&) = delete;

private:
    void* m_locale = nullptr;
    void* m_previous = nullptr;
};

// Opens the archive file for reading; call it on a fresh reader, before any
// header is read.
int OpenArchiveForReading(archive* reader, const std::filesystem::path& path, size_t blockBytes);

// The member's name as UTF-8, read the same way on every system and in any
// locale or code page: a name flagged as UTF-8 as it is; the bytes of any
// other as UTF-8 when they are valid UTF-8, else as code page 932, as a
// Japanese Windows reads them. Every reader of member names goes through
// here.
std::string MemberNameUtf8(archive_entry* entry);

// Points a disk entry at the path.
void SetEntryPath(archive_entry* entry, const std::filesystem::path& path);

} // namespace tf
