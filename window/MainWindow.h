#pragma once

// The main window TForm1: the skin browser on the left, the preview panel in
// the middle, the settings panel on the right, the menu, and every event
// handler of the program. The skin session it owns holds all state; the
// controls show it and their handlers write it back.

#include "platform/Product.h"
#include "session/CarriedParts.h"
#include "skin/PlaylistDrag.h"
#include "skin/SkinSession.h"
#include "window/SettingsFile.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <functional>

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

namespace tf {

class ColorShape;
class Dialogs;
class PictureBox;
class SkinTreeView;
class UpDownArrows;

// Where the window finds and keeps its files; main() derives them from the
// executable's path, tests point them into a temporary folder.
struct WindowFiles {
    std::filesystem::path ExePath;
    std::filesystem::path SettingsPath; // "<executable>.ini" (ChooseSettingsFile)
    std::filesystem::path WorkFolder;   // archives are unpacked here (ChooseWorkFolder)

    static WindowFiles ForExecutable(const std::filesystem::path& exePath);
};

struct OpenResult;

// The application values of the main window.
struct AppValues {
    QString OpenName = QStringLiteral("*.wsz"); // initial name of the archive dialog
    QString SaveName = QStringLiteral("*.ssf"); // initial name of the save dialog
    QString FolderDialogRoot;                   // Root of FD1: the last skin folder opened
    bool SkinLoaded = false;
    QString Caption = kMainCaption; // main window caption
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
    // Enter or Space: the selected item opens as through 開く, so a folder
    // without a skin is said.
    void ShellTreeView1KeyOpen();
    bool treeCollapsing() const { return m_treeCollapsing; }

    // A dropped folder or archive opens as a click in the tree would; what
    // is no skin is said.
    void OpenDropped(const QString& path);

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

    // Every handler body runs inside this: an error ends the body, is shown
    // in the standard error box, and the window goes on.
    void RunHandler(const std::function<void()>& body);

    // Menu.
    QMenu* F1;
    QAction* O1;
    QAction* wszW1;
    QAction* S1;
    QAction* N2;
    QAction* AboutA1;

    // Left.
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckEQUp;
    SkinTreeView* ShellTreeView1;

    // Preview: the switch of the Korvel view above it, the line naming the
    // parts not the loaded skin's own below it, the hint until a skin is in.
    QCheckBox* KorvelViewSwitch;
    PictureBox* KorvelPicture; // the player's view while KorvelViewSwitch is on
    QFrame* Panel1;
    QLabel* PreviewHint;
    QLabel* CarriedOverLabel;
    PictureBox* Image1;
    PictureBox* Image5;
    PictureBox* Image2;

    // テキスト
    QGroupBox* GroupBox5;
    ColorShape* Shape8;
    ColorShape* Shape9;
    QCheckBox* CheckBox9;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox7;
    QCheckBox* CheckBox8;
    QLineEdit* Edit4;
    QLineEdit* Edit3;
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
    QLineEdit* Edit2;
    QPushButton* Button1;

    // プレイリスト
    QGroupBox* GroupBox4;
    ColorShape* Shape4;
    ColorShape* Shape5;
    ColorShape* Shape6;
    ColorShape* Shape7;
    QLineEdit* Edit1;
    QLineEdit* Edit5;
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
    void ApplyAnchors(QSize clientSize);
    void ConnectHandlers();
    void ConnectSettingHandlers();
    void ConnectTimeHandlers();
    // Toggled fires for the program's own changes too, when the value changes.
    void BindToggle(QAbstractButton* box, const std::function<void(bool)>& apply);

    void FormCreate();
    void FormDestroy();
    void RestoreTreeSelection(const QString& treeViewPath);
    StoredSettings SettingsToStore() const;

    // Opening skins (MainWindow.cpp). captionName names the skin in the
    // caption once its images are in the preview; sayNoSkin: a folder
    // without a skin gets a message (everywhere but the tree's plain click).
    void OpenFolder(const std::filesystem::path& folder, const QString& captionName, bool sayNoSkin);
    void OpenArchive(const std::filesystem::path& archive);
    void ShowOpenResult(const OpenResult& result, const std::filesystem::path& source,
                        const QString& captionName, bool sayNoSkin);
    void SetSkinCaption(const QString& itemText);
    void ShowCarriedOverParts();
    void ShowLoadedSkin();
    void ShowAppValues();

    // State into the controls (MainWindowPanel.cpp).
    void ShowSkinState();
    void ShowPreviews();
    void ShowOutputPictures();
    void ShowPlaylist();
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
    QPointer<QDialog> m_about;
    QWidget* m_client = nullptr;
    bool m_firstShowDone = false; // FirstShowDone
    bool m_treeCollapsing = false; // TreeCollapsing
    PlaylistDrag m_drag;
    bool m_korvelViewPending = false;
    Rect m_korvelPlaylist; // where the playlist stands in the Korvel view
    PartHistory m_partHistory;
    std::vector<SkinPart> m_carried;
};

} // namespace tf
