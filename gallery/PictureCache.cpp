#include "gallery/PictureCache.h"

#include "platform/FileSystem.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Changes whenever pictures are made differently, so older ones are made
// again.
const QString kFormat = QStringLiteral("tessaform-picture-1");
const QString kFormatKey = QStringLiteral("Format");
const QString kSourceKey = QStringLiteral("Source");
const QString kStampKey = QStringLiteral("Stamp");
const QString kKindKey = QStringLiteral("Kind");
const QString kReasonKey = QStringLiteral("Reason");

QString KindName(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Picture: return QStringLiteral("picture");
    case PictureKind::NoSkin: return QStringLiteral("noskin");
    case PictureKind::Unreadable: break;
    }
    return QStringLiteral("unreadable");
}

std::optional<PictureKind> KindFromName(const QString& name)
{
    for (PictureKind kind : {PictureKind::Picture, PictureKind::NoSkin, PictureKind::Unreadable})
        if (KindName(kind) == name)
            return kind;
    return std::nullopt;
}

QString FileStamp(const fs::path& path)
{
    std::error_code sizeError, timeError;
    const auto size = fs::file_size(path, sizeError);
    const auto time = fs::last_write_time(path, timeError);
    if (sizeError || timeError)
        return {};
    return QStringLiteral("%1@%2").arg(size).arg(qlonglong(time.time_since_epoch().count()));
}

uint64_t FileBytes(const fs::path& path)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    return error ? 0 : size;
}

} // namespace

QString SourceStamp(const fs::path& source)
{
    std::error_code error;
    if (!fs::is_directory(source, error))
        return FileStamp(source);
    // A folder's own time does not change when a file in it is rewritten.
    QString stamp = QStringLiteral("folder");
    for (const char* name : {"main.bmp", "titlebar.bmp"}) {
        const auto file = FindFileNoCase(source, name);
        stamp += QLatin1Char(';') + (file ? FileStamp(*file) : QString());
    }
    return stamp;
}

PictureCache::PictureCache(fs::path folder, uint64_t limitBytes)
    : m_folder(std::move(folder))
    , m_limit(limitBytes)
{
}

fs::path PictureCache::DefaultFolder()
{
    return QStringToPath(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)) / "thumbnails";
}

fs::path PictureCache::entryPath(const fs::path& source) const
{
    const QByteArray key = QCryptographicHash::hash(PathToQString(source).toUtf8(), QCryptographicHash::Sha1);
    return m_folder / (key.toHex().toStdString() + ".png");
}

std::optional<SkinPicture> PictureCache::find(const fs::path& source, const QString& stamp, bool pixels) const
{
    if (stamp.isEmpty())
        return std::nullopt;
    const fs::path path = entryPath(source);
    QImageReader reader(PathToQString(path), "png");
    // The texts come before the pixels: an entry of another file is passed
    // over without decoding it.
    if (reader.text(kFormatKey) != kFormat || reader.text(kSourceKey) != PathToQString(source)
        || reader.text(kStampKey) != stamp)
        return std::nullopt;
    const auto kind = KindFromName(reader.text(kKindKey));
    if (!kind)
        return std::nullopt;
    SkinPicture picture;
    picture.Kind = *kind;
    picture.Reason = reader.text(kReasonKey);
    if (*kind == PictureKind::Picture && pixels) {
        QImage image;
        if (!reader.read(&image) || image.isNull())
            return std::nullopt; // damaged: made again
        picture.Image = image.convertToFormat(QImage::Format_RGB32);
    }
    // Used now: the last to go when the folder is trimmed.
    std::error_code error;
    fs::last_write_time(path, fs::file_time_type::clock::now(), error);
    return picture;
}

void PictureCache::store(const fs::path& source, const QString& stamp, const SkinPicture& picture)
{
    if (stamp.isEmpty())
        return;
    std::error_code error;
    fs::create_directories(m_folder, error);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setText(kFormatKey, kFormat);
    writer.setText(kSourceKey, PathToQString(source));
    writer.setText(kStampKey, stamp);
    writer.setText(kKindKey, KindName(picture.Kind));
    if (!picture.Reason.isEmpty())
        writer.setText(kReasonKey, picture.Reason);
    QImage pixels = picture.Kind == PictureKind::Picture ? picture.Image : QImage(1, 1, QImage::Format_RGB32);
    if (picture.Kind != PictureKind::Picture)
        pixels.fill(Qt::black);
    if (!writer.write(pixels))
        return;
    const fs::path path = entryPath(source);
    const uint64_t replaced = FileBytes(path);
    // Whole or not at all: a reader in another window never sees half.
    QSaveFile file(PathToQString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() || !file.commit())
        return;
    const std::lock_guard lock(m_mutex);
    if (!m_bytes) {
        m_bytes = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, error))
            *m_bytes += FileBytes(entry.path());
    } else {
        *m_bytes += uint64_t(buffer.size()) - std::min<uint64_t>(replaced, *m_bytes);
    }
    if (*m_bytes > m_limit)
        trim();
}

void PictureCache::trim()
{
    struct Entry {
        fs::path Path;
        fs::file_time_type Used;
        uint64_t Bytes;
    };
    std::vector<Entry> entries;
    uint64_t total = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, error)) {
        std::error_code timeError;
        const auto used = entry.last_write_time(timeError);
        const uint64_t bytes = FileBytes(entry.path());
        total += bytes;
        entries.push_back({entry.path(), timeError ? fs::file_time_type::min() : used, bytes});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.Used < b.Used; });
    const uint64_t target = m_limit / 4 * 3;
    for (const Entry& entry : entries) {
        if (total <= target)
            break;
        if (fs::remove(entry.Path, error))
            total -= entry.Bytes;
    }
    m_bytes = total;
}

} // namespace tf
