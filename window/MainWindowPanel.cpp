// The settings panel and the preview: handlers that write the controls'
// values into the session, and the session shown in the controls.

#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "skin/AnalyzerPattern.h"
#include "skin/LoadSkin.h"
#include "skin/Playlist.h"
#include "session/PreviewPlacement.h"
#include "skin/TimeDigits.h"
#include "window/Dialogs.h"
#include "window/DisplayControls.h"
#include "window/MainWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>
#include <string>

namespace tf {
namespace {

// Runs body, then show, also when body fails: a half-done render or build
// stays and is shown, as it would be on the control's own picture.
void RunThenShow(const std::function<void()>& body, const std::function<void()>& show)
{
    try {
        body();
    } catch (...) {
        show();
        throw;
    }
    show();
}

// A face name from its start: a long one would show its end.
void ShowFaceName(QLineEdit* edit, const QString& face)
{
    edit->setText(face);
    edit->setCursorPosition(0);
}

} // namespace

void TForm1::BindToggle(QAbstractButton* box, const std::function<void(bool)>& apply)
{
    connect(box, &QAbstractButton::toggled, this,
            [this, apply](bool checked) { RunHandler([&] { apply(checked); }); });
}

void TForm1::ConnectSettingHandlers()
{
    SkinState& state = m_session.State;
    BindToggle(CheckBox5, [&state](bool on) { state.ScrollTextFont().Shadow = on; });
    BindToggle(CheckBox6, [&state](bool on) { state.InfoFont().Shadow = on; });
    BindToggle(CheckBox7, [&state](bool on) { state.ScrollTextFont().Bold = on; });
    BindToggle(CheckBox8, [&state](bool on) { state.ScrollTextFont().Italic = on; });
    BindToggle(CheckBox9, [&state](bool on) { state.ShowScrollText = on; });
    BindToggle(CheckBox10, [&state](bool on) { state.ShowInfo = on; });
    BindToggle(CheckBox11, [&state](bool on) { state.ShowAnalyzer = on; });
    BindToggle(CheckBox12, [&state](bool on) { state.ShowTime = on; });
    BindToggle(CheckBox13, [&state](bool on) { state.ShowSeekBar = on; });
    BindToggle(CheckBox1, [this](bool) { CheckBox1Click(); });
    BindToggle(CheckEQUp, [this](bool) { CheckBox1Click(); });
    BindToggle(KorvelViewSwitch, [this](bool) { ShowKorvelView(); });
    ConnectTimeHandlers();

    // A size box holds a number within its limits whatever is typed.
    const auto onSize = [this](QSpinBox* box, std::function<void(int)> apply) {
        connect(box, &QSpinBox::valueChanged, this, [this, apply](int points) { RunHandler([&] { apply(points); }); });
    };
    onSize(Edit3, [&state](int points) { state.ScrollTextFont().Size = points; });
    onSize(Edit5, [&state](int points) { state.PlaylistFont().Size = points; });
    connect(PlaylistWidthBox, &QSpinBox::valueChanged, this, [this] { RunHandler([this] { PlaylistSizeChanged(); }); });
    connect(PlaylistHeightBox, &QSpinBox::valueChanged, this, [this] { RunHandler([this] { PlaylistSizeChanged(); }); });
    connect(PlaylistResetButton, &QToolButton::clicked, this, [this] { RunHandler([this] { PlaylistSizeReset(); }); });
    BindToggle(RadioButton1, [this, &state](bool on) {
        if (on) {
            state.AnalyzerPreviewScale = 1;
            BuildAnalyzer();
        }
    });
    BindToggle(RadioButton2, [this, &state](bool on) {
        if (on) {
            state.AnalyzerPreviewScale = 2;
            BuildAnalyzer();
        }
    });
    connect(Button2, &QPushButton::clicked, this, [this] { RunHandler([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { RunHandler([this] { Button3Click(); }); });
}

// The time group: every change renders the time glyph strip again.
void TForm1::ConnectTimeHandlers()
{
    EditorSettings& editor = m_session.Editor;
    // CheckBox2Click serves both style boxes of the time group.
    const auto timeStyle = [this, &editor](bool) {
        editor.TimeFontBold = CheckBox2->isChecked();
        editor.TimeFontItalic = CheckBox3->isChecked();
        RenderTime();
    };
    BindToggle(CheckBox2, timeStyle);
    BindToggle(CheckBox3, timeStyle);
    BindToggle(CheckBox4, [this, &editor](bool on) {
        editor.TransparentTime = on;
        RenderTime();
    });
    connect(Edit2, &QSpinBox::valueChanged, this, [this, &editor](int points) {
        RunHandler([&] {
            editor.TimeFontSizeText = std::to_string(points);
            RenderTime();
        });
    });
    connect(Button1, &QPushButton::clicked, this, [this] { RunHandler([this] { Button1Click(); }); });
    connect(Shape1, &ColorShape::pressed, this, [this] { RunHandler([this] { Shape1MouseDown(); }); });
    connect(UpDown1, &UpDownArrows::upClicked, this, [this] { RunHandler([this] { UpDown1Click(true); }); });
    connect(UpDown1, &UpDownArrows::downClicked, this, [this] { RunHandler([this] { UpDown1Click(false); }); });
}

void TForm1::CheckBox1Click()
{
    m_session.Editor.ShowEqualizer = CheckBox1->isChecked();
    m_session.Editor.EqualizerOnTop = CheckEQUp->isChecked();
    CheckEQUp->setVisible(CheckBox1->isChecked());
    PlacePreviews();
}

void TForm1::Button3Click()
{
    const FontChoice preset{Edit4->text(), Edit3->value(), CheckBox7->isChecked(),
                            CheckBox8->isChecked(), ToQColor(m_session.State.TextColor)};
    const auto chosen = m_dialogs.chooseFont(this, preset);
    if (!chosen)
        return;
    // Each control's handler carries its value into the font setting.
    ShowFaceName(Edit4, chosen->Face);
    Edit3->showValue(chosen->Size);
    CheckBox7->setChecked(chosen->Bold);
    CheckBox8->setChecked(chosen->Italic);
    // An unchanged face keeps its bytes as the skin gave them.
    if (chosen->Face != preset.Face)
        m_session.State.ScrollTextFont().Name = EncodeCp932(chosen->Face);
}

void TForm1::Button2Click()
{
    const FontChoice preset{Edit1->text(), Edit5->value(), false, false, Qt::black};
    const auto chosen = m_dialogs.chooseFont(this, preset);
    if (!chosen)
        return;
    ShowFaceName(Edit1, chosen->Face);
    Edit5->showValue(chosen->Size);
    if (chosen->Face != preset.Face)
        m_session.State.PlaylistFont().Name = EncodeCp932(chosen->Face);
}

void TForm1::Button1Click()
{
    EditorSettings& editor = m_session.Editor;
    const FontChoice preset{DecodeCp932(editor.TimeGlyphFontName), Edit2->value(),
                            CheckBox2->isChecked(), CheckBox3->isChecked(), Shape1->brushColor()};
    if (const auto chosen = m_dialogs.chooseFont(this, preset)) {
        if (chosen->Face != preset.Face)
            editor.TimeGlyphFontName = EncodeCp932(chosen->Face);
        Edit2->showValue(chosen->Size);
        CheckBox2->setChecked(chosen->Bold);
        CheckBox3->setChecked(chosen->Italic);
        editor.TimeFontColor = FromQColor(chosen->Color);
        Shape1->setBrushColor(chosen->Color);
    }
    RenderTime(); // accepted or not
}

void TForm1::Shape1MouseDown()
{
    if (const auto chosen = m_dialogs.chooseColor(this, Shape1->brushColor())) {
        m_session.Editor.TimeFontColor = FromQColor(*chosen);
        Shape1->setBrushColor(*chosen);
    }
    RenderTime(); // accepted or not
}

void TForm1::UpDown1Click(bool up)
{
    m_session.Editor.TimeSlashOffset += up ? -1 : 1; // up moves the slash one pixel up
    RenderTime();
}

void TForm1::RenderTime()
{
    RunThenShow([&] { RedrawTimeDigits(m_session); },
                [this] { Image3->setPicture(m_session.Previews.TimeDigits.image()); });
}

void TForm1::BuildAnalyzer()
{
    RunThenShow(
        [this] { RedrawAnalyzerPattern(m_session); },
        [this] { ShowOutputPictures(); });
}

void TForm1::Panel1MouseDown(QPoint position)
{
    m_drag = StartPlaylistDrag({position.x(), position.y()}, Image2->width(), Image2->height());
}

void TForm1::Panel1MouseMove(QPoint position)
{
    const Point at{position.x(), position.y()};
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (HitTestPlaylist(at, Image2->width(), Image2->height())) {
    case PlaylistDragMode::Corner:
        shape = Qt::SizeFDiagCursor;
        break;
    case PlaylistDragMode::RightEdge:
        shape = Qt::SizeHorCursor;
        break;
    case PlaylistDragMode::BottomEdge:
        shape = Qt::SizeVerCursor;
        break;
    case PlaylistDragMode::None:
        break;
    }
    if (Panel1->cursor().shape() != shape)
        Panel1->setCursor(shape); // the images show the panel's cursor
    const SkinState& state = m_session.State;
    const auto steps = PlaylistDragStep(m_drag, at, {state.PlaylistWidthSteps, state.PlaylistHeightSteps});
    if (!steps)
        return;
    // The drag stops where the size boxes do.
    const int width = std::min(steps->Width, kMaxPlaylistSteps);
    const int height = std::min(steps->Height, kMaxPlaylistSteps);
    if (width == state.PlaylistWidthSteps && height == state.PlaylistHeightSteps)
        return;
    RunHandler([&] { ComposePlaylistAt(width, height); });
}

void TForm1::ComposePlaylistAt(int widthSteps, int heightSteps)
{
    RunThenShow([&] { RedrawPlaylist(m_session, widthSteps, heightSteps); }, [this] { ShowPlaylist(); });
}

void TForm1::PlaylistSizeChanged()
{
    const SkinState& state = m_session.State;
    const int width = PlaylistWidthBox->value();
    const int height = PlaylistHeightBox->value();
    if (width != state.PlaylistWidthSteps || height != state.PlaylistHeightSteps)
        ComposePlaylistAt(width, height);
}

void TForm1::PlaylistSizeReset()
{
    ComposePlaylistAt(0, 0);
}

void TForm1::Panel1MouseUp()
{
    m_drag.Active = false;
}

void TForm1::ShowSkinState()
{
    const SkinState& state = m_session.State;
    CheckBox5->setChecked(state.ScrollTextFont().Shadow);
    CheckBox6->setChecked(state.InfoFont().Shadow);
    CheckBox7->setChecked(state.ScrollTextFont().Bold);
    CheckBox8->setChecked(state.ScrollTextFont().Italic);
    ShowFaceName(Edit4, DecodeCp932(state.ScrollTextFont().Name));
    Edit3->showValue(state.ScrollTextFont().Size);
    ShowFaceName(Edit1, DecodeCp932(state.PlaylistFont().Name));
    Edit5->showValue(state.PlaylistFont().Size);
    CheckBox9->setChecked(state.ShowScrollText);
    CheckBox12->setChecked(state.ShowTime);
    CheckBox10->setChecked(state.ShowInfo);
    CheckBox13->setChecked(state.ShowSeekBar);
    CheckBox11->setChecked(state.ShowAnalyzer);
    // The load set the transparency from Sexyfont.txt and rendered with it
    // already; showing it must not render a second time.
    const QSignalBlocker quiet(CheckBox4);
    CheckBox4->setChecked(m_session.Editor.TransparentTime);
}

void TForm1::ShowPreviews()
{
    Image1->setPicture(m_session.Previews.MainPreview.image());
    Image5->setPicture(m_session.Previews.EqPreview.image());
    ShowOutputPictures();
}

void TForm1::ShowOutputPictures()
{
    const SkinState& state = m_session.State;
    const PreviewPictures& previews = m_session.Previews;
    ShowPlaylist();
    Image3->setPicture(previews.TimeDigits.image());
    if (previews.AnalyzerPreviewSize.isValid() && !previews.AnalyzerPreviewSize.isEmpty())
        Image4->resize(previews.AnalyzerPreviewSize);
    Image4->setPicture(previews.Analyzer.image());
    Shape2->setBrushColor(ToQColor(state.PeakColor));
    Shape3->setBrushColor(ToQColor(state.OscilloColor));
    Shape8->setBrushColor(ToQColor(state.TextColor));
    Shape9->setBrushColor(ToQColor(state.ShadowColor));
}

void TForm1::ShowPlaylist()
{
    const SkinState& state = m_session.State;
    Image2->setPicture(m_session.Previews.Playlist.image());
    ShowPlaylistSize();
    Shape4->setBrushColor(ToQColor(state.PlaylistNormalColor));
    Shape5->setBrushColor(ToQColor(state.PlaylistNormalBGColor));
    Shape6->setBrushColor(ToQColor(state.PlaylistCurrentColor));
    Shape7->setBrushColor(ToQColor(state.PlaylistSelectedBGColor));
}

void TForm1::ShowPlaylistSize()
{
    // Shown, not asked for: no composition for each box in turn.
    const SkinState& state = m_session.State;
    const QSignalBlocker quietWidth(PlaylistWidthBox);
    const QSignalBlocker quietHeight(PlaylistHeightBox);
    PlaylistWidthBox->setValue(state.PlaylistWidthSteps);
    PlaylistHeightBox->setValue(state.PlaylistHeightSteps);
    PlacePlaylistSizePanel();
}

void TForm1::PlacePlaylistSizePanel()
{
    if (!m_app.SkinLoaded && m_session.Previews.Playlist.isEmpty()) {
        PlaylistSizePanel->hide();
        return;
    }
    // Just below the playlist's drag corner, right-aligned to it, in the
    // composed images or in the player's view; kept inside the panel.
    const QRect playlist = korvelViewShown()
        ? QRect(KorvelPicture->pos() + QPoint(m_korvelPlaylist.left, m_korvelPlaylist.top),
                QSize(m_korvelPlaylist.width(), m_korvelPlaylist.height()))
        : Image2->geometry();
    const QSize size = PlaylistSizePanel->sizeHint();
    const QRect inside = Panel1->contentsRect();
    const int x = std::clamp(playlist.right() + 1 - size.width(), inside.left(), inside.right() + 1 - size.width());
    const int y = std::clamp(playlist.bottom() + 4, inside.top(), inside.bottom() + 1 - size.height());
    PlaylistSizePanel->setGeometry(QRect(QPoint(x, y), size));
    PlaylistSizePanel->show();
    PlaylistSizePanel->raise();
}

void TForm1::PlacePreviews()
{
    const PreviewLayout layout = ApplyEqPlacement(m_session.Editor);
    Image1->move(kPreviewBorder, layout.MainTop);
    Image5->move(kPreviewBorder, layout.EqTop);
    Image2->move(kPreviewBorder, layout.PlaylistTop);
    // The player's view stands in for all three while it is shown.
    const bool composedShown = !korvelViewShown();
    Image1->setVisible(composedShown);
    Image5->setVisible(composedShown && layout.EqVisible);
    Image2->setVisible(composedShown);
    PlacePlaylistSizePanel();
}

} // namespace tf
