#include "sources/ArchiveInMemory.h"

#include "platform/ArchiveText.h"
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

struct ListedFile {
    int Member = 0; // the last member written to this name: its content wins
    std::string Relative;
};

// The first look: every header, no data. The tree is what the folder
// would hold had every member been written to disk.
std::map<std::string, int> ListMembers(ArchiveReader& reader, const ExtractionLimits& limits,
                                       ExtractionReport& report, CaseFoldedTree& tree)
{
    std::map<std::string, int> lastWriter; // relative path -> member
    WalkMembers(reader, limits, report, [&](archive_entry* entry, int index) {
        const MemberHeader header = ReadMemberHeader(entry);
        if (header.Kind == MemberHeader::Type::Skipped) {
            report.Skipped.push_back({header.Path.Name, header.Reason, {}});
            return WalkStep::Next;
        }
        const bool folder = header.Kind == MemberHeader::Type::Folder;
        const auto resolved = tree.resolve(header.Path.Components,
                                           folder ? CaseFoldedTree::Kind::Folder : CaseFoldedTree::Kind::File);
        if (!resolved)
            report.Skipped.push_back({header.Path.Name, SkipReason::NameTaken, {}});
        else if (!folder)
            lastWriter[*resolved] = index;
        return WalkStep::Next;
    });
    return lastWriter;
}

// The wanted files of the skin folder, in archive order.
std::vector<ListedFile> FilesToTake(const CaseFoldedTree& tree, const std::string& folder,
                                    const std::map<std::string, int>& lastWriter,
                                    const std::vector<std::string>& wantedNames)
{
    // main.bmp always: without it whole there is no skin.
    std::set<std::string> wanted{FoldFileName("main.bmp")};
    for (const std::string& name : wantedNames)
        wanted.insert(FoldFileName(name));
    std::vector<ListedFile> files;
    if (const CaseFoldedTree::Children* children = tree.children(folder))
        for (const auto& [folded, child] : *children) {
            if (child.Type != CaseFoldedTree::Kind::File || !wanted.count(folded))
                continue;
            const std::string relative = folder.empty() ? child.Name : folder + '/' + child.Name;
            files.push_back({lastWriter.at(relative), relative});
        }
    std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) { return a.Member < b.Member; });
    return files;
}

// The second look: the data of the files to take, and of no other member.
void TakeFiles(ArchiveReader& reader, const ExtractionLimits& limits, const MemoryAllowance& allowance,
               const std::vector<ListedFile>& files, SkinArchiveContents& contents)
{
    // The headers read as they did the first time, so what the walk itself
    // reports stays as it was.
    ExtractionReport& report = contents.Report;
    size_t next = 0;
    WalkMembers(reader, limits, report, [&](archive_entry* entry, int index) {
        if (next == files.size())
            return WalkStep::Stop;
        if (files[next].Member != index)
            return WalkStep::Next;
        const ListedFile& file = files[next++];
        const MemberPath member = ParseMemberPath(StoredMemberName(entry));
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
            report.Files.push_back(RelativePath(file.Relative));
            contents.Files.push_back({file.Relative.substr(file.Relative.rfind('/') + 1), std::move(bytes)});
            return WalkStep::Next;
        }
        return NoteIncompleteMember(report, member, result, detail);
    });
}

} // namespace

SkinArchiveContents ReadSkinArchive(std::string_view archive, const std::vector<std::string>& wantedNames,
                                    const ExtractionLimits& limits, const MemoryAllowance& allowance)
{
    SkinArchiveContents contents;
    ArchiveReader reader(archive);
    CaseFoldedTree tree;
    const std::map<std::string, int> lastWriter = ListMembers(reader, limits, contents.Report, tree);
    const std::optional<std::string> folder = FindSkinFolder(tree);
    if (!folder)
        return contents;
    TakeFiles(reader, limits, allowance, FilesToTake(tree, *folder, lastWriter, wantedNames), contents);
    if (contents.Interrupted) {
        contents.Files.clear();
        return contents;
    }
    const bool hasMainBmp = std::any_of(contents.Files.begin(), contents.Files.end(), [](const SkinArchiveFile& file) {
        return FoldFileName(file.Name) == "main.bmp";
    });
    if (hasMainBmp)
        contents.SkinFolder = folder;
    else
        contents.Files.clear();
    return contents;
}

} // namespace tf
