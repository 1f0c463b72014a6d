#pragma once

// Pictures of skins kept on disk from one run to the next, so that a folder
// opened again shows at once: one file per source and content in the user's
// cache folder, named by a hash of the source's path, its stamp (size and
// time of change) and the picture format, so that an entry of a changed
// file, of another file or of an older format is never found. A picture is
// an uncompressed BMP, read and written in a fraction of the time a PNG
// takes; a source without one has a text file saying why. A damaged entry
// counts as missing and is made again. The folder is held under a size
// limit by removing the entries used longest ago (also those of files since
// changed). Safe to use from several threads and several processes at once.

#include "gallery/SkinPicture.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

namespace tf {

// What tells one content of a source from another: the size and time of
// change of an archive, or of a skin folder's main.bmp and titlebar.bmp.
// Empty when the source cannot be looked at.
QString SourceStamp(const std::filesystem::path& source);

class PictureCache {
public:
    // About 2,500 pictures.
    static constexpr uint64_t kDefaultLimitBytes = uint64_t(256) << 20;

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
    // The entry's path without its extension: ".bmp" for a picture, ".txt"
    // for the others.
    std::filesystem::path entryBase(const std::filesystem::path& source, const QString& stamp) const;
    void write(const std::filesystem::path& path, const QByteArray& bytes);
    // Removes the entries used longest ago until the folder holds at most
    // three quarters of the limit.
    void trim();
    // Notes an entry as used now by this process.
    void noteUse(const std::filesystem::path& entry) const;

    std::filesystem::path m_folder;
    uint64_t m_limit;
    mutable std::mutex m_mutex;
    std::optional<uint64_t> m_bytes; // on disk, counted on the first store
    // The order of this process's uses, for entries whose times of change
    // fall into the same millisecond (the finest time every system keeps).
    mutable std::map<std::filesystem::path, uint64_t> m_uses;
    mutable uint64_t m_useCount = 0;
};

} // namespace tf
