#include "window/MainWindow.h"

#include "output/SaveSkin.h"
#include "platform/DataFolder.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderDeletion.h"
#include "session/OpenSkin.h"
#include "sources/SkinFinder.h"
#include "window/Dialogs.h"
#include "window/DisplayControls.h"
#include "window/SkinTreeView.h"
#include "window/WorkFolder.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <system_error>

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

} // namespace

WindowFiles WindowFiles::ForExecutable(const fs::path& exePath)
{
    return {exePath, ChooseSettingsFile(exePath), ChooseWorkFolder(exePath.parent_path())};
}

TForm1::TForm1(const WindowFiles& files, Prompts& prompts, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_files(files)
    , m_prompts(prompts)
    , m_dialogs(dialogs)
    , m_session(FindDataFolder(files.ExePath.parent_path()), prompts)
{
    setObjectName(QStringLiteral("Form1"));
    setFont(DesignFont());
    CreateMenu();
    m_client = new QWidget(this);
    // Group boxes as the design has them: the caption on the frame's top
    // line, the frame starting half a text line down, so that the controls'
    // design positions fall inside it.
    m_client->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 1px; }"));
    setCentralWidget(m_client);
    CreateControls(m_client);
    // Below the design size the anchored controls would run into each other.
    m_client->setMinimumSize(kClientWidth, kClientHeight);
    m_client->installEventFilter(this);
    for (QWidget* receiver : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Image1),
                              static_cast<QWidget*>(Image5), static_cast<QWidget*>(Image2),
                              static_cast<QWidget*>(KorvelPicture)})
        receiver->installEventFilter(this);
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    move(269, 192);
    setAcceptDrops(true);
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
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
    RestoreTreeSelection(settings.TreeViewPath);
    RunHandler([&] { InitializeSession(m_session); });
    app.Caption = kMainCaption;
    ShowAppValues();
}

void TForm1::RestoreTreeSelection(const QString& treeViewPath)
{
    // There is no desktop namespace here: the tree starts at the root of the
    // file system with the home folder open.
    const QModelIndex home = ShellTreeView1->indexOfPath(QDir::homePath());
    std::vector<QPersistentModelIndex> chain; // outlives listings that move the rows
    for (QModelIndex index = home; index.isValid(); index = index.parent())
        chain.insert(chain.begin(), index);
    for (const QPersistentModelIndex& index : chain)
        ShellTreeView1->expandItem(index);

    if (treeViewPath.isEmpty())
        return;
    const fs::path path = QStringToPath(treeViewPath);
    std::error_code error;
    if (fs::is_directory(path, error) || fs::is_regular_file(path, error))
        ShellTreeView1->setPath(treeViewPath);
}

void TForm1::FormDestroy()
{
    DeleteTree(m_files.WorkFolder, true);
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
    ConnectSettingHandlers();
}

void TForm1::RunHandler(const std::function<void()>& body)
{
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
    const auto path = m_dialogs.chooseSaveFile(this, app.SaveName, QStringLiteral("ssf"));
    if (!path)
        return;
    app.SaveName = *path; // stands even when the save fails
    // Another skin's definition in that folder would show this skin's images.
    SaveHooks hooks;
    hooks.ReplaceOtherSkins = [this](const QString& warning) {
        return m_dialogs.askOkCancel(this, tr("保存"), warning + tr("\n\nこのまま保存しますか?"));
    };
    SaveSkin(m_session, QStringToPath(*path), DiskFileCreator(), hooks);
}

void TForm1::AboutA1Click()
{
    if (m_about)
        m_about->exec();
}

void TForm1::ShellTreeView1Click(QPoint viewportPos)
{
    RunHandler([&] {
        const auto endOfClick = qScopeGuard([this] { m_treeCollapsing = false; });
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

void TForm1::ShellTreeView1Collapsing(const QModelIndex&)
{
    m_treeCollapsing = true;
}

void TForm1::ShellTreeView1KeyOpen()
{
    const QModelIndex selected = ShellTreeView1->selectedItem();
    if (!selected.isValid())
        return;
    const fs::path path = QStringToPath(ShellTreeView1->pathOf(selected));
    if (IsFolder(path)) {
        OpenFolder(path, ShellTreeView1->displayTextOf(selected), true);
    } else if (HasSkinArchiveExtension(path)) {
        ShellTreeView1->setHasChildren(selected, false);
        OpenArchive(path);
    }
}

void TForm1::OpenDropped(const QString& path)
{
    RunHandler([&] {
        const fs::path dropped = QStringToPath(QDir::cleanPath(path));
        if (IsFolder(dropped)) {
            const QString name = QFileInfo(PathToQString(dropped)).fileName();
            OpenFolder(dropped, name.isEmpty() ? PathToQString(dropped) : name, true);
        } else if (HasSkinArchiveExtension(dropped)) {
            OpenArchive(dropped);
        } else {
            ShowOpenResult(OpenSkinSource(m_session, dropped, m_files.WorkFolder), dropped, {}, true);
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
    ShowOpenResult(OpenSkinFolder(m_session, folder), folder, captionName, sayNoSkin);
}

void TForm1::OpenArchive(const fs::path& archive)
{
    m_app.OpenName = PathToQString(archive); // the archive dialog opens here next time
    ShowOpenResult(OpenSkinArchive(m_session, archive, m_files.WorkFolder), archive,
                   PathToQString(archive.filename()), true);
}

void TForm1::ShowOpenResult(const OpenResult& result, const fs::path& source, const QString& captionName,
                            bool sayNoSkin)
{
    // The caption, the tree and the preview name the same skin before any
    // message about it is up.
    const bool loadRan = result.Outcome == OpenOutcome::Loaded || result.Outcome == OpenOutcome::LoadFailed;
    if (loadRan) {
        SetSkinCaption(captionName);
        const QString sourcePath = PathToQString(source);
        if (ShellTreeView1->path() != sourcePath)
            ShellTreeView1->setPath(sourcePath);
        PreviewHint->hide();
        m_carried = NoteLoadedParts(m_partHistory, m_session.State, m_session.Editor.ShowEqualizer);
        ShowCarriedOverParts();
    }
    for (const QString& notice : result.Notices)
        m_prompts.showMessage(MessageIcon::Information, InformationCaption(), notice);
    switch (result.Outcome) {
    case OpenOutcome::Loaded:
        m_app.FolderDialogRoot = PathToQString(result.SkinFolder);
        ShowLoadedSkin();
        m_app.SkinLoaded = true;
        break;
    case OpenOutcome::LoadFailed:
        m_app.FolderDialogRoot = PathToQString(result.SkinFolder);
        ShowOutputPictures(); // what the load composed before the error stays, and shows
        throw AppError(ErrorKind::Other, result.Error);
    case OpenOutcome::NoSkinFolder:
        // An archive says so in its own words; a folder passed over in the
        // tree stays silent.
        if (HasSkinArchiveExtension(source) && !IsFolder(source))
            m_prompts.showMessage(MessageIcon::Information, InformationCaption(), result.Error);
        else if (sayNoSkin)
            m_prompts.showMessage(MessageIcon::Information, InformationCaption(), NoSkinFolderMessage());
        break;
    case OpenOutcome::NotASkinSource:
        if (sayNoSkin)
            m_prompts.showMessage(MessageIcon::Information, InformationCaption(), result.Error);
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
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client) {
        if (event->type() == QEvent::Resize)
            ApplyAnchors(static_cast<QResizeEvent*>(event)->size());
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
    if (urls.size() != 1 || !urls.first().isLocalFile())
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
    OpenDropped(urls.first().toLocalFile());
}

} // namespace tf
