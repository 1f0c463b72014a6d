#pragma once

// The main window TForm1: the skin browser on the left, the preview panel in
// the middle, the settings panel on the right, the menu, and every event
// handler of the program. The skin session it owns holds all state; the
// controls show it and their handlers write it back.

#include "platform/Product.h"
#include "session/CarriedParts.h"
#include "session/LiveKorvelView.h"
#include "session/PrivateWorkFolder.h"
#include "skin/PlaylistDrag.h"
#include "skin/SkinSession.h"
#include "window/SettingsFile.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QToolButton;

namespace tf {

class BatchConversion;
class BatchProgressDialog;
class ColorShape;
class Dialogs;
class FontSizeBox;
class GalleryPage;
class PictureBox;
class SkinTreeView;
class UpDownArrows;

// Where the window finds and keeps its files; main() derives them from the
// executable's path, tests point them into a temporary folder.
struct WindowFiles {
    std::filesystem::path ExePath;
    std::filesystem::path SettingsPath; // "<executable>.ini" (ChooseSettingsFile)
    // Archives are unpacked below here (ChooseWorkFolder), each window in a
    // private folder of its own.
    std::filesystem::path WorkFolder;
    // The gallery's pictures are kept here between runs; empty: the user's
    // cache folder (PictureCache::DefaultFolder).
    std::filesystem::path PictureCacheFolder{};

    static WindowFiles ForExecutable(const std::filesystem::path& exePath);
};

struct OpenResult;

// The application values of the main window.
struct AppValues {
    QString OpenName = QStringLiteral("*.wsz"); // initial name of the archive dialog
    // The last skin saved (the save dialog opens in its folder); a failed
    // save leaves it as it was.
    QString SaveName = QStringLiteral("*.ssf");
    // Root of FD1: the last skin folder opened, or the folder an archive was
    // chosen from (never a working folder, which is gone at exit).
    QString FolderDialogRoot;
    bool SkinLoaded = false;
    QString Caption = kMainCaption; // main window caption
    QString BatchFolder;            // where the last batch conversion wrote
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 826;
    static constexpr int kClientHeight = 458;

    TForm1(const WindowFiles& files, Prompts& prompts, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override; // FormDestroy

    SkinSession& session() { return m_session; }
    AppValues& app() { return m_app; }
    const WindowFiles& files() const { return m_files; }
    // The window's own part of the working folder, and the folder the shown
    // skin was unpacked into (empty for a skin folder of the user's).
    const PrivateWorkFolder& workFolder() const { return m_work; }
    const std::filesystem::path& shownSkinFolder() const { return m_shownFolder; }
    // The controls at their design positions (the central widget scrolls
    // it when the screen is too small for it).
    QWidget* clientArea() const { return m_client; }
    void setAboutBox(QDialog* about) { m_about = about; }

    // Menu handlers.
    void O1Click();
    void wszW1Click();
    void S1Click();
    void AboutA1Click();

    // Skin browser handlers; the click point is in the tree's viewport.
    void ShellTreeView1Click(QPoint viewportPos);
    void ShellTreeView1Expanding(const QModelIndex& index);
    void ShellTreeView1Collapsing(const QModelIndex& index);
    // Enter or Space: a skin folder or an archive opens; any other folder
    // opens or closes in the tree.
    void ShellTreeView1KeyOpen();
    // The end of each click or key in the tree: a collapse is over.
    void ShellTreeView1InputEnded();
    bool treeCollapsing() const { return m_treeCollapsing; }

    // A dropped folder or archive opens as a click in the tree would; what
    // is no skin is said. A drop on the window opens once the drop has
    // ended, so that the program the skin was dragged from is not kept
    // waiting.
    void OpenDropped(const QString& path);

    // The gallery in place of the preview and the settings, or back.
    void ShowGallery(bool shown);
    bool galleryShown() const;
    // A skin chosen in the gallery (Enter, double click) opens as a click
    // in the tree opens it, and the preview shows it.
    void OpenFromGallery(const std::filesystem::path& source);
    // The gallery's selected skins, or the skins dropped at once, converted
    // after the batch settings are chosen; nothing while a batch runs.
    void ConvertSelectedSkins();
    void StartBatch(const std::vector<std::filesystem::path>& sources);
    BatchConversion& batch() { return *m_batch; }
    BatchProgressDialog* batchDialog() const;

    // The parts of the preview that the last loaded skin did not draw.
    const std::vector<SkinPart>& carriedOverParts() const { return m_carried; }

    // Preview panel: the playlist drag, in the receiving control's coordinates.
    void Panel1MouseDown(QPoint position);
    void Panel1MouseMove(QPoint position);
    void Panel1MouseUp();
    const PlaylistDrag& playlistDrag() const { return m_drag; }

    // Settings panel handlers that open dialogs or step values.
    void Button1Click(); // time font
    void Button2Click(); // playlist font
    void Button3Click(); // scroll text font
    void Shape1MouseDown();
    void UpDown1Click(bool up);

    // The playlist's size in steps from the boxes beside it.
    void PlaylistSizeChanged();
    void PlaylistSizeReset();

    // Every handler body runs inside this: an error ends the body, is shown
    // in the standard error box, and the window goes on. Nothing runs while
    // an archive is being unpacked.
    void RunHandler(const std::function<void()>& body);

    // Menu.
    QMenu* F1;
    QAction* O1;
    QAction* wszW1;
    QAction* S1;
    QAction* BatchAction; // "選択したスキンを一括変換…"
    QAction* N2;
    QAction* AboutA1;

    // The switch between the preview and the gallery, above both.
    QToolBar* ViewToolBar;
    QAction* PreviewModeAction;
    QAction* GalleryModeAction;

    // The right side: the preview with the settings, or the gallery.
    QStackedWidget* RightStack;
    GalleryPage* Gallery;

    // Left, beside the rest with a splitter between them.
    QSplitter* TreeSplitter;
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckEQUp;
    SkinTreeView* ShellTreeView1;

    // Preview: the switch of the Korvel view above it, the hint until a
    // skin is in, the playlist's size beside its drag corner.
    QCheckBox* KorvelViewSwitch;
    PictureBox* KorvelPicture; // the player's view while KorvelViewSwitch is on
    QFrame* Panel1;
    QLabel* PreviewHint;
    PictureBox* Image1;
    PictureBox* Image5;
    PictureBox* Image2;
    QWidget* PlaylistSizePanel;
    QSpinBox* PlaylistWidthBox;  // width steps
    QSpinBox* PlaylistHeightBox; // height steps
    QToolButton* PlaylistResetButton;

    // The status bar: what was loaded or saved, and on its right the parts
    // not the loaded skin's own.
    QLabel* CarriedOverLabel;
    QToolButton* BatchStatusButton; // a running batch; shows its window

    // テキスト
    QGroupBox* GroupBox5;
    ColorShape* Shape8;
    ColorShape* Shape9;
    QCheckBox* CheckBox9;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox7;
    QCheckBox* CheckBox8;
    QLineEdit* Edit4;
    FontSizeBox* Edit3;
    QPushButton* Button3;
    QCheckBox* CheckBox10;
    QCheckBox* CheckBox6;

    // アナライザー
    QGroupBox* GroupBox3;
    QCheckBox* CheckBox11;
    PictureBox* Image4;
    ColorShape* Shape2;
    ColorShape* Shape3;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;

    // シークバー
    QGroupBox* GroupBox6;
    QCheckBox* CheckBox13;

    // 時間
    QGroupBox* GroupBox2;
    PictureBox* Image3;
    UpDownArrows* UpDown1;
    QCheckBox* CheckBox12;
    QCheckBox* CheckBox4;
    ColorShape* Shape1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    FontSizeBox* Edit2;
    QPushButton* Button1;

    // プレイリスト
    QGroupBox* GroupBox4;
    ColorShape* Shape4;
    ColorShape* Shape5;
    ColorShape* Shape6;
    ColorShape* Shape7;
    QLineEdit* Edit1;
    FontSizeBox* Edit5;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Construction (MainWindowLayout.cpp).
    void CreateMenu();
    void CreateControls(QWidget* client);
    void CreateSettingsGroup(QWidget* client);
    void CreatePreviewPanel(QWidget* client);
    void CreateTextGroup(QWidget* client);
    void CreateAnalyzerGroup(QWidget* client);
    void CreateSeekBarGroup(QWidget* client);
    void CreateTimeGroup(QWidget* client);
    void CreatePlaylistGroup(QWidget* client);
    void CreatePlaylistSizePanel();
    void CreateStatusBar();
    void CreateViewToolBar();
    void CreateGallery(QWidget* stack);
    void ConnectGalleryHandlers();
    // The gallery shows the folder of the tree's item (or the folder itself)
    // with the item current.
    void SyncGalleryWithTree();
    void ShowBatchState();
    void ApplyLeftAnchors(QSize paneSize);
    void ApplyAnchors(QSize paneSize);
    void PlacePlaylistSizePanel();
    void FitCaptions();
    void ConnectHandlers();
    void ConnectSettingHandlers();
    void ConnectTimeHandlers();
    // Toggled fires for the program's own changes too, when the value changes.
    void BindToggle(QAbstractButton* box, const std::function<void(bool)>& apply);

    void FormCreate();
    void FormDestroy();
    void RestoreTreeSelection(const QString& treeViewPath);
    void RestoreLayout(const StoredSettings& settings);
    // Once the window manager's frame is known: back on the screen when it
    // reaches off it.
    void KeepOnScreen();
    void SetTreeWidth(int width);
    StoredSettings SettingsToStore() const;
    bool SaveTo(const std::filesystem::path& ssfPath); // false when the user declined

    // Opening skins (MainWindow.cpp). captionName names the skin in the
    // caption once its images are in the preview; sayNoSkin: a folder
    // without a skin gets a message (everywhere but the tree's plain click).
    void OpenFolder(const std::filesystem::path& folder, const QString& captionName, bool sayNoSkin);
    void OpenArchive(const std::filesystem::path& archive);
    void ShowOpenResult(const OpenResult& result, const std::filesystem::path& source,
                        const QString& captionName, bool sayNoSkin);
    // After an open: the shown skin's unpacked folder goes once another skin
    // has loaded from its own; a folder nothing loaded from goes at once.
    void KeepFolderOfShownSkin(const OpenResult& result, const std::filesystem::path& unpackedInto);
    void SetSkinCaption(const QString& itemText);
    void ShowCarriedOverParts();
    void ShowLoadedSkin();
    void ShowAppValues();

    // State into the controls (MainWindowPanel.cpp).
    void ShowSkinState();
    void ShowPreviews();
    void ShowOutputPictures();
    void ShowPlaylist();
    void ShowPlaylistSize();
    void ComposePlaylistAt(int widthSteps, int heightSteps);
    void PlacePreviews();
    void RenderTime();
    void BuildAnalyzer();
    void CheckBox1Click();

    // The "Korvel表示" view (MainWindowKorvelView.cpp).
    bool korvelViewShown() const;
    void ScheduleKorvelView();
    void ShowKorvelView();
    QPoint PlaylistPointOfKorvelView(QPoint position) const;

    WindowFiles m_files;
    Prompts& m_prompts;
    Dialogs& m_dialogs;
    SkinSession m_session;
    AppValues m_app;
    PrivateWorkFolder m_work;
    std::filesystem::path m_shownFolder;
    QString m_skinName; // the shown skin's name, offered for saving it
    QPointer<QDialog> m_about;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_client = nullptr;
    QWidget* m_leftPane = nullptr;
    QWidget* m_rightPane = nullptr;
    int m_rightSideWidth = 0; // at design size (FitCaptions)
    bool m_firstShowDone = false; // FirstShowDone
    bool m_treeCollapsing = false; // TreeCollapsing
    bool m_collapseMovedSelection = false; // the click that comes with it loads nothing
    PlaylistDrag m_drag;
    bool m_korvelViewPending = false;
    LiveKorvelView m_korvelView; // keeps what its last view was drawn from
    Rect m_korvelPlaylist; // where the playlist stands in the Korvel view
    PartHistory m_partHistory;
    std::vector<SkinPart> m_carried;
    bool m_lastOpenShown = false; // the last open loaded a skin whole
    bool m_syncingTree = false;   // the gallery moves the tree's selection
    std::unique_ptr<BatchConversion> m_batch;
    QPointer<BatchProgressDialog> m_batchDialog;
};

} // namespace tf
