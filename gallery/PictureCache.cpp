#include "gallery/PictureCache.h"

#include "platform/BmpDecoder.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "platform/TextFile.h"

#include "platform/SafeFileWriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QStandardPaths>
#include <algorithm>
#include <system_error>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Changes whenever pictures are made differently, so older ones are made
// again.
const QByteArray kFormat = "tessaform-picture-2";

QString KindName(PictureKind kind)
{
    return kind == PictureKind::NoSkin ? QStringLiteral("noskin") : QStringLiteral("unreadable");
}

// Times through Qt, to the millisecond on every system (the standard
// library of the Windows build keeps whole seconds only).
QDateTime ChangeTime(const fs::path& path)
{
    return QFileInfo(PathToQString(path)).lastModified();
}

QString CacheStamp(const fs::path& path)
{
    const QFileInfo info(PathToQString(path));
    if (!info.exists())
        return {};
    return QStringLiteral("%1@%2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
}

// Marks an entry as shown now: the last to go when the folder is trimmed.
void Touch(const fs::path& path)
{
    QFile file(PathToQString(path));
    if (file.open(QIODevice::Append))
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

uint64_t SizeOnDisk(const fs::path& path)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    return error ? 0 : size;
}

std::optional<std::string> ReadWhole(const fs::path& path)
{
    try {
        return ReadFileBytes(path, uint64_t(4) << 20);
    } catch (const AppError&) {
        return std::nullopt;
    }
}

std::optional<SkinPicture> ReadPictureEntry(const fs::path& path)
{
    const auto bytes = ReadWhole(path);
    if (!bytes)
        return std::nullopt;
    SkinPicture picture{PictureKind::Picture, {}, {}};
    try {
        picture.Image = DecodeBmp(*bytes, PathToQString(path));
    } catch (const AppError&) {
        return std::nullopt; // damaged: made again
    }
    Touch(path);
    return picture;
}

// "noskin" or "unreadable" on the first line, the reason on the next.
std::optional<SkinPicture> ReadReasonEntry(const fs::path& path)
{
    const auto text = ReadWhole(path);
    if (!text)
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(text->data(), qsizetype(text->size())).split(QLatin1Char('\n'));
    for (PictureKind kind : {PictureKind::NoSkin, PictureKind::Unreadable})
        if (lines.front() == KindName(kind) && lines.size() > 1)
            return SkinPicture{kind, {}, lines.mid(1).join(QLatin1Char('\n'))};
    return std::nullopt; // damaged: made again
}

} // namespace

QString SourceStamp(const fs::path& source)
{
    std::error_code error;
    if (!fs::is_directory(source, error))
        return CacheStamp(source);
    // A folder's own time does not change when a file in it is rewritten.
    QString stamp = QStringLiteral("folder");
    for (const char* name : {"main.bmp", "titlebar.bmp"}) {
        const auto file = FindFileNoCase(source, name);
        stamp += QLatin1Char(';') + (file ? CacheStamp(*file) : QString());
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

fs::path PictureCache::entryBase(const fs::path& source, const QString& stamp) const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(kFormat);
    hash.addData(PathToQString(source).toUtf8());
    hash.addData(QByteArrayView("\n"));
    hash.addData(stamp.toUtf8());
    return m_folder / hash.result().toHex().toStdString();
}

std::optional<SkinPicture> PictureCache::find(const fs::path& source, const QString& stamp, bool pixels) const
{
    if (stamp.isEmpty())
        return std::nullopt;
    const fs::path base = entryBase(source, stamp);
    fs::path picture = base;
    picture += ".bmp";
    if (IsRegularFile(picture)) {
        if (!pixels)
            return SkinPicture{PictureKind::Picture, {}, {}};
        auto read = ReadPictureEntry(picture);
        if (read)
            noteUse(picture);
        return read;
    }
    fs::path reason = base;
    reason += ".txt";
    return ReadReasonEntry(reason);
}

void PictureCache::store(const fs::path& source, const QString& stamp, const SkinPicture& picture)
{
    if (stamp.isEmpty())
        return;
    fs::path path = entryBase(source, stamp);
    if (picture.Kind == PictureKind::Picture) {
        write(path.replace_extension(".bmp"), EncodeBmp24(picture.Image));
    } else {
        write(path.replace_extension(".txt"), (KindName(picture.Kind) + QLatin1Char('\n') + picture.Reason).toUtf8());
    }
}

void PictureCache::write(const fs::path& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    std::error_code error;
    fs::create_directories(m_folder, error);
    const uint64_t replaced = SizeOnDisk(path);
    // Whole or not at all: written beside it, then renamed over it, so that
    // a reader in another window never sees half. Not synced to the disk: a
    // picture lost in a crash is made again, and a damaged one too.
    try {
        WriteFilesTogether(m_folder, {NamedFile{path.filename().string(), bytes}});
    } catch (const AppError&) {
        return; // a full disk or a folder gone: the picture is made again next time
    }
    noteUse(path);
    const std::lock_guard lock(m_mutex);
    if (!m_bytes) {
        m_bytes = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, error))
            *m_bytes += SizeOnDisk(entry.path());
    } else {
        *m_bytes += uint64_t(bytes.size()) - std::min<uint64_t>(replaced, *m_bytes);
    }
    if (*m_bytes > m_limit)
        trim();
}

void PictureCache::noteUse(const fs::path& entry) const
{
    const std::lock_guard lock(m_mutex);
    m_uses[entry] = ++m_useCount;
}

void PictureCache::trim()
{
    struct Entry {
        fs::path Path;
        qint64 Used;
        uint64_t Use; // this process's order, 0 for the others'
        uint64_t Bytes;
    };
    std::vector<Entry> entries;
    uint64_t total = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, error)) {
        const QDateTime used = ChangeTime(entry.path());
        const uint64_t bytes = SizeOnDisk(entry.path());
        total += bytes;
        const auto use = m_uses.find(entry.path());
        entries.push_back({entry.path(), used.isValid() ? used.toMSecsSinceEpoch() : 0,
                           use == m_uses.end() ? 0 : use->second, bytes});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return std::tie(a.Used, a.Use) < std::tie(b.Used, b.Use); });
    const uint64_t target = m_limit / 4 * 3;
    for (const Entry& entry : entries) {
        if (total <= target)
            break;
        if (fs::remove(entry.Path, error)) {
            total -= entry.Bytes;
            m_uses.erase(entry.Path);
        }
    }
    m_bytes = total;
}

} // namespace tf
