#pragma once

// Pictures of skins kept on disk from one run to the next, so that a folder
// opened again shows at once: one PNG per source in the user's cache
// folder, named by its path and holding the path and the stamp (size and
// time of change) of what it was made from. An entry of a changed file, of
// another file or an older picture format is never taken; a damaged one
// counts as missing and is made again. The folder is held under a size
// limit by removing the entries used longest ago. Safe to use from several
// threads and several processes at once.

#include "gallery/SkinPicture.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>

namespace tf {

// What tells one content of a source from another: the size and time of
// change of an archive, or of a skin folder's main.bmp and titlebar.bmp.
// Empty when the source cannot be looked at.
QString SourceStamp(const std::filesystem::path& source);

class PictureCache {
public:
    static constexpr uint64_t kDefaultLimitBytes = uint64_t(64) << 20;

    explicit PictureCache(std::filesystem::path folder, uint64_t limitBytes = kDefaultLimitBytes);

    // "thumbnails" in the user's cache folder.
    static std::filesystem::path DefaultFolder();

    // The picture made from source as it was at stamp, or nothing; without
    // pixels, only what kind it is (its Image stays null).
    std::optional<SkinPicture> find(const std::filesystem::path& source, const QString& stamp,
                                    bool pixels = true) const;
    // Keeps the picture (replacing what was kept for source); a failed write
    // only costs the picture being made again next time.
    void store(const std::filesystem::path& source, const QString& stamp, const SkinPicture& picture);

    const std::filesystem::path& folder() const { return m_folder; }
    uint64_t limitBytes() const { return m_limit; }

private:
    std::filesystem::path entryPath(const std::filesystem::path& source) const;
    // Removes the entries used longest ago until the folder holds at most
    // three quarters of the limit.
    void trim();

    std::filesystem::path m_folder;
    uint64_t m_limit;
    std::mutex m_mutex;
    std::optional<uint64_t> m_bytes; // on disk, counted on the first store
};

} // namespace tf
