#include "gallery/GalleryModel.h"

#include "platform/FileSystem.h"
#include "platform/ThreadPriority.h"

#include <QThread>
#include <QThreadPool>
#include <deque>
#include <mutex>
#include <optional>

namespace fs = std::filesystem;

namespace tf {

// The work of the pictures, shared by the model and its worker threads:
// the rows asked for (the latest first, as they are the ones in view),
// then every row in order. Each row is worked on once, unless its picture
// is asked for again after it was let go.
class PictureQueue {
public:
    struct Job {
        unsigned Generation = 0;
        int Row = 0;
        fs::path Path;
        bool Pixels = false; // the picture itself, not only its kind
    };

    explicit PictureQueue(int workers) : m_maxWorkers(workers) {}

    void reset(unsigned generation, std::vector<fs::path> paths)
    {
        const std::lock_guard lock(m_mutex);
        m_generation = generation;
        m_paths = std::move(paths);
        m_taken.assign(m_paths.size(), 0);
        m_asked.clear();
        m_nextInOrder = 0;
    }

    void ask(unsigned generation, int row)
    {
        const std::lock_guard lock(m_mutex);
        if (generation != m_generation || row < 0 || size_t(row) >= m_paths.size())
            return;
        m_taken[size_t(row)] &= ~kPixelsTaken;
        m_asked.push_back(row);
    }

    // Counts a worker in when there is work for one more.
    bool startWorker()
    {
        const std::lock_guard lock(m_mutex);
        if (m_workers >= m_maxWorkers || !hasWork())
            return false;
        ++m_workers;
        return true;
    }

    // The next job; nothing (and the worker counted out) when there is none.
    std::optional<Job> take()
    {
        const std::lock_guard lock(m_mutex);
        while (!m_asked.empty()) {
            const int row = m_asked.back();
            m_asked.pop_back();
            if (m_taken[size_t(row)] & kPixelsTaken)
                continue;
            m_taken[size_t(row)] |= kPixelsTaken | kKindTaken;
            return Job{m_generation, row, m_paths[size_t(row)], true};
        }
        for (; m_nextInOrder < m_paths.size(); ++m_nextInOrder) {
            const size_t row = m_nextInOrder;
            if (m_taken[row])
                continue;
            m_taken[row] = kKindTaken;
            return Job{m_generation, int(row), m_paths[row], false};
        }
        --m_workers;
        return std::nullopt;
    }

    int maxWorkers() const { return m_maxWorkers; }

private:
    static constexpr char kKindTaken = 1, kPixelsTaken = 2;

    bool hasWork() const
    {
        if (!m_asked.empty())
            return true;
        for (size_t row = m_nextInOrder; row < m_paths.size(); ++row)
            if (!m_taken[row])
                return true;
        return false;
    }

    std::mutex m_mutex;
    const int m_maxWorkers;
    int m_workers = 0;
    unsigned m_generation = 0;
    std::vector<fs::path> m_paths;
    std::vector<char> m_taken;
    std::vector<int> m_asked;
    size_t m_nextInOrder = 0;
};

struct GalleryModel::Result {
    unsigned Generation = 0;
    int Row = 0;
    SkinPicture Picture;
    bool HasPixels = false;
};

namespace {

GalleryModel::TileState StateOf(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Picture: return GalleryModel::TileState::Picture;
    case PictureKind::NoSkin: return GalleryModel::TileState::NoSkin;
    case PictureKind::Unreadable: break;
    }
    return GalleryModel::TileState::Unreadable;
}

// The picture from the cache when it holds one for the source as it is
// now, else made and kept there.
SkinPicture PictureFor(PictureCache& cache, const PictureQueue::Job& job, bool& hasPixels)
{
    const QString stamp = SourceStamp(job.Path);
    if (auto cached = cache.find(job.Path, stamp, job.Pixels)) {
        hasPixels = job.Pixels;
        return std::move(*cached);
    }
    SkinPicture picture = MakeSkinPicture(job.Path);
    cache.store(job.Path, stamp, picture);
    // Pictures of rows not in view wait in the cache rather than in memory.
    hasPixels = job.Pixels;
    if (!job.Pixels)
        picture.Image = QImage();
    return picture;
}

int ImageCost(const QImage& image)
{
    return int(std::max<qint64>(1, image.sizeInBytes() / 1024)); // in KiB
}

} // namespace

GalleryModel::GalleryModel(std::shared_ptr<PictureCache> cache, QObject* parent)
    : QAbstractListModel(parent)
    , m_cache(std::move(cache))
    , m_queue(std::make_shared<PictureQueue>(std::max(1, QThread::idealThreadCount())))
    , m_pool(std::make_unique<QThreadPool>())
{
    m_pool->setMaxThreadCount(m_queue->maxWorkers() + 1); // one more for the listing
    setHeldBytes(kDefaultHeldBytes);
}

GalleryModel::~GalleryModel()
{
    // Workers post to the model: none may run once it is gone.
    m_queue->reset(++m_generation, {});
    m_pool->waitForDone();
}

void GalleryModel::setHeldBytes(qint64 bytes)
{
    m_held.setMaxCost(int(std::max<qint64>(1, bytes / 1024)));
}

int GalleryModel::threadCount() const
{
    return m_queue->maxWorkers();
}

void GalleryModel::setFolder(const fs::path& folder)
{
    const unsigned generation = ++m_generation;
    m_queue->reset(generation, {});
    m_folder = folder;
    m_listing = true;
    beginResetModel();
    m_rows.clear();
    m_rowOfPath.clear();
    m_asked.clear();
    m_held.clear();
    m_resolved = 0;
    endResetModel();
    m_pool->start([this, generation, folder] {
        LowerCurrentThreadPriority();
        std::vector<CollectionEntry> entries = ListSkinCollection(folder);
        QMetaObject::invokeMethod(
            this, [this, generation, entries = std::move(entries)]() mutable { takeListing(generation, std::move(entries)); },
            Qt::QueuedConnection);
    });
}

void GalleryModel::takeListing(unsigned generation, std::vector<CollectionEntry> entries)
{
    if (generation != m_generation)
        return;
    std::vector<fs::path> paths;
    paths.reserve(entries.size());
    beginResetModel();
    m_rows.clear();
    for (CollectionEntry& entry : entries) {
        paths.push_back(entry.Path);
        m_rowOfPath.insert(PathToQString(entry.Path), int(m_rows.size()));
        m_rows.push_back({std::move(entry), TileState::Waiting, {}});
    }
    m_asked.assign(m_rows.size(), false);
    m_listing = false;
    m_queue->reset(generation, std::move(paths));
    endResetModel();
    emit listed();
    // The rest once the rows in view (painted after the reset, or asked for
    // meanwhile) have been asked for, so that they come first.
    QMetaObject::invokeMethod(this, &GalleryModel::startWorkers, Qt::QueuedConnection);
    if (m_rows.empty())
        emit allResolved();
}

void GalleryModel::startWorkers() const
{
    const std::shared_ptr<PictureQueue> queue = m_queue;
    const std::shared_ptr<PictureCache> cache = m_cache;
    auto* model = const_cast<GalleryModel*>(this);
    while (queue->startWorker()) {
        m_pool->start([queue, cache, model] {
            LowerCurrentThreadPriority();
            while (const std::optional<PictureQueue::Job> job = queue->take()) {
                Result result{job->Generation, job->Row, {}, false};
                result.Picture = PictureFor(*cache, *job, result.HasPixels);
                QMetaObject::invokeMethod(
                    model, [model, result = std::move(result)] { model->takeResult(result); }, Qt::QueuedConnection);
            }
        });
    }
}

void GalleryModel::takeResult(const Result& result)
{
    if (result.Generation != m_generation || size_t(result.Row) >= m_rows.size())
        return;
    Row& row = m_rows[size_t(result.Row)];
    const bool newlyKnown = row.State == TileState::Waiting;
    row.State = StateOf(result.Picture.Kind);
    row.Reason = result.Picture.Reason;
    if (result.HasPixels) {
        m_asked[size_t(result.Row)] = false;
        if (!result.Picture.Image.isNull())
            m_held.insert(result.Row, new QImage(result.Picture.Image), ImageCost(result.Picture.Image));
    }
    const QModelIndex changed = index(result.Row);
    emit dataChanged(changed, changed);
    if (newlyKnown && ++m_resolved == int(m_rows.size()))
        emit allResolved();
}

void GalleryModel::ask(int row) const
{
    if (m_asked[size_t(row)])
        return;
    m_asked[size_t(row)] = true;
    m_queue->ask(m_generation, row);
    startWorkers();
}

fs::path GalleryModel::pathAt(int row) const
{
    return row >= 0 && size_t(row) < m_rows.size() ? m_rows[size_t(row)].Entry.Path : fs::path();
}

GalleryModel::TileState GalleryModel::stateAt(int row) const
{
    return row >= 0 && size_t(row) < m_rows.size() ? m_rows[size_t(row)].State : TileState::Waiting;
}

int GalleryModel::rowOf(const fs::path& source) const
{
    return m_rowOfPath.value(PathToQString(source), -1);
}

QImage GalleryModel::pictureAt(int row) const
{
    if (row < 0 || size_t(row) >= m_rows.size())
        return {};
    if (const QImage* held = m_held.object(row))
        return *held;
    const TileState state = m_rows[size_t(row)].State;
    if (state == TileState::Waiting || state == TileState::Picture)
        ask(row);
    return {};
}

int GalleryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant GalleryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const Row& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.Entry.Name;
    case Qt::ToolTipRole:
        return row.Reason.isEmpty() ? PathToQString(row.Entry.Path)
                                    : PathToQString(row.Entry.Path) + QLatin1Char('\n') + row.Reason;
    case Qt::DecorationRole: {
        const QImage picture = pictureAt(index.row());
        return picture.isNull() ? QVariant() : QVariant(picture);
    }
    case PathRole:
        return PathToQString(row.Entry.Path);
    case StateRole:
        return int(row.State);
    case ReasonRole:
        return row.Reason;
    case IsFolderRole:
        return row.Entry.IsFolder;
    default:
        return {};
    }
}

} // namespace tf
