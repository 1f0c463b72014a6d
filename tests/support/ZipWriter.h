#pragma once

// Builds ZIP archives inside tests with libarchive's writer: members with any
// bytes as names, stored or deflated, folders, symbolic links, and huge
// members fed in chunks so that a bomb costs the test no memory.

#include <cstdint>
#include <filesystem>
#include <set>
#include <memory>
#include <string_view>

struct archive;

namespace tf::test {

enum class ZipMethod { Deflate, Store };

// How a name is marked: Raw stores the bytes without the UTF-8 flag, as an
// archiver on a Japanese Windows stores code page names; Utf8 sets the flag.
enum class ZipName { Raw, Utf8 };

class ZipWriter {
public:
    explicit ZipWriter(const std::filesystem::path& path);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    ZipWriter& addFile(std::string_view name, std::string_view content, ZipMethod method = ZipMethod::Deflate,
                       ZipName marking = ZipName::Raw);
    // size bytes of fill, written in chunks; the header carries no size.
    ZipWriter& addGeneratedFile(std::string_view name, uint64_t size, char fill = '\0',
                                ZipMethod method = ZipMethod::Deflate);
    ZipWriter& addFolder(std::string_view name);
    ZipWriter& addSymlink(std::string_view name, std::string_view target);
    // Finishes the archive; also done by the destructor.
    void close();

private:
    struct WriterFree {
        void operator()(archive* a) const;
    };
    void writeHeader(std::string_view name, unsigned type, ZipMethod method, ZipName marking,
                     const int64_t* size, std::string_view symlinkTarget = {});
    void writeData(std::string_view data);

    std::unique_ptr<archive, WriterFree> m_archive;
    std::filesystem::path m_path;
    std::set<std::string> m_utf8Names;
};

} // namespace tf::test
