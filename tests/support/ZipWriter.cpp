#include "support/ZipWriter.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>

#ifdef _WIN32
#include <fstream>
#include <iterator>
#else
#include <locale.h>
#endif

namespace tf::test {
namespace {

#ifdef _WIN32
// The writer's header charset is fixed per archive, so every name is
// written as its bytes (Latin-1 hands each byte through unchanged) and the
// UTF-8 flag is set afterwards in the headers of the members that ask for
// it.
void SetHeaderName(archive* zip, archive_entry* entry, std::string_view name, ZipName)
{
    std::wstring wide;
    for (unsigned char c : name)
        wide += wchar_t(c);
    archive_entry_copy_pathname_w(entry, wide.c_str());
    (void)zip;
}

uint32_t Read32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes[at + size_t(i)]);
    return value;
}

uint16_t Read16(const std::string& bytes, size_t at)
{
    return uint16_t(uint8_t(bytes[at]) | (uint8_t(bytes[at + 1]) << 8));
}

// Sets general-purpose bit 11 in the central and local headers of the named
// members.
void FlagNamesAsUtf8(const std::filesystem::path& path, const std::set<std::string>& names)
{
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t end = bytes.rfind("PK\x05\x06");
    if (end == std::string::npos || end + 22 > bytes.size())
        return ADD_FAILURE() << "no end of central directory in " << path;
    size_t at = Read32(bytes, end + 16);
    for (int i = 0, count = Read16(bytes, end + 10); i < count && at + 46 <= bytes.size(); ++i) {
        const size_t nameLength = Read16(bytes, at + 28);
        const size_t next = at + 46 + nameLength + Read16(bytes, at + 30) + Read16(bytes, at + 32);
        if (names.count(bytes.substr(at + 46, nameLength))) {
            bytes[at + 9] = char(uint8_t(bytes[at + 9]) | 0x08);
            const size_t local = Read32(bytes, at + 42);
            bytes[local + 7] = char(uint8_t(bytes[local + 7]) | 0x08);
        }
        at = next;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

class ScopedLocale {
public:
    explicit ScopedLocale(const char*) {}
};
#else
void SetHeaderName(archive*, archive_entry* entry, std::string_view name, ZipName)
{
    archive_entry_copy_pathname(entry, std::string(name).c_str());
}

// libarchive flags a non-ASCII name as UTF-8 whenever the thread's locale is
// a UTF-8 one; the locale is chosen per header so that the flag is what the
// test asks for.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name)
        : m_locale(newlocale(LC_ALL_MASK, name, locale_t(nullptr)))
    {
        if (m_locale)
            m_previous = uselocale(m_locale);
    }
    ~ScopedLocale()
    {
        if (m_locale) {
            uselocale(m_previous);
            freelocale(m_locale);
        }
    }

private:
    locale_t m_locale;
    locale_t m_previous = nullptr;
};
#endif

} // namespace

void ZipWriter::WriterFree::operator()(archive* a) const { archive_write_free(a); }

ZipWriter::ZipWriter(const std::filesystem::path& path)
    : m_archive(archive_write_new())
    , m_path(path)
{
    archive_write_set_format_zip(m_archive.get());
#ifdef _WIN32
    archive_write_set_format_option(m_archive.get(), "zip", "hdrcharset", "ISO-8859-1");
    const int opened = archive_write_open_filename_w(m_archive.get(), path.c_str());
#else
    const int opened = archive_write_open_filename(m_archive.get(), path.c_str());
#endif
    if (opened != ARCHIVE_OK)
        ADD_FAILURE() << "cannot create " << path << ": " << archive_error_string(m_archive.get());
}

ZipWriter::~ZipWriter() { close(); }

void ZipWriter::close()
{
    if (!m_archive)
        return;
    archive_write_close(m_archive.get());
    m_archive.reset();
#ifdef _WIN32
    if (!m_utf8Names.empty())
        FlagNamesAsUtf8(m_path, m_utf8Names);
#endif
}

void ZipWriter::writeHeader(std::string_view name, unsigned type, ZipMethod method, ZipName marking,
                            const int64_t* size, std::string_view symlinkTarget)
{
    if (method == ZipMethod::Store)
        archive_write_zip_set_compression_store(m_archive.get());
    else
        archive_write_zip_set_compression_deflate(m_archive.get());
    archive_entry* entry = archive_entry_new();
    SetHeaderName(m_archive.get(), entry, name, marking);
    if (marking == ZipName::Utf8)
        m_utf8Names.insert(std::string(name));
    archive_entry_set_filetype(entry, type);
    archive_entry_set_perm(entry, type == AE_IFDIR ? 0755 : 0644);
    if (size)
        archive_entry_set_size(entry, *size);
    if (type == AE_IFLNK)
        archive_entry_copy_symlink(entry, std::string(symlinkTarget).c_str());
    {
        const ScopedLocale locale(marking == ZipName::Utf8 ? "C.UTF-8" : "C");
        if (archive_write_header(m_archive.get(), entry) < ARCHIVE_WARN)
            ADD_FAILURE() << "cannot add " << name << ": " << archive_error_string(m_archive.get());
    }
    archive_entry_free(entry);
}

void ZipWriter::writeData(std::string_view data)
{
    if (archive_write_data(m_archive.get(), data.data(), data.size()) != la_ssize_t(data.size()))
        ADD_FAILURE() << "cannot write: " << archive_error_string(m_archive.get());
}

ZipWriter& ZipWriter::addFile(std::string_view name, std::string_view content, ZipMethod method,
                              ZipName marking)
{
    const int64_t size = int64_t(content.size());
    writeHeader(name, AE_IFREG, method, marking, &size);
    writeData(content);
    return *this;
}

ZipWriter& ZipWriter::addGeneratedFile(std::string_view name, uint64_t size, char fill, ZipMethod method)
{
    // Without a size in the header the writer streams the member and puts
    // its sizes in a trailing descriptor.
    writeHeader(name, AE_IFREG, method, ZipName::Raw, nullptr);
    const std::string chunk(1 << 20, fill);
    for (uint64_t left = size; left > 0;) {
        const size_t piece = size_t(std::min<uint64_t>(left, chunk.size()));
        writeData(std::string_view(chunk.data(), piece));
        left -= piece;
    }
    return *this;
}

ZipWriter& ZipWriter::addFolder(std::string_view name)
{
    writeHeader(name, AE_IFDIR, ZipMethod::Store, ZipName::Raw, nullptr);
    return *this;
}

ZipWriter& ZipWriter::addSymlink(std::string_view name, std::string_view target)
{
    writeHeader(name, AE_IFLNK, ZipMethod::Store, ZipName::Raw, nullptr, target);
    return *this;
}

} // namespace tf::test
