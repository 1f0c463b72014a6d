#include "window/MainWindow.h"

#include "output/SaveSkin.h"
#include "platform/ControlEscape.h"
#include "platform/DataFolder.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ShiftJis.h"
#include "platform/SystemReason.h"
#include "session/OpenSkin.h"
#include "sources/SkinFinder.h"
#include "gallery/BatchConversion.h"
#include "gallery/PictureCache.h"
#include "window/BatchDialogs.h"
#include "window/BusyWork.h"
#include "window/Dialogs.h"
#include "window/DisplayControls.h"
#include "window/GalleryPage.h"
#include "window/SkinTreeView.h"
#include "window/WindowPlacement.h"
#include "window/WorkFolder.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTemporaryFile>
#include <QTimer>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tf {
namespace {

QString FolderDialogTitle()
{
    return TForm1::tr("変換するスキンのフォルダを指定してください");
}

QString ArchiveDialogTitle()
{
    return TForm1::tr("wszファイルを選んでください");
}

QString NoSkinFolderMessage()
{
    return TForm1::tr("スキンのフォルダではありません (main.bmp がありません)");
}

QString InformationCaption()
{
    return TForm1::tr("情報");
}

QString SkinFileFilter()
{
    return TForm1::tr("Korvel スキン (*.ssf)");
}

// How long a status message stays.
constexpr int kStatusMilliseconds = 15000;

// The design's place of the window's frame on the screen.
constexpr QPoint kDesignPosition(269, 192);

QStringList ArchiveFilters()
{
    return {
        TForm1::tr("Winanp Skin Zipファイル(*.wsz)"),
        TForm1::tr("Zipファイル(*.zip)"),
        TForm1::tr("全てのファイル(*.*)"),
    };
}

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// The save names the .ssf the user chose and why it failed, in a sentence
// of its own, whatever file of the skin the failure was at.
QString SaveFailureMessage(const fs::path& ssfPath, const AppError& failure)
{
    if (failure.kind() == ErrorKind::FileCreate && !failure.reason().isEmpty())
        return TForm1::tr("スキンを %1 に保存できませんでした (%2)。").arg(DisplayPath(ssfPath), failure.reason());
    return TForm1::tr("スキンを %1 に保存できませんでした。%2").arg(DisplayPath(ssfPath), failure.message());
}

// The folders of path that nothing stands in the place of yet, the
// outermost last: what a save may make, and take away again.
std::vector<fs::path> MissingFolders(const fs::path& folder)
{
    std::vector<fs::path> missing;
    for (fs::path at = folder; !at.empty(); at = at.parent_path()) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(at, error);
        if (status.type() != fs::file_type::not_found || at == at.parent_path())
            break; // there, or not to be looked at
        missing.push_back(at);
    }
    return missing;
}

// Whether a file can be made in folder at all, asked before any file of the
// skin: a folder that cannot be written (read-only, no permission) then
// fails with its reason rather than at some file of the save.
void CheckFolderWritable(const fs::path& folder)
{
    QTemporaryFile probe(PathToQString(folder / ".tessaform-XXXXXX"));
    if (!probe.open())
        throw AppError(ErrorKind::FileCreate, probe.errorString(), JapaneseReason(probe.errorString()));
}

// A name for the save dialog: the skin's own, where it can be one.
QString SuggestedSsfName(const QString& skinName)
{
    const bool usable = !skinName.isEmpty() && IsCp932Representable(skinName) && !HasControlCharacters(skinName)
        && std::none_of(skinName.begin(), skinName.end(), [](QChar c) { return c == u'/' || c == u'\\' || c == u':'; });
    return (usable ? skinName : QStringLiteral("*")) + QStringLiteral(".ssf");
}

} // namespace

WindowFiles WindowFiles::ForExecutable(const fs::path& exePath)
{
    return {exePath, ChooseSettingsFile(exePath), ChooseWorkFolder(exePath.parent_path()), PictureCache::DefaultFolder()};
}

TForm1::TForm1(const WindowFiles& files, Prompts& prompts, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_files(files)
    , m_prompts(prompts)
    , m_dialogs(dialogs)
    , m_session(FindDataFolder(files.ExePath.parent_path()), prompts)
    , m_work(files.WorkFolder)
{
    setObjectName(QStringLiteral("Form1"));
    setFont(DesignFont());
    CreateMenu();
    CreateViewToolBar();
    m_client = new QWidget;
    m_client->setObjectName(QStringLiteral("Client"));
    // Group boxes as the design has them: the caption on the frame's top
    // line, the frame starting half a text line down, so that the controls'
    // design positions fall inside it.
    m_client->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 1px; }"));
    CreateControls(m_client);
    FitCaptions();
    // On a screen too small for the design size (a large scaling) the
    // controls scroll rather than run into each other or off the screen.
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ClientScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_client);
    setCentralWidget(m_scroll);
    m_leftPane->installEventFilter(this);
    m_rightPane->installEventFilter(this);
    for (QWidget* receiver : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Image1),
                              static_cast<QWidget*>(Image5), static_cast<QWidget*>(Image2),
                              static_cast<QWidget*>(KorvelPicture)})
        receiver->installEventFilter(this);
    setAcceptDrops(true);
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    // Skins in flight finish before the window goes: each is written whole.
    if (m_batch->isRunning()) {
        const BusyCursor busy;
        m_batch->cancelAndWait();
    }
    delete m_batchDialog;
    FormDestroy();
}

void TForm1::FormCreate()
{
    StoredSettings settings;
    RunHandler([&] { settings = ReadSettingsFile(m_files.SettingsPath); });
    AppValues& app = m_app;
    app.FolderDialogRoot = settings.CurrentFolder;
    app.OpenName = FolderPart(settings.OpenName) + QStringLiteral("*.wsz");
    app.SaveName = FolderPart(settings.SaveName) + QStringLiteral("*.ssf");
    app.BatchFolder = settings.BatchFolder;
    RestoreLayout(settings);
    RestoreTreeSelection(settings.TreeViewPath);
    ShowGallery(settings.GalleryShown);
    RunHandler([&] { InitializeSession(m_session); });
    app.Caption = kMainCaption;
    ShowAppValues();
}

void TForm1::RestoreTreeSelection(const QString& treeViewPath)
{
    // There is no desktop namespace here: the tree starts at the root of the
    // file system with the home folder open, and shows the remembered item,
    // or on a first start the home folder's contents.
    const fs::path path = QStringToPath(treeViewPath);
    std::error_code error;
    const bool remembered
        = !treeViewPath.isEmpty() && (fs::is_directory(path, error) || fs::is_regular_file(path, error));
    ShellTreeView1->openFolder(QDir::homePath(), !remembered);
    if (remembered)
        ShellTreeView1->setPath(treeViewPath);
}

void TForm1::RestoreLayout(const StoredSettings& settings)
{
    if (settings.TreeWidth > 0)
        SetTreeWidth(settings.TreeWidth);
    // The design's place, or the last one, where the whole window fits the
    // screen; else centred on it.
    const QSize designClient(m_leftPane->minimumWidth() + TreeSplitter->handleWidth() + m_rightSideWidth,
                             kClientHeight + menuBar()->sizeHint().height() + ViewToolBar->sizeHint().height()
                                 + statusBar()->sizeHint().height());
    const QRect wanted = settings.WindowGeometry.isValid()
        ? settings.WindowGeometry.marginsAdded(kAssumedFrame)
        : QRect(kDesignPosition, designClient.grownBy(kAssumedFrame));
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect frame = screen ? PlaceWindowFrame(wanted, screen->availableGeometry()) : wanted;
    setGeometry(frame.marginsRemoved(kAssumedFrame));
    if (settings.WindowMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::KeepOnScreen()
{
    // The frame the window manager gave is known once the window is up.
    if (isMaximized() || isFullScreen() || !screen())
        return;
    const QRect available = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    if (available.contains(frame))
        return;
    const QMargins margins(geometry().left() - frame.left(), geometry().top() - frame.top(),
                           frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
    setGeometry(PlaceWindowFrame(frame, available).marginsRemoved(margins));
}

void TForm1::FormDestroy()
{
    // The window's own unpacked skins go with its private folder (m_work);
    // other windows' folders stay.
    try {
        WriteSettingsFile(m_files.SettingsPath, SettingsToStore());
    } catch (const AppError& error) {
        m_prompts.showError(error.message());
    } catch (const std::exception&) {
        // Nothing else may leave a destructor; the settings stay as they were.
    }
    // The target images go with the session.
}

StoredSettings TForm1::SettingsToStore() const
{
    StoredSettings settings;
    settings.CurrentFolder = m_app.FolderDialogRoot;
    settings.OpenName = m_app.OpenName;
    settings.SaveName = m_app.SaveName;
    settings.TreeViewPath = ShellTreeView1->path();
    settings.WindowGeometry = normalGeometry();
    settings.WindowMaximized = isMaximized();
    settings.TreeWidth = ShellTreeView1->width();
    settings.GalleryShown = galleryShown();
    settings.BatchFolder = m_app.BatchFolder;
    return settings;
}

void TForm1::ConnectHandlers()
{
    const auto bind = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { RunHandler([&] { (this->*handler)(); }); });
    };
    bind(O1, &TForm1::O1Click);
    bind(wszW1, &TForm1::wszW1Click);
    bind(S1, &TForm1::S1Click);
    bind(AboutA1, &TForm1::AboutA1Click);
    connect(N2, &QAction::triggered, this, &QWidget::close); // our choice: the item closes the window
    connect(ShellTreeView1, &SkinTreeView::clickedAt, this, &TForm1::ShellTreeView1Click);
    connect(ShellTreeView1, &SkinTreeView::itemExpanding, this, &TForm1::ShellTreeView1Expanding);
    connect(ShellTreeView1, &SkinTreeView::itemCollapsing, this, &TForm1::ShellTreeView1Collapsing);
    connect(ShellTreeView1, &SkinTreeView::openRequested, this,
            [this] { RunHandler([this] { ShellTreeView1KeyOpen(); }); });
    connect(ShellTreeView1, &SkinTreeView::inputEnded, this, &TForm1::ShellTreeView1InputEnded);
    ConnectSettingHandlers();
    ConnectGalleryHandlers();
}

void TForm1::RunHandler(const std::function<void()>& body)
{
    // While an archive is unpacked the window paints, and nothing else.
    if (GuiThreadWaiting())
        return;
    try {
        body();
    } catch (const AppError& error) {
        m_prompts.showError(error.message());
    } catch (const std::exception& error) {
        m_prompts.showError(QString::fromLocal8Bit(error.what()));
    }
    ShowAppValues();
    ScheduleKorvelView(); // every change shows at once in the player's view
}

void TForm1::ShowAppValues()
{
    setWindowTitle(m_app.Caption);
    if (m_app.SkinLoaded)
        S1->setEnabled(true); // never disabled again
}

void TForm1::O1Click()
{
    const auto folder = m_dialogs.chooseFolder(this, FolderDialogTitle(), m_app.FolderDialogRoot);
    if (!folder)
        return;
    // The caption names the folder as a tree click would: it has to name the
    // skin the preview shows.
    const fs::path path = QStringToPath(*folder);
    const QString name = QFileInfo(*folder).fileName();
    OpenFolder(path, name.isEmpty() ? *folder : name, true);
}

void TForm1::wszW1Click()
{
    const auto archive = m_dialogs.chooseOpenFile(this, ArchiveDialogTitle(), m_app.OpenName,
                                                  ArchiveFilters());
    if (archive)
        OpenArchive(QStringToPath(*archive)); // any extension: the extraction decides
}

void TForm1::S1Click()
{
    AppValues& app = m_app;
    if (!app.SkinLoaded)
        return;
    if (!m_carried.empty()) {
        QStringList names;
        for (SkinPart part : m_carried)
            names << SkinPartName(part);
        const QString question = tr("次の部分は前のスキンのままです。このまま保存しますか?\n\n")
            + names.join(QStringLiteral(", "));
        if (!m_dialogs.askOkCancel(this, tr("保存"), question))
            return;
    }
    const QString initial = FolderPart(app.SaveName) + SuggestedSsfName(m_skinName);
    const auto path = m_dialogs.chooseSaveFile(this, initial, QStringLiteral("ssf"), {SkinFileFilter()});
    if (!path)
        return;
    if (!SaveTo(QStringToPath(*path)))
        return;
    // Only a save that was made is remembered: the next dialog (and the
    // next start) opens where a skin was saved.
    app.SaveName = *path;
}

bool TForm1::SaveTo(const fs::path& ssfPath)
{
    const BusyCursor busy;
    const fs::path folder = ssfPath.parent_path();
    // A folder typed into the dialog that does not exist yet is made; when
    // the save fails after all, the folders it made go again.
    const std::vector<fs::path> missing = MissingFolders(folder);
    try {
        CheckSaveTarget(ssfPath, m_session.State.SourceFilePaths[size_t(kMainBmp)].parent_path());
        if (!missing.empty()) {
            std::error_code error;
            fs::create_directories(folder, error);
            if (error)
                throw AppError(ErrorKind::FileCreate, QString::fromStdString(error.message()),
                               JapaneseReason(QString::fromStdString(error.message())));
        }
        CheckFolderWritable(folder);
        // Another skin's definition in that folder would show this skin's
        // images: the user is asked first.
        SaveHooks hooks;
        hooks.ReplaceOtherSkins = [this](const QString& warning) {
            return m_dialogs.askOkCancel(this, tr("保存"), warning + tr("\n\nこのまま保存しますか?"));
        };
        if (!SaveSkin(m_session, ssfPath, DiskFileCreator(), hooks))
            return false;
    } catch (const AppError& failure) {
        for (const fs::path& made : missing) {
            std::error_code ignored;
            fs::remove(made, ignored); // only while empty
        }
        throw AppError(failure.kind(), SaveFailureMessage(ssfPath, failure));
    }
    const QString message = missing.empty()
        ? tr("スキンを %1 に保存しました").arg(DisplayPath(ssfPath))
        : tr("フォルダ %1 を作成し、スキンを %2 に保存しました").arg(DisplayPath(folder), DisplayPath(ssfPath));
    statusBar()->showMessage(message, kStatusMilliseconds);
    return true;
}

void TForm1::AboutA1Click()
{
    if (m_about)
        m_about->exec();
}

void TForm1::ShellTreeView1Click(QPoint viewportPos)
{
    RunHandler([&] {
        const auto endOfClick = qScopeGuard([this] { ShellTreeView1InputEnded(); });
        // The collapse that came with this click hid the selected item and
        // moved the selection to the collapsed one: nothing is to be loaded.
        if (m_collapseMovedSelection)
            return;
        const QModelIndex underCursor = ShellTreeView1->indexAt(viewportPos);
        const QModelIndex selected = ShellTreeView1->selectedItem();
        if (!selected.isValid())
            return;
        const fs::path path = QStringToPath(ShellTreeView1->pathOf(selected));
        if (IsFolder(path)) {
            if (!IsSkinFolder(path))
                return;
            // The click that comes with a collapse must not open the item again.
            if (!m_treeCollapsing && underCursor.isValid())
                ShellTreeView1->expandItem(underCursor);
            OpenFolder(path, ShellTreeView1->displayTextOf(selected), false);
        } else if (HasSkinArchiveExtension(path)) {
            if (underCursor.isValid())
                ShellTreeView1->setHasChildren(underCursor, false);
            OpenArchive(path);
        }
    });
}

void TForm1::ShellTreeView1Expanding(const QModelIndex& index)
{
    RunHandler([&] {
        ShellTreeView1->selectItem(index);
        if (!IsFolder(QStringToPath(ShellTreeView1->pathOf(index))))
            ShellTreeView1->setHasChildren(index, false);
    });
}

void TForm1::ShellTreeView1Collapsing(const QModelIndex& index)
{
    m_treeCollapsing = true;
    // A selection the collapse hides moves to the collapsed item, as the
    // Windows tree moves it; the skin on screen and its settings stay.
    const QModelIndex selected = ShellTreeView1->selectedItem();
    for (QModelIndex above = selected.parent(); above.isValid(); above = above.parent()) {
        if (above == index) {
            ShellTreeView1->selectItem(index);
            m_collapseMovedSelection = true;
            return;
        }
    }
}

void TForm1::ShellTreeView1InputEnded()
{
    // Whatever way a collapse came (a click, a double click, a key), it is
    // over with the input that made it.
    m_treeCollapsing = false;
    m_collapseMovedSelection = false;
}

void TForm1::ShellTreeView1KeyOpen()
{
    const QModelIndex selected = ShellTreeView1->selectedItem();
    if (!selected.isValid())
        return;
    const fs::path path = QStringToPath(ShellTreeView1->pathOf(selected));
    if (IsFolder(path)) {
        // A folder that is no skin is browsed into, as in any file tree.
        if (IsSkinFolder(path))
            OpenFolder(path, ShellTreeView1->displayTextOf(selected), true);
        else
            ShellTreeView1->setExpanded(selected, !ShellTreeView1->isExpanded(selected));
    } else if (HasSkinArchiveExtension(path)) {
        ShellTreeView1->setHasChildren(selected, false);
        OpenArchive(path);
    }
}

void TForm1::OpenDropped(const QString& path)
{
    RunHandler([&] {
        // With the system's separators: the caption, the tree and the settings
        // show and keep paths so.
        const fs::path dropped = QStringToPath(QDir::toNativeSeparators(QDir::cleanPath(path)));
        if (IsFolder(dropped)) {
            const QString name = QFileInfo(PathToQString(dropped)).fileName();
            OpenFolder(dropped, name.isEmpty() ? PathToQString(dropped) : name, true);
        } else if (HasSkinArchiveExtension(dropped)) {
            OpenArchive(dropped);
        } else {
            // Neither a folder nor an archive: nothing is unpacked, so no
            // working folder is handed over.
            ShowOpenResult(OpenSkinSource(m_session, dropped, fs::path()), dropped, {}, true);
        }
    });
}

void TForm1::SetSkinCaption(const QString& itemText)
{
    m_app.Caption = kMainCaption + QStringLiteral(" -") + itemText + QStringLiteral("-");
    setWindowTitle(m_app.Caption);
}

void TForm1::OpenFolder(const fs::path& folder, const QString& captionName, bool sayNoSkin)
{
    OpenResult result;
    {
        const BusyCursor busy;
        result = OpenSkinFolder(m_session, folder);
    }
    KeepFolderOfShownSkin(result, {});
    ShowOpenResult(result, folder, captionName, sayNoSkin);
}

void TForm1::OpenArchive(const fs::path& archive)
{
    m_app.OpenName = PathToQString(archive); // the archive dialog opens here next time
    // A fresh folder: the shown skin's own files stay whatever happens to
    // this archive.
    const fs::path folder = m_work.NewFolder();
    OpenResult result;
    {
        const BusyCursor busy;
        UnpackedArchive unpacked;
        RunOffGuiThread([&] { unpacked = UnpackSkinArchive(archive, folder); });
        result = LoadUnpackedArchive(m_session, archive, unpacked);
    }
    KeepFolderOfShownSkin(result, folder);
    ShowOpenResult(result, archive, PathToQString(archive.filename()), true);
}

void TForm1::KeepFolderOfShownSkin(const OpenResult& result, const fs::path& unpackedInto)
{
    const bool loadRan = result.Outcome == OpenOutcome::Loaded || result.Outcome == OpenOutcome::LoadFailed;
    if (!loadRan) {
        m_work.Remove(unpackedInto);
        return;
    }
    // The session reads the new folder from now on (the time strip's font,
    // the playlist drag); the one before is nobody's.
    if (m_shownFolder != unpackedInto)
        m_work.Remove(m_shownFolder);
    m_shownFolder = unpackedInto;
}

void TForm1::ShowOpenResult(const OpenResult& result, const fs::path& source, const QString& captionName,
                            bool sayNoSkin)
{
    // The caption, the tree and the preview name the same skin before any
    // message about it is up.
    const bool loadRan = result.Outcome == OpenOutcome::Loaded || result.Outcome == OpenOutcome::LoadFailed;
    m_lastOpenShown = result.loaded();
    // An archive's skin is remembered by the folder the archive was chosen
    // from: its unpacked folder is gone at exit.
    const bool archive = !IsFolder(source);
    const QString chosenFrom = PathToQString(archive ? source.parent_path() : result.SkinFolder);
    if (loadRan) {
        SetSkinCaption(captionName);
        m_skinName = archive ? PathToQString(source.stem()) : captionName;
        const QString sourcePath = PathToQString(source);
        if (ShellTreeView1->path() != sourcePath)
            ShellTreeView1->setPath(sourcePath);
        PreviewHint->hide();
        m_carried = NoteLoadedParts(m_partHistory, m_session.State, m_session.Editor.ShowEqualizer);
        ShowCarriedOverParts();
    }
    // Every sentence about the open is worded here, its files named as the
    // result says (an archive's members by the archive).
    const auto shown = [&](const AppError& said) { return said.message(result.Names); };
    for (const AppError& notice : result.Notices)
        m_prompts.showMessage(MessageIcon::Information, InformationCaption(), shown(notice));
    switch (result.Outcome) {
    case OpenOutcome::Loaded:
        m_app.FolderDialogRoot = chosenFrom;
        ShowLoadedSkin();
        m_app.SkinLoaded = true;
        statusBar()->showMessage(tr("%1 を読み込みました").arg(captionName), kStatusMilliseconds);
        break;
    case OpenOutcome::LoadFailed:
        m_app.FolderDialogRoot = chosenFrom;
        ShowOutputPictures(); // what the load composed before the error stays, and shows
        m_prompts.showError(shown(*result.Error));
        break;
    case OpenOutcome::NoSkinFolder:
        // An archive says so in its own words; a folder passed over in the
        // tree stays silent.
        if (HasSkinArchiveExtension(source) && !IsFolder(source))
            m_prompts.showMessage(MessageIcon::Information, InformationCaption(), shown(*result.Error));
        else if (sayNoSkin)
            m_prompts.showMessage(MessageIcon::Information, InformationCaption(), NoSkinFolderMessage());
        break;
    case OpenOutcome::NotASkinSource:
        if (sayNoSkin)
            m_prompts.showMessage(MessageIcon::Information, InformationCaption(), shown(*result.Error));
        break;
    }
}

void TForm1::ShowCarriedOverParts()
{
    const QString line = CarriedOverLine(m_carried);
    CarriedOverLabel->setText(line);
    CarriedOverLabel->setToolTip(line);
}

void TForm1::ShowLoadedSkin()
{
    ShowSkinState();
    ShowPreviews();
    PlacePreviews();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShowDone) {
        ShellTreeView1->setFocus();
        m_firstShowDone = true;
        QTimer::singleShot(0, this, &TForm1::KeepOnScreen);
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_leftPane || watched == m_rightPane) {
        if (event->type() == QEvent::Resize) {
            const QSize size = static_cast<QResizeEvent*>(event)->size();
            watched == m_leftPane ? ApplyLeftAnchors(size) : ApplyAnchors(size);
        }
        return false;
    }
    // Panel1 and its images share the drag handlers; each event comes in the
    // coordinates of the control that receives it. In the player's view the
    // playlist is one part of the picture: its own coordinates are asked for.
    const auto position = [&] {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        return watched == KorvelPicture ? PlaylistPointOfKorvelView(at) : at;
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Panel1MouseDown(position());
        break;
    case QEvent::MouseMove:
        Panel1MouseMove(position());
        break;
    case QEvent::MouseButtonRelease:
        Panel1MouseUp();
        break;
    default:
        return false;
    }
    event->accept();
    return true;
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        return;
    // Anything local is taken: what is no skin gets a message rather than
    // a refused drop.
    event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    // The program the skin came from waits for the drop to end: the open
    // and any message about it come after. Several skins at once are
    // converted together.
    if (urls.size() > 1) {
        std::vector<fs::path> sources;
        for (const QUrl& url : urls)
            sources.push_back(QStringToPath(QDir::cleanPath(url.toLocalFile())));
        QTimer::singleShot(0, this, [this, sources] { RunHandler([&] { StartBatch(sources); }); });
        return;
    }
    const QString path = urls.first().toLocalFile();
    QTimer::singleShot(0, this, [this, path] { OpenDropped(path); });
}

} // namespace tf
