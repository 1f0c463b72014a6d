#include "platform/ImageCache.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr long long kMaxCachedPixels = 1024 * 1024;

} // namespace

Bitmap ImageCache::load(const fs::path& path)
{
    std::error_code sizeError, timeError;
    const std::uintmax_t fileSize = fs::file_size(path, sizeError);
    const fs::file_time_type changed = fs::last_write_time(path, timeError);
    if (sizeError || timeError)
        return Bitmap::Load(path); // let the decoder name what is wrong
    const std::string key = path.string();
    if (const auto found = m_entries.find(key);
        found != m_entries.end() && found->second.fileSize == fileSize && found->second.changed == changed)
        return found->second.bitmap;
    Bitmap bitmap = Bitmap::Load(path);
    // An image far beyond any real skin's is decoded again when needed
    // rather than kept: holding several would take a conversion's memory
    // past its bound.
    if (static_cast<long long>(bitmap.width()) * bitmap.height() > kMaxCachedPixels)
        return bitmap;
    if (m_entries.size() >= kMaxEntries)
        m_entries.clear();
    m_entries[key] = Entry{fileSize, changed, bitmap};
    return bitmap;
}

} // namespace tf
