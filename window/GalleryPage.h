#pragma once

// The gallery beside the tree: every skin of the folder chosen in the tree
// as a picture of its main window with its name below, a filter by name,
// and the selection a batch conversion takes. Enter or a double click opens
// a skin in the editor; arrows, Ctrl+A, Shift and Ctrl clicks select.

#include "gallery/GalleryModel.h"

#include <QListView>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;

namespace tf {

class GalleryView : public QListView {
    Q_OBJECT
public:
    explicit GalleryView(QWidget* parent = nullptr);
    // The pictures at 50, 75 or 100 percent of their size.
    void setPictureScale(int percent);

signals:
    // Enter on the current tile.
    void openRequested(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitGrid();
};

class GalleryPage : public QWidget {
    Q_OBJECT
public:
    GalleryPage(std::shared_ptr<PictureCache> cache, QWidget* parent = nullptr);

    GalleryModel* model() const { return m_model; }
    QSortFilterProxyModel* filterModel() const { return m_filter; }

    // The folder to show, and the skin in it to make current (none: empty);
    // listed once the page is shown. Does not raise currentSkinChanged.
    void showFolder(const std::filesystem::path& folder, const std::filesystem::path& current);
    const std::filesystem::path& shownFolder() const { return m_folder; }
    std::filesystem::path currentSkin() const;
    // The selected skins in the order shown.
    std::vector<std::filesystem::path> selectedSkins() const;
    void setBatchEnabled(bool enabled);

    QLineEdit* FilterEdit;
    QLabel* FolderLabel;
    QLabel* CountLabel;
    QComboBox* ZoomBox;
    QPushButton* BatchButton;
    GalleryView* View;
    QLabel* EmptyHint;

signals:
    void currentSkinChanged(const std::filesystem::path& source); // by the user
    void openRequested(const std::filesystem::path& source);
    void batchRequested();
    void selectionChanged();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFolder();
    void selectCurrent();
    void updateTexts();

    GalleryModel* m_model;
    QSortFilterProxyModel* m_filter;
    std::filesystem::path m_folder;   // wanted
    std::filesystem::path m_current;  // wanted current skin
    bool m_quiet = false;             // the program moves the current item
    bool m_batchEnabled = true;
};

} // namespace tf
