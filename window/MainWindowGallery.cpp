// The gallery beside the tree and the batch conversion of TForm1: the
// switch between the preview and the gallery, the tree and the gallery
// kept in step, and converting the gallery's selection (or skins dropped
// together) on threads of their own while the window goes on.

#include "gallery/BatchConversion.h"
#include "gallery/PictureCache.h"
#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "sources/SkinFinder.h"
#include "window/BatchDialogs.h"
#include "window/BusyWork.h"
#include "window/Dialogs.h"
#include "window/GalleryPage.h"
#include "window/MainWindow.h"
#include "window/SkinTreeView.h"
#include "window/SmallIcon.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QPainter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {
namespace {

enum class ToolIcon { Preview, Gallery, Batch };

// Small icons in the manner of the tree's.
QIcon DrawToolIcon(ToolIcon kind)
{
    return DrawSmallIcon(QColor(70, 70, 70), [kind](QPainter& painter) {
        switch (kind) {
        case ToolIcon::Preview:
            painter.setBrush(QColor(230, 230, 230));
            painter.drawRect(1, 3, 13, 10);
            painter.fillRect(2, 4, 12, 3, QColor(60, 90, 170));
            break;
        case ToolIcon::Gallery:
            painter.setBrush(QColor(60, 90, 170));
            for (int y : {2, 9})
                for (int x : {1, 8})
                    painter.drawRect(x, y, 6, 4);
            break;
        case ToolIcon::Batch:
            painter.setBrush(QColor(240, 200, 90));
            painter.drawRect(1, 2, 7, 5);
            painter.drawRect(1, 9, 7, 5);
            painter.setBrush(QColor(60, 150, 60));
            painter.drawPolygon(QPolygon({QPoint(10, 4), QPoint(15, 8), QPoint(10, 12)}));
            break;
        }
    });
}

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

} // namespace

void TForm1::CreateViewToolBar()
{
    ViewToolBar = addToolBar(tr("表示"));
    ViewToolBar->setObjectName(QStringLiteral("ViewToolBar"));
    ViewToolBar->setMovable(false);
    ViewToolBar->setFloatable(false);
    ViewToolBar->toggleViewAction()->setVisible(false);
    ViewToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ViewToolBar->setIconSize(QSize(16, 16));
    auto* modes = new QActionGroup(this);
    PreviewModeAction = ViewToolBar->addAction(DrawToolIcon(ToolIcon::Preview), tr("プレビュー"));
    PreviewModeAction->setObjectName(QStringLiteral("PreviewModeAction"));
    PreviewModeAction->setToolTip(tr("読み込んだスキンのプレビューと設定 (Ctrl+1)"));
    PreviewModeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    GalleryModeAction = ViewToolBar->addAction(DrawToolIcon(ToolIcon::Gallery), tr("ギャラリー"));
    GalleryModeAction->setObjectName(QStringLiteral("GalleryModeAction"));
    GalleryModeAction->setToolTip(tr("ツリーで選んだフォルダのスキンを一覧します (Ctrl+2)"));
    GalleryModeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    for (QAction* mode : {PreviewModeAction, GalleryModeAction}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    PreviewModeAction->setChecked(true);
    ViewToolBar->addSeparator();
    BatchAction->setIcon(DrawToolIcon(ToolIcon::Batch));
    ViewToolBar->addAction(BatchAction);
}

void TForm1::CreateGallery(QWidget* stack)
{
    const fs::path cacheFolder
        = m_files.PictureCacheFolder.empty() ? PictureCache::DefaultFolder() : m_files.PictureCacheFolder;
    Gallery = new GalleryPage(std::make_shared<PictureCache>(cacheFolder), stack);
    static_cast<QStackedWidget*>(stack)->addWidget(Gallery);
    m_batch = std::make_unique<BatchConversion>(FindDataFolder(m_files.ExePath.parent_path()));
}

void TForm1::ConnectGalleryHandlers()
{
    connect(PreviewModeAction, &QAction::triggered, this, [this] { ShowGallery(false); });
    connect(GalleryModeAction, &QAction::triggered, this, [this] { ShowGallery(true); });
    connect(BatchAction, &QAction::triggered, this, [this] { RunHandler([this] { ConvertSelectedSkins(); }); });
    connect(Gallery, &GalleryPage::batchRequested, BatchAction, &QAction::trigger);
    connect(Gallery, &GalleryPage::selectionChanged, this, &TForm1::ShowBatchState);
    connect(Gallery, &GalleryPage::openRequested, this, &TForm1::OpenFromGallery);
    connect(Gallery, &GalleryPage::currentSkinChanged, this, [this](const fs::path& source) {
        m_syncingTree = true;
        ShellTreeView1->setPath(PathToQString(source));
        m_syncingTree = false;
    });
    connect(ShellTreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!m_syncingTree)
            SyncGalleryWithTree();
    });
    connect(m_batch.get(), &BatchConversion::progressed, this, &TForm1::ShowBatchState);
    connect(m_batch.get(), &BatchConversion::finished, this, &TForm1::ShowBatchState);
    connect(BatchStatusButton, &QToolButton::clicked, this, [this] {
        if (m_batchDialog) {
            m_batchDialog->show();
            m_batchDialog->raise();
        }
    });
}

BatchProgressDialog* TForm1::batchDialog() const
{
    return m_batchDialog;
}

bool TForm1::galleryShown() const
{
    return RightStack->currentWidget() == Gallery;
}

void TForm1::ShowGallery(bool shown)
{
    (shown ? GalleryModeAction : PreviewModeAction)->setChecked(true);
    if (shown == galleryShown())
        return;
    RightStack->setCurrentWidget(shown ? static_cast<QWidget*>(Gallery) : m_rightPane);
    if (shown) {
        SyncGalleryWithTree();
        Gallery->View->setFocus();
    }
    ShowBatchState();
}

void TForm1::SyncGalleryWithTree()
{
    // Only a shown gallery lists a folder: the tree alone costs nothing more.
    if (!galleryShown())
        return;
    const QString item = ShellTreeView1->path();
    if (item.isEmpty())
        return;
    const fs::path path = QStringToPath(item);
    if (IsFolder(path) && !IsSkinFolder(path))
        Gallery->showFolder(path, {});
    else
        Gallery->showFolder(path.parent_path(), path);
}

void TForm1::OpenFromGallery(const fs::path& source)
{
    RunHandler([&] {
        m_lastOpenShown = false;
        if (IsFolder(source)) {
            const QString name = QFileInfo(PathToQString(source)).fileName();
            OpenFolder(source, name, true);
        } else {
            OpenArchive(source);
        }
        if (m_lastOpenShown)
            ShowGallery(false);
    });
}

void TForm1::ConvertSelectedSkins()
{
    if (galleryShown())
        StartBatch(Gallery->selectedSkins());
}

void TForm1::StartBatch(const std::vector<fs::path>& sources)
{
    if (sources.empty() || m_batch->isRunning())
        return;
    // The options as a fresh start of the window has them; the folder the
    // last batch wrote into.
    const BatchSettings preset{m_app.BatchFolder, ConversionOptions{}};
    const auto chosen = m_dialogs.chooseBatchSettings(this, int(sources.size()), preset);
    if (!chosen || chosen->OutputFolder.isEmpty())
        return;
    m_app.BatchFolder = chosen->OutputFolder;
    if (!m_batch->start(sources, QStringToPath(chosen->OutputFolder), chosen->Options))
        return;
    delete m_batchDialog;
    m_batchDialog = new BatchProgressDialog(this, *m_batch, m_dialogs);
    m_batchDialog->show();
    ShowBatchState();
}

void TForm1::ShowBatchState()
{
    const bool running = m_batch->isRunning();
    BatchAction->setEnabled(!running && galleryShown() && !Gallery->selectedSkins().empty());
    Gallery->setBatchEnabled(!running);
    BatchStatusButton->setVisible(m_batchDialog != nullptr);
    BatchStatusButton->setText(running ? tr("一括変換中 %1 / %2").arg(m_batch->done()).arg(m_batch->total())
                                       : tr("一括変換の結果"));
}

} // namespace tf
