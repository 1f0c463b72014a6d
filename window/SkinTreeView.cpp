#include "window/SkinTreeView.h"

#include "platform/FileSystem.h"
#include "sources/SkinFinder.h"
#include "window/SmallIcon.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <vector>

namespace tf {
namespace {

// Small folder and file icons drawn once: the desktop's icon theme would be
// searched on the first icon (a noticeable part of start-up) and would look
// every file's type up while the tree lists a folder.
QIcon DrawIcon(bool folder)
{
    return DrawSmallIcon(QColor(96, 96, 96), [folder](QPainter& painter) {
        if (folder) {
            painter.setBrush(QColor(240, 200, 90));
            painter.drawRect(1, 4, 13, 9);
            painter.drawRect(1, 2, 5, 2);
        } else {
            painter.setBrush(Qt::white);
            painter.drawRect(3, 1, 10, 13);
            painter.drawLine(5, 5, 10, 5);
            painter.drawLine(5, 8, 10, 8);
        }
    });
}

} // namespace

class PlainIconProvider : public QAbstractFileIconProvider {
public:
    PlainIconProvider()
        : m_folder(DrawIcon(true))
        , m_file(DrawIcon(false))
    {
    }
    QIcon icon(IconType type) const override { return type == Folder ? m_folder : m_file; }
    QIcon icon(const QFileInfo& info) const override { return info.isDir() ? m_folder : m_file; }

private:
    QIcon m_folder;
    QIcon m_file;
};

SkinTreeFilter::SkinTreeFilter(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setRecursiveFilteringEnabled(false);
    setDynamicSortFilter(false);
}

bool SkinTreeFilter::AcceptsEntry(const QString& name, bool isFolder)
{
    if (isFolder)
        return true;
    return HasSkinArchiveExtension(QStringToPath(name));
}

bool SkinTreeFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const auto* files = static_cast<const QFileSystemModel*>(sourceModel());
    const QModelIndex entry = files->index(sourceRow, 0, sourceParent);
    // The model's own type answer avoids a second stat per entry.
    return AcceptsEntry(files->fileName(entry), files->isDir(entry));
}

void SkinTreeFilter::setHasChildren(const QModelIndex& index, bool hasChildren)
{
    const QString path = static_cast<const QFileSystemModel*>(sourceModel())->filePath(mapToSource(index));
    if (hasChildren)
        m_childless.remove(path);
    else
        m_childless.insert(path);
}

bool SkinTreeFilter::hasChildren(const QModelIndex& parent) const
{
    if (parent.isValid() && !m_childless.isEmpty()) {
        const auto* files = static_cast<const QFileSystemModel*>(sourceModel());
        if (m_childless.contains(files->filePath(mapToSource(parent))))
            return false;
    }
    return QSortFilterProxyModel::hasChildren(parent);
}

QVariant SkinTreeFilter::data(const QModelIndex& index, int role) const
{
    if (role == Qt::ToolTipRole)
        return QSortFilterProxyModel::data(index, Qt::DisplayRole);
    return QSortFilterProxyModel::data(index, role);
}

SkinTreeView::SkinTreeView(QWidget* parent)
    : QTreeView(parent)
    , m_icons(std::make_unique<PlainIconProvider>())
    , m_filter(new SkinTreeFilter(this))
{
    UseNewFileModel();
    setModel(m_filter);
    ShowNameColumnOnly();
    setHeaderHidden(true);
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setIndentation(19);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    const auto reveal = [this] {
        if (m_reveal.isValid())
            Reveal(m_reveal, m_revealHint);
    };
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, reveal, Qt::QueuedConnection);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, reveal, Qt::QueuedConnection);
    // The name column is as wide as its longest shown name, so that long
    // names get a horizontal scroll bar instead of being cut.
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &SkinTreeView::FitNameColumn);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, &SkinTreeView::FitNameColumn);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &SkinTreeView::FitNameColumn);
    connect(this, &QTreeView::expanded, this, &SkinTreeView::FitNameColumn);
    connect(this, &QTreeView::collapsed, this, &SkinTreeView::FitNameColumn);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!m_quiet)
            emit itemExpanding(index);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!m_quiet)
            emit itemCollapsing(index);
    });
}

SkinTreeView::~SkinTreeView()
{
    // The model's listing thread asks the icon provider; it has to stop
    // before the provider goes.
    setModel(nullptr);
    delete m_filter;
    delete m_files;
}

void SkinTreeView::UseNewFileModel()
{
    QFileSystemModel* old = m_files;
    m_files = new QFileSystemModel(this);
    // The tree does not follow changes on disk, and never renames anything.
    m_files->setOption(QFileSystemModel::DontWatchForChanges);
    m_files->setReadOnly(true);
    m_files->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Drives);
    m_files->setIconProvider(m_icons.get());
    m_files->setRootPath(QDir::rootPath());
    m_filter->setSourceModel(m_files);
    delete old;
}

void SkinTreeView::ShowNameColumnOnly()
{
    for (int column = 1; column < m_files->columnCount(); ++column)
        hideColumn(column);
}

void SkinTreeView::FitNameColumn()
{
    // Later, once the model is done changing: sizing the column while the
    // filter is remapping its rows would read rows that are going away.
    if (m_fitPending)
        return;
    m_fitPending = true;
    QTimer::singleShot(0, this, [this] {
        m_fitPending = false;
        resizeColumnToContents(0);
    });
}

void SkinTreeView::refresh()
{
    // A file system model lists each folder once; a new one lists afresh.
    QStringList open;
    std::function<void(const QModelIndex&)> collect = [&](const QModelIndex& parent) {
        for (int row = 0; row < m_filter->rowCount(parent); ++row) {
            const QModelIndex child = m_filter->index(row, 0, parent);
            if (isExpanded(child)) {
                open << pathOf(child);
                collect(child);
            }
        }
    };
    collect(rootIndex());
    const QString selected = path();
    const QString root = pathOf(rootIndex());
    UseNewFileModel();
    ShowNameColumnOnly();
    if (!root.isEmpty())
        setRootIndex(indexOfPath(root));
    for (const QString& folder : open)
        expandItem(indexOfPath(folder));
    if (!selected.isEmpty())
        setPath(selected);
}

QString SkinTreeView::pathOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    return QDir::toNativeSeparators(m_files->filePath(m_filter->mapToSource(index)));
}

QString SkinTreeView::displayTextOf(const QModelIndex& index) const
{
    return index.data(Qt::DisplayRole).toString();
}

QModelIndex SkinTreeView::indexOfPath(const QString& path) const
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    return m_filter->mapFromSource(m_files->index(clean));
}

QModelIndex SkinTreeView::selectedItem() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

void SkinTreeView::selectItem(const QModelIndex& index)
{
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

QString SkinTreeView::path() const
{
    return pathOf(selectedItem());
}

bool SkinTreeView::setPath(const QString& path)
{
    const QModelIndex index = indexOfPath(path);
    if (!index.isValid())
        return false;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expandItem(parent);
    selectItem(index);
    Reveal(index, PositionAtCenter);
    return true;
}

void SkinTreeView::openFolder(const QString& path, bool show)
{
    std::vector<QPersistentModelIndex> chain; // outlives listings that move the rows
    for (QModelIndex index = indexOfPath(path); index.isValid(); index = index.parent())
        chain.insert(chain.begin(), index);
    for (const QPersistentModelIndex& index : chain)
        expandItem(index);
    if (show && !chain.empty())
        Reveal(chain.back(), PositionAtTop);
}

void SkinTreeView::Reveal(const QModelIndex& index, ScrollHint hint)
{
    m_reveal = index;
    m_revealHint = hint;
    // The scroll bar's range follows new rows only later; scrolling within
    // the old one would stop short of the item.
    executeDelayedItemsLayout();
    updateGeometries();
    scrollTo(index, hint);
    // Sideways only as far as a deep item needs: the names of the folders
    // above it stay readable.
    const int left = visualRect(index).left() + horizontalScrollBar()->value();
    horizontalScrollBar()->setValue(left < viewport()->width() / 2 ? 0 : left - indentation());
}

void SkinTreeView::expandItem(const QModelIndex& index)
{
    m_quiet = true;
    expand(index);
    m_quiet = false;
}

void SkinTreeView::setHasChildren(const QModelIndex& index, bool hasChildren)
{
    if (!index.isValid())
        return;
    m_filter->setHasChildren(index, hasChildren);
    if (!hasChildren) {
        m_quiet = true;
        collapse(index);
        m_quiet = false;
    }
    scheduleDelayedItemsLayout(); // the expand button is drawn from a cached flag
    viewport()->update();
}

void SkinTreeView::mousePressEvent(QMouseEvent* event)
{
    m_reveal = QPersistentModelIndex();
    m_releaseOfDouble = false;
    QTreeView::mousePressEvent(event);
}

void SkinTreeView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    const bool click = event->button() == Qt::LeftButton && !m_releaseOfDouble;
    m_releaseOfDouble = false;
    if (click)
        emit clickedAt(event->position().toPoint());
    emit inputEnded();
}

void SkinTreeView::keyPressEvent(QKeyEvent* event)
{
    m_reveal = QPersistentModelIndex();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_F5) {
        refresh();
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
        && currentIndex().isValid()) {
        selectItem(currentIndex());
        emit openRequested();
    } else {
        QTreeView::keyPressEvent(event);
    }
    emit inputEnded();
}

void SkinTreeView::wheelEvent(QWheelEvent* event)
{
    m_reveal = QPersistentModelIndex();
    QTreeView::wheelEvent(event);
}

void SkinTreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    m_releaseOfDouble = true;
}

} // namespace tf
