#pragma once

// The skins of one folder with their pictures, as a list model for a
// gallery view: the name of each, and its picture once made. The folder is
// listed and the pictures made on other threads, one skin per core at a
// time, so the thread of the model never waits for the disk; the rows shown
// are asked for first (by asking for their picture), then every other row
// in the background, so that the whole folder is known and its pictures
// kept in the cache for the next time. Only a bounded number of pictures is
// held in memory; one asked for again after it was let go comes back from
// the cache.

#include "gallery/PictureCache.h"
#include "gallery/SkinCollection.h"

#include <QAbstractListModel>
#include <QCache>
#include <QHash>
#include <QImage>
#include <filesystem>
#include <memory>
#include <vector>

class QThreadPool;

namespace tf {

class PictureQueue;

class GalleryModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        PathRole = Qt::UserRole + 1, // QString, the source's path
        StateRole,                   // int, a TileState
        ReasonRole,                  // QString, why there is no picture
        IsFolderRole,                // bool
    };
    enum class TileState { Waiting, Picture, NoSkin, Unreadable };

    static constexpr qint64 kDefaultHeldBytes = qint64(48) << 20;

    explicit GalleryModel(std::shared_ptr<PictureCache> cache, QObject* parent = nullptr);
    ~GalleryModel() override;

    // Lists the folder's skins; the rows come with listed(). The same folder
    // again lists it afresh (it may have changed).
    void setFolder(const std::filesystem::path& folder);
    const std::filesystem::path& folder() const { return m_folder; }
    bool isListing() const { return m_listing; }

    std::filesystem::path pathAt(int row) const;
    TileState stateAt(int row) const;
    // The row of a source, or -1.
    int rowOf(const std::filesystem::path& source) const;
    // Rows whose tile is known (a picture, or why there is none).
    int resolvedCount() const { return m_resolved; }
    // The picture of a row if it is held now; asks for it otherwise.
    QImage pictureAt(int row) const;

    // Most bytes of pictures held in memory (the default suits a thousand
    // skins in well under the window's memory aim).
    void setHeldBytes(qint64 bytes);
    int threadCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    void listed();
    // Every row's tile is known.
    void allResolved();

private:
    struct Row {
        CollectionEntry Entry;
        TileState State = TileState::Waiting;
        QString Reason;
    };
    struct Result;

    void takeListing(unsigned generation, std::vector<CollectionEntry> entries);
    void takeResult(const Result& result);
    void ask(int row) const;
    void startWorkers() const;

    std::shared_ptr<PictureCache> m_cache;
    std::shared_ptr<PictureQueue> m_queue;
    std::unique_ptr<QThreadPool> m_pool;
    std::filesystem::path m_folder;
    unsigned m_generation = 0;
    bool m_listing = false;
    std::vector<Row> m_rows;
    QHash<QString, int> m_rowOfPath;
    int m_resolved = 0;
    mutable std::vector<bool> m_asked; // a picture is on its way
    mutable QCache<int, QImage> m_held;
};

} // namespace tf
