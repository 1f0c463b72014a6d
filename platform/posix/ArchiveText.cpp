#include "platform/ArchiveText.h"

#include "platform/ShiftJis.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

namespace tf {

// libarchive converts member names through the thread's locale; a UTF-8 one
// makes names come out the same whatever locale the process runs in (a
// flagged UTF-8 name is lost in the C locale).
ArchiveNameScope::ArchiveNameScope()
{
    const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    if (utf8) {
        m_locale = utf8;
        m_previous = uselocale(utf8);
    }
}

ArchiveNameScope::~ArchiveNameScope()
{
    if (m_locale) {
        uselocale(locale_t(m_previous));
        freelocale(locale_t(m_locale));
    }
}

int OpenArchiveForReading(archive* reader, const std::filesystem::path& path, size_t blockBytes)
{
    return archive_read_open_filename(reader, path.c_str(), blockBytes);
}

std::string MemberNameUtf8(archive_entry* entry)
{
    // Without conversion the library hands out the stored bytes; it has the
    // UTF-8 form only for flagged names that the locale could not hold.
    const char* name = archive_entry_pathname(entry);
    if (!name || !*name)
        name = archive_entry_pathname_utf8(entry);
    return StoredNameToUtf8(name ? name : "");
}

void SetEntryPath(archive_entry* entry, const std::filesystem::path& path)
{
    archive_entry_copy_pathname(entry, path.c_str());
}

} // namespace tf
