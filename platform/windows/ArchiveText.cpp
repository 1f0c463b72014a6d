#include "platform/ArchiveText.h"

#include "platform/ShiftJis.h"

#include <QString>
#include <archive.h>
#include <archive_entry.h>

namespace tf {
namespace {

// The library turns the backslashes of a name without slashes into
// slashes, the second byte (0x5C) of code page 932 characters among them. A
// slash is never the second byte of a character, so one after a first byte
// was such a backslash.
void RestoreSecondByteBackslashes(std::string& bytes)
{
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            if (bytes[i + 1] == '/')
                bytes[i + 1] = '\\';
            ++i;
        }
    }
}

} // namespace

// Names are read through the options of each reader, not the locale.
ArchiveNameScope::ArchiveNameScope() = default;
ArchiveNameScope::~ArchiveNameScope() = default;

int OpenArchiveForReading(archive* reader, const std::filesystem::path& path, size_t blockBytes)
{
    // Unflagged names would otherwise be read in the OEM code page of the
    // machine. Latin-1 maps each byte to the code point of its value, so the
    // stored bytes can be taken back from the wide name unchanged.
    archive_read_set_format_option(reader, "zip", "hdrcharset", "ISO-8859-1");
    return archive_read_open_filename_w(reader, path.c_str(), blockBytes);
}

std::string MemberNameUtf8(archive_entry* entry)
{
    const wchar_t* wide = archive_entry_pathname_w(entry);
    if (!wide)
        return {};
    const std::wstring name(wide);
    bool bytesOnly = true;
    for (wchar_t c : name)
        bytesOnly = bytesOnly && unsigned(c) <= 0xFF;
    if (bytesOnly) {
        std::string bytes(name.begin(), name.end());
        if (!IsValidUtf8(bytes))
            RestoreSecondByteBackslashes(bytes);
        // A flagged UTF-8 name of Latin-1 letters only looks like stored
        // bytes too; bytes that are neither UTF-8 nor code page 932 are
        // taken to be such a name.
        if (IsValidUtf8(bytes) || !DecodeCp932(bytes).contains(QChar(0xFFFD)))
            return StoredNameToUtf8(bytes);
    }
    const QByteArray utf8 = QString::fromStdWString(name).toUtf8();
    return std::string(utf8.constData(), size_t(utf8.size()));
}

void SetEntryPath(archive_entry* entry, const std::filesystem::path& path)
{
    archive_entry_copy_pathname_w(entry, path.c_str());
}

} // namespace tf
