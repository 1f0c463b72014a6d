// Building the main window's controls at their design positions, and the
// anchors that move them when the window is resized.

#include "window/DisplayControls.h"
#include "window/MainWindow.h"
#include "window/SkinTreeView.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace tf {
namespace {

constexpr int kEditHeight = 20;
constexpr int kButtonWidth = 66;
constexpr int kButtonHeight = 22;
constexpr int kShapeWidth = 28;
constexpr int kShapeHeight = 14;
// A check box with a two-character caption, without the spare room of its
// size hint: the time group's first row has no more.
constexpr int kTightCheckWidth = 46;

// Right-hand group boxes: left edge at design size, anchored to the right.
constexpr int kRightColumn = 578;

// The preview column: the Korvel view switch on top, the panel, the line of
// carried-over parts at the bottom, within the design's 236, 4, 335 x 445.
constexpr int kPreviewLeft = 236;
constexpr int kPreviewWidth = 335;
constexpr int kSwitchTop = 4;
constexpr int kSwitchHeight = 18;
constexpr int kPanelTop = kSwitchTop + kSwitchHeight + 2;
constexpr int kStatusHeight = 16;
constexpr int kPanelHeight = 445 - (kPanelTop - 4) - kStatusHeight - 2;
constexpr int kStatusTop = kPanelTop + kPanelHeight + 2;

template <typename Control>
Control* Named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QGroupBox* AddGroupBox(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* box = Named(new QGroupBox(caption, parent), name);
    box->setGeometry(geometry);
    return box;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QString& caption, int x, int y,
                       bool checked = false)
{
    auto* box = Named(new QCheckBox(caption, parent), name);
    box->setChecked(checked);
    box->move(x, y);
    box->adjustSize();
    return box;
}

QRadioButton* AddRadioButton(QWidget* parent, const char* name, const QString& caption, int x,
                             int y, bool checked = false)
{
    auto* button = Named(new QRadioButton(caption, parent), name);
    button->setChecked(checked);
    button->move(x, y);
    button->adjustSize();
    return button;
}

QLabel* AddLabel(QWidget* parent, const QString& caption, int x, int y)
{
    auto* label = new QLabel(caption, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

ColorShape* AddShape(QWidget* parent, const char* name, int x, int y)
{
    auto* shape = Named(new ColorShape(parent), name);
    shape->setGeometry(x, y, kShapeWidth, kShapeHeight);
    return shape;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, const QString& text, QRect geometry,
                   bool readOnly = false)
{
    auto* edit = Named(new QLineEdit(text, parent), name);
    edit->setGeometry(geometry);
    edit->setReadOnly(readOnly);
    edit->setCursorPosition(0);
    if (readOnly) {
        // Read-only fields look it: the window's colour instead of a field's.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
        edit->setFocusPolicy(Qt::ClickFocus);
    }
    return edit;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, int x, int y)
{
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(x, y, kButtonWidth, kButtonHeight);
    return button;
}

} // namespace

void TForm1::CreateMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    F1 = Named(bar->addMenu(tr("ファイル(&F)")), "F1");
    O1 = Named(F1->addAction(tr("開く(&O)")), "O1");
    O1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    wszW1 = Named(F1->addAction(tr("WSZを開く(&W)")), "wszW1");
    wszW1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    Named(F1->addSeparator(), "N1");
    S1 = Named(F1->addAction(tr("保存(&S)")), "S1");
    S1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    S1->setEnabled(false);
    Named(F1->addSeparator(), "N3");
    N2 = Named(F1->addAction(tr("終了(&T)")), "N2");
    AboutA1 = Named(bar->addAction(tr("About(&A)")), "AboutA1");
}

void TForm1::CreateControls(QWidget* client)
{
    CreateSettingsGroup(client);
    ShellTreeView1 = Named(new SkinTreeView(client), "ShellTreeView1");
    ShellTreeView1->setGeometry(4, 72, 225, 377);
    CreatePreviewPanel(client);
    CreateTextGroup(client);
    CreateAnalyzerGroup(client);
    CreateSeekBarGroup(client);
    CreateTimeGroup(client);
    CreatePlaylistGroup(client);
}

void TForm1::CreateSettingsGroup(QWidget* client)
{
    GroupBox1 = AddGroupBox(client, "GroupBox1", tr("設定"), {4, 4, 225, 61});
    GroupBox1->setToolTip(tr("KorvelにはEQ用のウィンドウはないので、画像だけつなげます"));
    CheckBox1 = AddCheckBox(GroupBox1, "CheckBox1", tr("EQを表示する"), 10, 16, true);
    CheckEQUp = AddCheckBox(GroupBox1, "CheckEQUp", tr("EQを上にする"), 10, 37);
    CheckEQUp->setToolTip(tr("EQをメインの上につなげます"));
}

void TForm1::CreatePreviewPanel(QWidget* client)
{
    KorvelViewSwitch = Named(new QCheckBox(tr("Korvel表示"), client), "KorvelViewSwitch");
    KorvelViewSwitch->setGeometry(kPreviewLeft, kSwitchTop, kPreviewWidth, kSwitchHeight);
    Panel1 = Named(new QFrame(client), "Panel1");
    Panel1->setGeometry(kPreviewLeft, kPanelTop, kPreviewWidth, kPanelHeight);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken); // lowered bevel, one pixel
    Panel1->setLineWidth(1);
    Panel1->setMouseTracking(true);
    const auto addImage = [this](const char* name, int top) {
        auto* image = Named(new PictureBox(Panel1), name);
        image->setGeometry(1, top, kWindowWidth, kWindowHeight);
        image->setAutoSize(true);
        image->setMouseTracking(true);
        return image;
    };
    Image1 = addImage("Image1", 1);
    Image5 = addImage("Image5", 117);
    Image2 = addImage("Image2", 233);
    KorvelPicture = addImage("KorvelPicture", 1);
    KorvelPicture->hide();

    PreviewHint = Named(new QLabel(tr("左のツリーでスキンを選ぶか、フォルダや .wsz をここにドロップしてください"),
                                   Panel1),
                        "PreviewHint");
    PreviewHint->setAlignment(Qt::AlignCenter);
    PreviewHint->setWordWrap(true);
    PreviewHint->setStyleSheet(QStringLiteral("color: palette(dark);"));
    PreviewHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    PreviewHint->setGeometry(Panel1->contentsRect().adjusted(24, 0, -24, 0));

    CarriedOverLabel = Named(new QLabel(client), "CarriedOverLabel");
    CarriedOverLabel->setGeometry(kPreviewLeft, kStatusTop, kPreviewWidth, kStatusHeight);
}

void TForm1::CreateTextGroup(QWidget* client)
{
    GroupBox5 = AddGroupBox(client, "GroupBox5", tr("テキスト"), {kRightColumn, 4, 233, 157});
    QWidget* box = GroupBox5;
    AddLabel(box, tr("文字色"), 10, 20);
    Shape8 = AddShape(box, "Shape8", 50, 19);
    AddLabel(box, tr("影色"), 96, 20);
    Shape9 = AddShape(box, "Shape9", 124, 19);

    AddLabel(box, tr("スクロール文字列"), 10, 44);
    CheckBox9 = AddCheckBox(box, "CheckBox9", tr("表示"), 118, 42, true);
    CheckBox5 = AddCheckBox(box, "CheckBox5", tr("影"), 170, 42);
    CheckBox7 = AddCheckBox(box, "CheckBox7", tr("太字"), 118, 62);
    CheckBox8 = AddCheckBox(box, "CheckBox8", tr("斜体"), 170, 62);
    Edit4 = AddEdit(box, "Edit4", QStringLiteral("MS UI Gothic"), {10, 86, 108, kEditHeight}, true);
    Edit3 = AddEdit(box, "Edit3", QStringLiteral("8"), {122, 86, 32, kEditHeight});
    Button3 = AddButton(box, "Button3", tr("フォント"), 158, 85);

    AddLabel(box, tr("周波数･ビットレート"), 10, 124);
    CheckBox10 = AddCheckBox(box, "CheckBox10", tr("表示"), 118, 122, true);
    CheckBox6 = AddCheckBox(box, "CheckBox6", tr("影"), 170, 122);
}

void TForm1::CreateAnalyzerGroup(QWidget* client)
{
    GroupBox3 = AddGroupBox(client, "GroupBox3", tr("アナライザー"), {kRightColumn, 168, 153, 65});
    QWidget* box = GroupBox3;
    CheckBox11 = AddCheckBox(box, "CheckBox11", tr("表示"), 10, 14, true);
    Image4 = Named(new PictureBox(box), "Image4");
    Image4->setGeometry(80, 12, 5, 16);
    Image4->setStretch(true);
    AddLabel(box, tr("Peak"), 10, 34);
    Shape2 = AddShape(box, "Shape2", 48, 34);
    AddLabel(box, tr("Ocillo"), 10, 49);
    Shape3 = AddShape(box, "Shape3", 48, 49);
    RadioButton1 = AddRadioButton(box, "RadioButton1", QStringLiteral("x1"), 104, 16, true);
    RadioButton2 = AddRadioButton(box, "RadioButton2", QStringLiteral("x2"), 104, 38);
}

void TForm1::CreateSeekBarGroup(QWidget* client)
{
    GroupBox6 = AddGroupBox(client, "GroupBox6", tr("シークバー"), {kRightColumn, 240, 153, 41});
    CheckBox13 = AddCheckBox(GroupBox6, "CheckBox13", tr("表示"), 10, 16, true);
}

void TForm1::CreateTimeGroup(QWidget* client)
{
    GroupBox2 = AddGroupBox(client, "GroupBox2", tr("時間"), {kRightColumn, 288, 241, 65});
    GroupBox2->setToolTip(tr("Korvelスキンではの0～9:/ｽﾍﾟｰｽの順で並んでいる必要があります"));
    QWidget* box = GroupBox2;
    Image3 = Named(new PictureBox(box), "Image3");
    Image3->setGeometry(6, 19, 117, 13);
    Image3->setAutoSize(true);
    UpDown1 = Named(new UpDownArrows(box), "UpDown1");
    UpDown1->setGeometry(125, 14, 13, 22);
    CheckBox12 = AddCheckBox(box, "CheckBox12", tr("表示", "time, a narrow box"), 141, 16, true);
    CheckBox12->resize(kTightCheckWidth, CheckBox12->height());
    CheckBox4 = AddCheckBox(box, "CheckBox4", tr("透過"), 189, 16);
    CheckBox4->resize(kTightCheckWidth, CheckBox4->height());
    CheckBox4->setToolTip(
        tr("時間表示を左上の座標を透過色として透過します。Korvelの透過色はRGB(0,0,0)です。"));

    Shape1 = AddShape(box, "Shape1", 6, 42);
    Shape1->resize(24, kShapeHeight);
    Shape1->setBrushColor(ToQColor(m_session.Editor.TimeFontColor));
    Shape1->setCursor(Qt::PointingHandCursor);
    CheckBox2 = AddCheckBox(box, "CheckBox2", tr("太字"), 36, 41);
    CheckBox2->resize(kTightCheckWidth, CheckBox2->height());
    CheckBox3 = AddCheckBox(box, "CheckBox3", tr("斜体"), 84, 41);
    CheckBox3->resize(kTightCheckWidth, CheckBox3->height());
    Edit2 = AddEdit(box, "Edit2", QStringLiteral("7"), {134, 39, 28, kEditHeight});
    Button1 = AddButton(box, "Button1", tr("フォント"), 167, 38);
}

void TForm1::CreatePlaylistGroup(QWidget* client)
{
    GroupBox4 = AddGroupBox(client, "GroupBox4", tr("プレイリスト"), {kRightColumn, 360, 241, 89});
    QWidget* box = GroupBox4;
    AddLabel(box, tr("文字色"), 10, 20);
    Shape4 = AddShape(box, "Shape4", 88, 19);
    AddLabel(box, tr("背景色"), 124, 20);
    Shape5 = AddShape(box, "Shape5", 202, 19);
    AddLabel(box, tr("再生中文字色"), 10, 40);
    Shape6 = AddShape(box, "Shape6", 88, 39);
    AddLabel(box, tr("選択時背景色"), 124, 40);
    Shape7 = AddShape(box, "Shape7", 202, 39);
    Edit1 = AddEdit(box, "Edit1", QStringLiteral("MS UI Gothic"), {10, 62, 120, kEditHeight}, true);
    Edit5 = AddEdit(box, "Edit5", QStringLiteral("7"), {134, 62, 30, kEditHeight});
    Button2 = AddButton(box, "Button2", tr("フォント"), 168, 61);
}

void TForm1::ApplyAnchors(QSize clientSize)
{
    // Anchors keep each control's distance to the edges it is anchored to.
    const int dw = clientSize.width() - kClientWidth;
    const int dh = clientSize.height() - kClientHeight;
    ShellTreeView1->setGeometry(4, 72, 225, 377 + dh);
    Panel1->setGeometry(kPreviewLeft, kPanelTop, kPreviewWidth + dw, kPanelHeight + dh);
    PreviewHint->setGeometry(Panel1->contentsRect().adjusted(24, 0, -24, 0));
    CarriedOverLabel->setGeometry(kPreviewLeft, kStatusTop + dh, kPreviewWidth + dw, kStatusHeight);
    for (QGroupBox* box : {GroupBox5, GroupBox3, GroupBox6, GroupBox2, GroupBox4})
        box->move(kRightColumn + dw, box->y());
}

} // namespace tf
