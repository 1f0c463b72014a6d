#include "skin/GeometryData.h"

#include "platform/FileSource.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

#include <map>
#include <mutex>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Keeps what reading the files showed, to be shown again for every session.
class RecordingPrompts : public Prompts {
public:
    explicit RecordingPrompts(std::vector<GeometryData::Message>& messages) : m_messages(messages) {}
    MessageAnswer showMessage(MessageIcon icon, const QString& caption, const QString& text) override
    {
        m_messages.push_back({icon, caption, text});
        return MessageAnswer::Ok;
    }

private:
    std::vector<GeometryData::Message>& m_messages;
};

// What the data was read from: the folder (a file added or removed changes
// it) and every file that was found.
using Stamps = std::vector<std::pair<fs::path, std::optional<FileStamp>>>;

Stamps TakeStamps(const std::vector<fs::path>& paths)
{
    Stamps stamps;
    for (const fs::path& path : paths)
        stamps.emplace_back(path, DiskFiles().stamp(path));
    return stamps;
}

bool StampsHold(const Stamps& stamps)
{
    for (const auto& [path, stamp] : stamps)
        if (DiskFiles().stamp(path) != stamp)
            return false;
    return true;
}

// The stamps are taken first: a file changed while it is read is read again
// next time.
std::shared_ptr<const GeometryData> ReadGeometryData(const fs::path& dataFolder, Stamps& stamps)
{
    auto data = std::make_shared<GeometryData>();
    const FolderIndex index(dataFolder);
    std::vector<fs::path> read{dataFolder};
    for (const GeometryFile& file : kStartupGeometryFiles)
        if (const auto found = index.find(file.Name))
            read.push_back(*found);
    data->PanTablePath = index.find("pan.dat").value_or(dataFolder / "pan.dat");
    read.push_back(data->PanTablePath);
    stamps = TakeStamps(read);

    RecordingPrompts recorder(data->Messages);
    ReadStartupGeometry(data->Rects, dataFolder, recorder);
    try {
        data->PanTable = ReadLines(data->PanTablePath);
    } catch (const AppError& failure) {
        data->PanTableError = failure;
    }
    return data;
}

} // namespace

std::shared_ptr<const GeometryData> SharedGeometryData(const fs::path& dataFolder)
{
    struct Entry {
        tf::Stamps Stamps;
        std::shared_ptr<const GeometryData> Data;
    };
    static std::mutex mutex;
    static std::map<fs::path, Entry> entries;
    const std::lock_guard lock(mutex);
    Entry& entry = entries[dataFolder];
    if (!entry.Data || !StampsHold(entry.Stamps))
        entry.Data = ReadGeometryData(dataFolder, entry.Stamps);
    return entry.Data;
}

void ApplyStartupGeometry(const GeometryData& data, PartRectTable& rects, Prompts& prompts)
{
    rects = data.Rects;
    for (const GeometryData::Message& message : data.Messages)
        prompts.showMessage(message.Icon, message.Caption, message.Text);
}

} // namespace tf
