#include "gallery/PictureFiles.h"

#include "platform/ArchiveText.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "sources/ArchiveExtraction.h"
#include "sources/MemberPath.h"
#include "sources/SkinFinder.h"

#include <QCoreApplication>
#include <archive.h>
#include <archive_entry.h>
#include <algorithm>
#include <map>
#include <memory>
#include <set>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr size_t kReadBlockBytes = 64 * 1024;
const std::string kMainName = "main.bmp";
const std::string kTitleBarName = "titlebar.bmp";

QString NoMainBmp()
{
    return QCoreApplication::translate("Gallery", "main.bmp がありません");
}

QString Unreadable(const QString& reason)
{
    return QCoreApplication::translate("Gallery", "アーカイブを読めません (%1)").arg(reason);
}

struct ReaderFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
using Reader = std::unique_ptr<archive, ReaderFree>;

std::string LibraryText(archive* a)
{
    const char* text = archive_error_string(a);
    return text ? text : "";
}

// A member as an unpacked copy would hold it: its folded folder path and
// folded file name, or nothing for a member that would not be written.
struct MemberPlace {
    std::string Folder; // folded components joined by '/', "" for the root
    std::string Name;   // folded
    bool IsFolder = false;
};

std::optional<MemberPlace> PlaceOf(archive_entry* entry, std::vector<std::string>* spelling)
{
    const MemberPath member = ParseMemberPath(MemberNameUtf8(entry));
    const unsigned type = archive_entry_filetype(entry);
    if (member.Rejected || archive_entry_hardlink(entry) || type == AE_IFLNK)
        return std::nullopt;
    const bool folder = type == AE_IFDIR || (member.Folder && (type == AE_IFREG || type == 0));
    if (!folder && type != AE_IFREG && type != 0)
        return std::nullopt;
    MemberPlace place;
    place.IsFolder = folder;
    const size_t folderParts = folder ? member.Components.size() : member.Components.size() - 1;
    for (size_t i = 0; i < folderParts; ++i)
        place.Folder += (i ? "/" : "") + FoldFileName(member.Components[i]);
    if (!folder)
        place.Name = FoldFileName(member.Components.back());
    if (spelling)
        *spelling = member.Components;
    return place;
}

// The folders an unpacked copy would hold, by folded path, with the spelling
// of their last name as the first member gave it (what the disk keeps), and
// whether each holds main.bmp.
class FolderTree {
public:
    void addFolders(const std::vector<std::string>& spelled, size_t count)
    {
        std::string path;
        for (size_t i = 0; i < count; ++i) {
            const std::string parent = path;
            path += (i ? "/" : "") + FoldFileName(spelled[i]);
            if (m_folders.emplace(path, Folder{spelled[i], {}, false}).second)
                m_folders[parent].Children.insert(path);
        }
    }
    void markSkin(const std::string& folder) { m_folders[folder].HoldsMain = true; }

    // As FindSkinFolder searches the unpacked copy: depth first in name
    // order, hidden folders left out, a skin folder's own subfolders not
    // searched, the last find kept.
    std::optional<std::string> skinFolder() const
    {
        std::optional<std::string> found;
        std::vector<std::string> pending{""};
        while (!pending.empty()) {
            const std::string current = std::move(pending.back());
            pending.pop_back();
            const auto it = m_folders.find(current);
            if (it == m_folders.end())
                continue;
            if (it->second.HoldsMain) {
                found = current;
                continue;
            }
            std::vector<const std::string*> children;
            for (const std::string& child : it->second.Children)
                if (!IsHiddenName(m_folders.at(child).Spelling))
                    children.push_back(&child);
            std::sort(children.begin(), children.end(), [&](const std::string* a, const std::string* b) {
                return m_folders.at(*a).Spelling < m_folders.at(*b).Spelling;
            });
            for (auto child = children.rbegin(); child != children.rend(); ++child)
                pending.push_back(**child);
        }
        return found;
    }

private:
    struct Folder {
        std::string Spelling;
        std::set<std::string> Children;
        bool HoldsMain = false;
    };
    std::map<std::string, Folder> m_folders{{"", Folder{}}};
};

class ArchivePictureReader {
public:
    explicit ArchivePictureReader(fs::path archive) : m_archive(std::move(archive)) {}

    PictureFiles read()
    {
        PictureFiles files;
        std::string error;
        const std::optional<std::string> folder = findSkinFolder(error);
        if (!folder) {
            files.Result = error.empty() ? PictureFiles::Outcome::NoSkin : PictureFiles::Outcome::Unreadable;
            files.Reason = error.empty() ? NoMainBmp() : Unreadable(QString::fromStdString(error));
            return files;
        }
        std::optional<std::string> main;
        readMembers(*folder, main, files.TitleBar, error);
        if (!main) {
            files.Result = PictureFiles::Outcome::Unreadable;
            files.Reason = Unreadable(QString::fromStdString(error.empty() ? "main.bmp" : error));
            return files;
        }
        files.Result = PictureFiles::Outcome::Found;
        files.Main = std::move(*main);
        return files;
    }

private:
    bool open(std::string& error)
    {
        m_reader.reset(archive_read_new());
        archive_read_support_format_zip(m_reader.get());
        if (OpenArchiveForReading(m_reader.get(), m_archive, kReadBlockBytes) == ARCHIVE_OK)
            return true;
        error = LibraryText(m_reader.get());
        return false;
    }

    // The first pass reads the headers only.
    std::optional<std::string> findSkinFolder(std::string& error)
    {
        if (!open(error))
            return std::nullopt;
        FolderTree tree;
        int members = 0;
        for (;;) {
            archive_entry* entry = nullptr;
            const int status = archive_read_next_header(m_reader.get(), &entry);
            if (status == ARCHIVE_EOF || ++members > m_limits.MaxMembers)
                break;
            if (status == ARCHIVE_FATAL) {
                // What came before a broken header still counts, as it does
                // when the archive is unpacked.
                if (members == 1)
                    error = LibraryText(m_reader.get());
                break;
            }
            if (status == ARCHIVE_RETRY)
                continue;
            std::vector<std::string> spelled;
            const auto place = PlaceOf(entry, &spelled);
            if (!place)
                continue;
            tree.addFolders(spelled, place->IsFolder ? spelled.size() : spelled.size() - 1);
            if (!place->IsFolder && place->Name == kMainName)
                tree.markSkin(place->Folder);
        }
        return tree.skinFolder();
    }

    // The second pass takes the data of the two files; a later member of the
    // same name replaces an earlier one, and a damaged one leaves none.
    void readMembers(const std::string& folder, std::optional<std::string>& main,
                     std::optional<std::string>& titleBar, std::string& error)
    {
        if (!open(error))
            return;
        for (int members = 0; members < m_limits.MaxMembers; ++members) {
            archive_entry* entry = nullptr;
            const int status = archive_read_next_header(m_reader.get(), &entry);
            if (status == ARCHIVE_EOF || status == ARCHIVE_FATAL)
                return;
            if (status == ARCHIVE_RETRY)
                continue;
            const auto place = PlaceOf(entry, nullptr);
            if (!place || place->IsFolder || place->Folder != folder)
                continue;
            std::optional<std::string>* target
                = place->Name == kMainName ? &main : place->Name == kTitleBarName ? &titleBar : nullptr;
            if (!target)
                continue;
            *target = readData(error);
            if (!*target && m_fatal)
                return; // the library reads no further
        }
    }

    std::optional<std::string> readData(std::string& error)
    {
        std::string bytes;
        m_fatal = false;
        for (;;) {
            const void* block = nullptr;
            size_t size = 0;
            la_int64_t offset = 0;
            const int status = archive_read_data_block(m_reader.get(), &block, &size, &offset);
            if (status == ARCHIVE_EOF)
                return bytes;
            if (status != ARCHIVE_OK) {
                error = LibraryText(m_reader.get());
                m_fatal = status == ARCHIVE_FATAL;
                return std::nullopt;
            }
            if (bytes.size() + size > m_limits.MaxMemberBytes) {
                error = "main.bmp / titlebar.bmp: " + std::to_string(m_limits.MaxMemberBytes >> 20) + " MiB";
                return std::nullopt;
            }
            bytes.append(static_cast<const char*>(block), size);
        }
    }

    fs::path m_archive;
    Reader m_reader;
    ExtractionLimits m_limits;
    bool m_fatal = false;
};

std::optional<std::string> ReadIfThere(const fs::path& folder, std::string_view name, const ExtractionLimits& limits)
{
    const auto path = FindFileNoCase(folder, name);
    if (!path || !IsRegularFile(*path))
        return std::nullopt;
    return ReadFileBytes(*path, limits.MaxMemberBytes);
}

} // namespace

PictureFiles ReadPictureFiles(const fs::path& source)
{
    std::error_code error;
    const fs::file_status status = fs::status(source, error);
    if (fs::is_directory(status)) {
        PictureFiles files;
        try {
            const ExtractionLimits limits;
            const auto main = ReadIfThere(source, kMainName, limits);
            if (!main) {
                files.Reason = NoMainBmp();
                return files;
            }
            files.Main = *main;
            files.TitleBar = ReadIfThere(source, kTitleBarName, limits);
            files.Result = PictureFiles::Outcome::Found;
        } catch (const AppError& failure) {
            files.Result = PictureFiles::Outcome::Unreadable;
            files.Reason = failure.message();
        }
        return files;
    }
    if (!fs::is_regular_file(status) || !HasSkinArchiveExtension(source)) {
        PictureFiles files;
        files.Reason = NoMainBmp();
        return files;
    }
    const ArchiveNameScope names;
    return ArchivePictureReader(source).read();
}

} // namespace tf
