#include "support/ZipWriter.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <locale.h>
#include <string>

namespace tf::test {
namespace {

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

} // namespace

void ZipWriter::WriterFree::operator()(archive* a) const { archive_write_free(a); }

ZipWriter::ZipWriter(const std::filesystem::path& path)
    : m_archive(archive_write_new())
{
    archive_write_set_format_zip(m_archive.get());
    if (archive_write_open_filename(m_archive.get(), path.c_str()) != ARCHIVE_OK)
        ADD_FAILURE() << "cannot create " << path << ": " << archive_error_string(m_archive.get());
}

ZipWriter::~ZipWriter() { close(); }

void ZipWriter::close()
{
    if (m_archive)
        archive_write_close(m_archive.get());
    m_archive.reset();
}

void ZipWriter::writeHeader(std::string_view name, unsigned type, ZipMethod method, ZipName marking,
                            const int64_t* size, std::string_view symlinkTarget)
{
    if (method == ZipMethod::Store)
        archive_write_zip_set_compression_store(m_archive.get());
    else
        archive_write_zip_set_compression_deflate(m_archive.get());
    archive_entry* entry = archive_entry_new();
    archive_entry_copy_pathname(entry, std::string(name).c_str());
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
