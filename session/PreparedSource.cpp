#include "session/PreparedSource.h"

#include "platform/FileSource.h"
#include "platform/FileSystem.h"
#include "platform/ImageFile.h"
#include "skin/SkinState.h"
#include "sources/SkinFinder.h"

#include <QFile>
#include <algorithm>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Memory a conversion holds whatever the skin: the composed images, the
// output files as they are written, the fonts.
constexpr uint64_t kFixedConversionBytes = uint64_t(16) << 20;

// Enough of a file's start for its header.
constexpr qint64 kHeaderBytes = 4096;

// The load holds at most two decoded bitmaps at once (main.bmp with the
// one being composed, or the digits with main.bmp), each as 32-bit pixels.
uint64_t DecodedBytes(std::vector<long long> pixels)
{
    std::sort(pixels.rbegin(), pixels.rend());
    uint64_t bytes = 0;
    for (size_t i = 0; i < std::min<size_t>(pixels.size(), 2); ++i)
        bytes += uint64_t(pixels[i]) * 4;
    return bytes;
}

bool IsBitmapSlot(std::string_view name)
{
    return name.size() > 4 && name.substr(name.size() - 4) == ".bmp";
}

std::vector<long long> FolderPixels(const fs::path& folder)
{
    std::vector<long long> pixels;
    const FolderIndex index(folder);
    for (std::string_view name : kSourceFileTable) {
        if (!IsBitmapSlot(name))
            continue;
        const auto path = index.find(name);
        if (!path || !IsRegularFile(*path))
            continue;
        QFile file(PathToQString(*path));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray head = file.read(kHeaderBytes);
        pixels.push_back(ClaimedPixelCount(std::string_view(head.constData(), size_t(head.size())))
                             .value_or(kMaxDecodedPixels));
    }
    return pixels;
}

std::vector<long long> MemoryPixels(const MemoryFolder& folder)
{
    std::vector<long long> pixels;
    for (std::string_view name : kSourceFileTable) {
        const auto path = IsBitmapSlot(name) ? folder.find(name) : std::nullopt;
        if (path)
            pixels.push_back(ClaimedPixelCount(folder.read(*path, UINTMAX_MAX).view()).value_or(kMaxDecodedPixels));
    }
    return pixels;
}

} // namespace

bool IsArchiveSource(const fs::path& source, uint64_t* fileBytes)
{
    std::error_code error;
    const fs::file_status status = fs::status(source, error);
    if (error || !fs::is_regular_file(status) || !HasSkinArchiveExtension(source))
        return false;
    if (fileBytes)
        *fileBytes = fs::file_size(source, error);
    return true;
}

PreparedSource PrepareSource(const fs::path& source, const MemoryAllowance& allowance)
{
    PreparedSource prepared;
    prepared.Source = source;
    if (IsArchiveSource(source))
        prepared.Archive = ReadSkinArchiveFile(source, allowance);
    return prepared;
}

OpenResult OpenPreparedSource(SkinSession& session, const PreparedSource& prepared)
{
    return OpenSkinSource(session, prepared.Source, [&](const fs::path& archive) {
        // Read now should the file have become an archive since.
        return LoadSkinArchive(session, prepared.Archive ? *prepared.Archive : ReadSkinArchiveFile(archive));
    });
}

uint64_t EstimateConversionBytes(const PreparedSource& prepared)
{
    if (!prepared.Archive)
        return kFixedConversionBytes + DecodedBytes(FolderPixels(prepared.Source));
    const SkinArchiveInMemory& archive = *prepared.Archive;
    const uint64_t decoded = archive.Folder ? DecodedBytes(MemoryPixels(*archive.Folder)) : 0;
    return kFixedConversionBytes + archive.heldBytes() + decoded;
}

} // namespace tf
