#include "session/OpenSkinInMemory.h"

#include "platform/FileSource.h"
#include "session/OpenSkinSteps.h"
#include "skin/SkinState.h"
#include "sources/ArchiveFile.h"
#include "sources/MemberPath.h"

namespace fs = std::filesystem;

namespace tf {
namespace {

const std::vector<std::string>& SourceTableNames()
{
    static const std::vector<std::string> names(kSourceFileTable.begin(), kSourceFileTable.end());
    return names;
}

} // namespace

uint64_t SkinArchiveInMemory::heldBytes() const
{
    return Report.BytesWritten;
}

SkinArchiveInMemory ReadSkinArchiveFile(const fs::path& archive, const MemoryAllowance& allowance)
{
    SkinArchiveInMemory read;
    read.Archive = archive;
    const ExtractionLimits limits;
    const std::optional<std::string> bytes = ReadArchiveFile(archive, limits, read.Report);
    if (!bytes)
        return read;
    read.ArchiveBytes = bytes->size();
    SkinArchiveContents contents = ReadSkinArchive(*bytes, SourceTableNames(), limits, allowance);
    read.Report = std::move(contents.Report);
    read.Interrupted = contents.Interrupted;
    if (!contents.SkinFolder)
        return read;
    std::vector<std::pair<std::string, std::string>> files;
    for (SkinArchiveFile& file : contents.Files)
        files.emplace_back(std::move(file.Name), std::move(file.Bytes));
    // Under the archive's own path, where no file of the disk can be: the
    // messages then name "base.wsz の Skin/main.bmp" as for an unpacked one.
    const fs::path folder = contents.SkinFolder->empty() ? archive : archive / RelativePath(*contents.SkinFolder);
    read.Folder = std::make_shared<MemoryFolder>(folder, std::move(files));
    return read;
}

OpenResult LoadSkinArchive(SkinSession& session, const SkinArchiveInMemory& read)
{
    OpenResult result;
    const ShownPaths names(read.Archive, read.Archive);
    if (!ReportArchiveReading(read.Archive, read.Report, read.Folder != nullptr, names, result))
        return result;
    result.SkinFolder = read.Folder->folder();
    SetSkinSource(session, read.Folder, names);
    LoadSetSource(session, result);
    return result;
}

} // namespace tf
