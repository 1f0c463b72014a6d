#include "platform/ImageCache.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr long long kMaxCachedPixels = 1024 * 1024;

} // namespace

Bitmap ImageCache::load(const fs::path& path)
{
    return load(DiskFiles(), path);
}

Bitmap ImageCache::load(const FileSource& source, const fs::path& path)
{
    const std::optional<FileStamp> stamp = source.stamp(path);
    if (!stamp)
        return Bitmap::Load(source, path); // let the decoder name what is wrong
    const std::string key = path.string();
    if (const auto found = m_entries.find(key); found != m_entries.end() && found->second.Stamp == *stamp)
        return found->second.Bitmap;
    Bitmap bitmap = Bitmap::Load(source, path);
    // An image far beyond any real skin's is decoded again when needed
    // rather than kept: holding several would take a conversion's memory
    // past its bound.
    if (static_cast<long long>(bitmap.width()) * bitmap.height() > kMaxCachedPixels)
        return bitmap;
    if (m_entries.size() >= kMaxEntries)
        m_entries.clear();
    m_entries[key] = Entry{*stamp, bitmap};
    return bitmap;
}

} // namespace tf
