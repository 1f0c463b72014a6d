#include "sources/ArchiveInMemory.h"

#include "platform/FileSystem.h"
#include "sources/ArchiveReader.h"
#include "sources/MemberPath.h"
#include "sources/SkinFinder.h"

#include <archive.h>
#include <archive_entry.h>
#include <algorithm>
#include <map>
#include <set>

namespace tf {
namespace {

// A file taken from the archive: the last member written to its name, whose
// content wins as it does on disk.
struct TakenFile {
    int Member = 0;
    std::string Name;
    std::string Bytes;
};

std::string LastComponent(const std::string& relative)
{
    return relative.substr(relative.rfind('/') + 1);
}

std::string FolderOf(const std::string& relative)
{
    const size_t slash = relative.rfind('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

} // namespace

SkinArchiveContents ReadSkinArchive(std::string_view archive, const std::vector<std::string>& wantedNames,
                                    const ExtractionLimits& limits, const MemoryAllowance& allowance)
{
    // main.bmp always: without it whole there is no skin.
    std::set<std::string> wanted{FoldFileName("main.bmp")};
    for (const std::string& name : wantedNames)
        wanted.insert(FoldFileName(name));

    // One look at every header, in archive order. The tree is what the
    // folder would hold had every member been written to disk; which of
    // its folders is the skin's is known only at the end, so a wanted name
    // is taken in any folder, and every other member's data is never read.
    SkinArchiveContents contents;
    ExtractionReport& report = contents.Report;
    ArchiveReader reader(archive);
    CaseFoldedTree tree;
    std::map<std::string, TakenFile> taken; // by relative path
    WalkMembers(reader, limits, report, [&](archive_entry* entry, int index) {
        const MemberHeader header = ReadMemberHeader(entry);
        if (header.Kind == MemberHeader::Type::Skipped) {
            report.Skipped.push_back({header.Path.Name, header.Reason, {}});
            return WalkStep::Next;
        }
        const bool folder = header.Kind == MemberHeader::Type::Folder;
        const auto resolved = tree.resolve(header.Path.Components,
                                           folder ? CaseFoldedTree::Kind::Folder : CaseFoldedTree::Kind::File);
        if (!resolved) {
            report.Skipped.push_back({header.Path.Name, SkipReason::NameTaken, {}});
            return WalkStep::Next;
        }
        if (folder || !wanted.count(FoldFileName(LastComponent(*resolved))))
            return WalkStep::Next;
        std::string bytes;
        // A size the header claims only reserves room; what comes out counts.
        if (archive_entry_size_is_set(entry))
            bytes.reserve(size_t(std::min<uint64_t>(uint64_t(std::max<la_int64_t>(archive_entry_size(entry), 0)),
                                                    limits.MaxMemberBytes)));
        std::string detail;
        const ArchiveReader::Data result = reader.readData(limits, report.BytesWritten, [&](const void* block, size_t size) {
            if (allowance && !allowance(report.BytesWritten + size)) {
                contents.Interrupted = true;
                return false;
            }
            bytes.append(static_cast<const char*>(block), size);
            return true;
        }, detail);
        if (contents.Interrupted)
            return WalkStep::Stop;
        if (result == ArchiveReader::Data::Complete) {
            report.Files.push_back(RelativePath(*resolved));
            taken[*resolved] = {index, LastComponent(*resolved), std::move(bytes)};
            return WalkStep::Next;
        }
        // A member that did not come out whole leaves no file of its name,
        // as on disk, where its half is removed.
        taken.erase(*resolved);
        return NoteIncompleteMember(report, header.Path, result, detail);
    });
    if (contents.Interrupted)
        return contents;

    const std::optional<std::string> skinFolder = FindSkinFolder(tree);
    std::vector<TakenFile> files;
    for (auto& [relative, file] : taken)
        if (skinFolder && FolderOf(relative) == *skinFolder)
            files.push_back(std::move(file));
    std::sort(files.begin(), files.end(), [](const TakenFile& a, const TakenFile& b) { return a.Member < b.Member; });
    // Without its main.bmp whole the folder is no skin.
    if (std::none_of(files.begin(), files.end(), [](const TakenFile& file) { return FoldFileName(file.Name) == "main.bmp"; }))
        return contents;
    contents.SkinFolder = skinFolder;
    for (TakenFile& file : files)
        contents.Files.push_back({std::move(file.Name), std::move(file.Bytes)});
    return contents;
}

} // namespace tf
