#pragma once

#include "platform/Bitmap.h"
#include "platform/FileSource.h"

#include <filesystem>
#include <map>
#include <string>

namespace tf {

// Decoded bitmaps by path, each checked against the file's size and time of
// last change on every use, so a changed file is always decoded again. Lets
// the previews re-render on every click and drag step without decoding
// their source files each time.
class ImageCache {
public:
    // The bitmap of the file, decoded now or earlier; throws as Bitmap::Load.
    Bitmap load(const std::filesystem::path& path);
    Bitmap load(const FileSource& source, const std::filesystem::path& path);
    void clear() { m_entries.clear(); }
    size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        FileStamp Stamp;
        tf::Bitmap Bitmap;
    };
    static constexpr size_t kMaxEntries = 16;

    std::map<std::string, Entry> m_entries;
};

} // namespace tf
