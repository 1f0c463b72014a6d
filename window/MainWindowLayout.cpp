// Building the main window's controls at their design positions, and the
// anchors that move them when the window is resized. The tree and the rest
// are the two sides of a splitter, whose handle fills the design's gap
// between them; positions on the right side are the design's less its left.

#include "session/PreviewPlacement.h"
#include "skin/Playlist.h"
#include "window/DisplayControls.h"
#include "window/MainWindow.h"
#include "window/SkinTreeView.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStyle>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <vector>

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

// The left side: the tree's design left and width; the splitter's handle
// fills the gap up to the preview's design left.
constexpr int kTreeLeft = 4;
constexpr int kTreeWidth = 225;
constexpr int kLeftSideWidth = kTreeLeft + kTreeWidth;
constexpr int kRightSideLeft = 236;
constexpr int kRightSideWidth = TForm1::kClientWidth - kRightSideLeft;
constexpr int kRoundingSlack = 2;

// Right-hand group boxes: left edge at design size, anchored to the right.
constexpr int kRightColumn = 578 - kRightSideLeft;

// The preview column: the Korvel view switch on top, then the panel, within
// the design's 236, 4, 335 x 445.
constexpr int kPreviewLeft = 236 - kRightSideLeft;
constexpr int kPreviewWidth = 335;
constexpr int kSwitchTop = 4;
constexpr int kSwitchHeight = 18;
constexpr int kPanelTop = kSwitchTop + kSwitchHeight + 2;
constexpr int kPanelHeight = 445 - (kPanelTop - 4);

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

// A face name: read-only fields look it, the window's colour instead of a
// field's.
QLineEdit* AddFaceName(QWidget* parent, const char* name, QRect geometry)
{
    auto* edit = Named(new QLineEdit(QStringLiteral("MS UI Gothic"), parent), name);
    edit->setGeometry(geometry);
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

FontSizeBox* AddSizeBox(QWidget* parent, const char* name, int points, QRect geometry)
{
    auto* box = Named(new FontSizeBox(parent), name);
    box->setValue(points);
    box->setGeometry(geometry);
    return box;
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
    BatchAction = Named(F1->addAction(tr("選択したスキンを一括変換…")), "BatchAction");
    BatchAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    BatchAction->setEnabled(false);
    Named(F1->addSeparator(), "N3");
    N2 = Named(F1->addAction(tr("終了(&T)")), "N2");
    AboutA1 = Named(bar->addAction(tr("About(&A)")), "AboutA1");
}

void TForm1::CreateControls(QWidget* client)
{
    TreeSplitter = Named(new QSplitter(Qt::Horizontal, client), "TreeSplitter");
    TreeSplitter->setHandleWidth(kRightSideLeft - kLeftSideWidth);
    TreeSplitter->setChildrenCollapsible(false);
    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TreeSplitter);
    m_leftPane = Named(new QWidget(TreeSplitter), "LeftSide");
    // The preview with the settings, or in its place the gallery.
    RightStack = Named(new QStackedWidget(TreeSplitter), "RightStack");
    m_rightPane = Named(new QWidget(RightStack), "RightSide");
    RightStack->addWidget(m_rightPane);
    // Below the design size the anchored controls would run into each other;
    // a pixel or two less is what a fractional scaling's rounding takes, not
    // worth scroll bars.
    m_leftPane->setMinimumSize(kLeftSideWidth, kClientHeight - kRoundingSlack);
    m_rightPane->setMinimumSize(kRightSideWidth - kRoundingSlack, kClientHeight - kRoundingSlack);
    TreeSplitter->addWidget(m_leftPane);
    TreeSplitter->addWidget(RightStack);
    TreeSplitter->setStretchFactor(0, 0); // a wider window widens the preview
    TreeSplitter->setStretchFactor(1, 1);
    TreeSplitter->setSizes({kLeftSideWidth, kRightSideWidth});

    CreateSettingsGroup(m_leftPane);
    ShellTreeView1 = Named(new SkinTreeView(m_leftPane), "ShellTreeView1");
    ShellTreeView1->setGeometry(kTreeLeft, 72, kTreeWidth, 377);
    CreatePreviewPanel(m_rightPane);
    CreateTextGroup(m_rightPane);
    CreateAnalyzerGroup(m_rightPane);
    CreateSeekBarGroup(m_rightPane);
    CreateTimeGroup(m_rightPane);
    CreatePlaylistGroup(m_rightPane);
    CreateGallery(RightStack);
    CreateStatusBar();
}

void TForm1::CreateStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    CarriedOverLabel = Named(new QLabel(statusBar()), "CarriedOverLabel");
    statusBar()->addPermanentWidget(CarriedOverLabel);
    BatchStatusButton = Named(new QToolButton(statusBar()), "BatchStatusButton");
    BatchStatusButton->setAutoRaise(true);
    BatchStatusButton->setToolTip(tr("一括変換の経過と結果を表示します"));
    BatchStatusButton->hide();
    statusBar()->addPermanentWidget(BatchStatusButton);
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
        image->setGeometry(kPreviewBorder, top, kWindowWidth, kWindowHeight);
        image->setAutoSize(true);
        image->setMouseTracking(true);
        return image;
    };
    const PreviewLayout placed;
    Image1 = addImage("Image1", placed.MainTop);
    Image5 = addImage("Image5", placed.EqTop);
    Image2 = addImage("Image2", placed.PlaylistTop);
    KorvelPicture = addImage("KorvelPicture", kPreviewBorder);
    KorvelPicture->hide();

    PreviewHint = Named(new QLabel(tr("左のツリーでスキンを選ぶか、フォルダや .wsz をここにドロップしてください"),
                                   Panel1),
                        "PreviewHint");
    PreviewHint->setAlignment(Qt::AlignCenter);
    PreviewHint->setWordWrap(true);
    PreviewHint->setStyleSheet(QStringLiteral("color: palette(dark);"));
    PreviewHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    PreviewHint->setGeometry(Panel1->contentsRect().adjusted(24, 0, -24, 0));

    CreatePlaylistSizePanel();
}

void TForm1::CreatePlaylistSizePanel()
{
    PlaylistSizePanel = Named(new QWidget(Panel1), "PlaylistSizePanel");
    PlaylistSizePanel->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(PlaylistSizePanel);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(3);
    const QString limits = tr("0 から %1 まで").arg(kMaxPlaylistSteps);
    const auto addBox = [&](const char* name, const QString& tip) {
        auto* box = Named(new QSpinBox(PlaylistSizePanel), name);
        box->setRange(0, kMaxPlaylistSteps);
        box->setAlignment(Qt::AlignRight);
        box->setToolTip(tip + QStringLiteral(" (") + limits + QStringLiteral(")"));
        box->setKeyboardTracking(false); // one recomposition per number, not per digit
        row->addWidget(box);
        return box;
    };
    PlaylistWidthBox = addBox("PlaylistWidthBox", tr("プレイリストの幅: %1 ピクセルずつ増えます").arg(kPlaylistWidthStep));
    row->addWidget(new QLabel(QStringLiteral("×"), PlaylistSizePanel));
    PlaylistHeightBox = addBox("PlaylistHeightBox", tr("プレイリストの高さ: %1 ピクセルずつ増えます").arg(kPlaylistHeightStep));
    PlaylistResetButton = Named(new QToolButton(PlaylistSizePanel), "PlaylistResetButton");
    PlaylistResetButton->setText(tr("既定の大きさ"));
    PlaylistResetButton->setToolTip(tr("プレイリストを最小の大きさ (275 × 116) に戻します"));
    row->addWidget(PlaylistResetButton);
    PlaylistSizePanel->adjustSize();
    PlaylistSizePanel->hide(); // until a skin is in
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
    Edit4 = AddFaceName(box, "Edit4", {10, 86, 100, kEditHeight});
    Edit3 = AddSizeBox(box, "Edit3", 8, {113, 86, 42, kEditHeight});
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
    // The size box takes more room than a plain field: the button gives it.
    Edit2 = AddSizeBox(box, "Edit2", 7, {134, 39, 38, kEditHeight});
    Button1 = AddButton(box, "Button1", tr("フォント"), 175, 38);
    Button1->resize(60, kButtonHeight);
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
    Edit1 = AddFaceName(box, "Edit1", {10, 62, 112, kEditHeight});
    Edit5 = AddSizeBox(box, "Edit5", 7, {125, 62, 40, kEditHeight});
    Button2 = AddButton(box, "Button2", tr("フォント"), 168, 61);
}

namespace {

// The width a control's caption needs to show whole; zero for controls
// without one.
int CaptionWidth(const QWidget* control)
{
    const QFontMetrics metrics = control->fontMetrics();
    const QStyle* style = control->style();
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box)
            + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box)
            + metrics.horizontalAdvance(box->text()) + 2;
    if (const auto* button = qobject_cast<const QRadioButton*>(control))
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button)
            + style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button)
            + metrics.horizontalAdvance(button->text()) + 2;
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return metrics.horizontalAdvance(button->text()) + 12;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->pixmap().isNull() ? metrics.horizontalAdvance(label->text()) : 0;
    return 0;
}

// Within a group box, a control whose caption does not fit grows, and the
// controls to its right on its row move along; the box grows to hold them.
// At the design's captions nothing moves; longer ones (another language)
// keep every word whole and nothing on top of anything else.
void FitCaptionsIn(QGroupBox* box)
{
    // Controls whose middles lie within a few pixels stand on one row.
    std::vector<std::vector<QWidget*>> rows;
    for (QWidget* control : box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const int middle = control->geometry().center().y();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const std::vector<QWidget*>& found) {
            return std::abs(found.front()->geometry().center().y() - middle) <= 6;
        });
        if (row == rows.end())
            rows.push_back({control});
        else
            row->push_back(control);
    }
    constexpr int kGap = 2;
    int right = 0;
    for (std::vector<QWidget*>& row : rows) {
        std::sort(row.begin(), row.end(), [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        int end = 0;
        for (QWidget* control : row) {
            if (control->width() < CaptionWidth(control))
                control->resize(CaptionWidth(control), control->height());
            if (end > 0 && control->x() < end + kGap)
                control->move(end + kGap, control->y());
            end = control->geometry().right() + 1;
        }
        right = std::max(right, end);
    }
    if (box->width() < right + 6)
        box->resize(right + 6, box->height());
}

} // namespace

void TForm1::FitCaptions()
{
    for (QGroupBox* box : m_client->findChildren<QGroupBox*>())
        FitCaptionsIn(box);
    // The widest group box keeps its distance to the right edge.
    constexpr int kRightMargin = kRightSideWidth - kRightColumn - 241;
    int rightSide = kRightSideWidth;
    for (QGroupBox* box : {GroupBox5, GroupBox3, GroupBox6, GroupBox2, GroupBox4})
        rightSide = std::max(rightSide, kRightColumn + box->width() + kRightMargin);
    m_rightSideWidth = rightSide;
    m_rightPane->setMinimumWidth(rightSide - kRoundingSlack);
    m_leftPane->setMinimumWidth(std::max(kLeftSideWidth, GroupBox1->geometry().right() + 1));
}

void TForm1::SetTreeWidth(int width)
{
    const int left = std::max(kTreeLeft + width, m_leftPane->minimumWidth());
    const int total = TreeSplitter->width() > left ? TreeSplitter->width() : left + m_rightSideWidth;
    TreeSplitter->setSizes({left, std::max(total - left - TreeSplitter->handleWidth(), m_rightSideWidth)});
}

void TForm1::ApplyLeftAnchors(QSize paneSize)
{
    // The tree takes what the splitter gives the left side.
    const int dh = paneSize.height() - kClientHeight;
    ShellTreeView1->setGeometry(kTreeLeft, 72, paneSize.width() - kTreeLeft, 377 + dh);
}

void TForm1::ApplyAnchors(QSize paneSize)
{
    // Anchors keep each control's distance to the edges it is anchored to.
    // The right side's width at design size is the design's, or more where
    // captions needed wider group boxes (FitCaptions).
    const int dw = paneSize.width() - m_rightSideWidth;
    const int dh = paneSize.height() - kClientHeight;
    Panel1->setGeometry(kPreviewLeft, kPanelTop, kPreviewWidth + dw, kPanelHeight + dh);
    PreviewHint->setGeometry(Panel1->contentsRect().adjusted(24, 0, -24, 0));
    for (QGroupBox* box : {GroupBox5, GroupBox3, GroupBox6, GroupBox2, GroupBox4})
        box->move(kRightColumn + dw, box->y());
    PlacePlaylistSizePanel();
}

} // namespace tf
