#pragma once

// The skin browser ShellTreeView1: the file system from its root, listing
// folders and skin archives only, with the events the main window's
// handlers need (a click anywhere in the tree, an item being expanded or
// collapsed by the user).

#include <QPersistentModelIndex>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <memory>

class QFileSystemModel;

namespace tf {

class PlainIconProvider;

// The add-item filter (ShellTreeView1AddFolder) over the file system model,
// and the items whose expand button was taken away.
class SkinTreeFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SkinTreeFilter(QObject* parent = nullptr);

    // Folders, and files whose extension is ".zip" or ".wsz" in any case.
    static bool AcceptsEntry(const QString& name, bool isFolder);

    void setHasChildren(const QModelIndex& index, bool hasChildren);
    bool hasChildren(const QModelIndex& parent = {}) const override;
    // The full name as the tooltip: long names are cut in the tree.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QSet<QString> m_childless; // paths
};

class SkinTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit SkinTreeView(QWidget* parent = nullptr);
    ~SkinTreeView() override;

    QFileSystemModel* fileModel() const { return m_files; }
    SkinTreeFilter* filter() const { return m_filter; }

    // The item's file-system path, and the text shown for it.
    QString pathOf(const QModelIndex& index) const;
    QString displayTextOf(const QModelIndex& index) const;
    QModelIndex indexOfPath(const QString& path) const;

    QModelIndex selectedItem() const;
    void selectItem(const QModelIndex& index);
    // The path of the selected item, or empty.
    QString path() const;
    // Expands the tree down to the item of path and selects it; false when
    // there is no such item.
    bool setPath(const QString& path);
    // Expands one item without raising the expanding event, as the
    // handlers' own expansions do not.
    void expandItem(const QModelIndex& index);
    // Opens the folder of path and every folder above it, without selecting
    // anything; when show, scrolls so that the folder stands at the top with
    // its contents below it.
    void openFolder(const QString& path, bool show);
    void setHasChildren(const QModelIndex& index, bool hasChildren);
    // Lists the folders afresh (F5): the tree does not follow the disk. The
    // open folders and the selection stay.
    void refresh();

signals:
    // Left button released in the tree, in viewport coordinates.
    void clickedAt(QPoint viewportPos);
    void itemExpanding(const QModelIndex& index);
    void itemCollapsing(const QModelIndex& index);
    // Enter or Space on the selected item.
    void openRequested();
    // The end of a mouse click (double click included) or of a key press.
    void inputEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UseNewFileModel();
    void ShowNameColumnOnly();
    void FitNameColumn();

    std::unique_ptr<PlainIconProvider> m_icons;
    QFileSystemModel* m_files = nullptr;
    SkinTreeFilter* m_filter;
    bool m_fitPending = false;
    bool m_quiet = false;           // expansions made by the program
    bool m_releaseOfDouble = false; // the release after a double click is no click of its own
    // The item set by setPath or openFolder, kept in view while the folders
    // above it are still being listed (the rows come in later and push it
    // down), until the user takes over.
    void Reveal(const QModelIndex& index, ScrollHint hint);
    QPersistentModelIndex m_reveal;
    ScrollHint m_revealHint = EnsureVisible;
};

} // namespace tf
