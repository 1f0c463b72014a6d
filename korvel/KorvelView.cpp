#include "korvel/KorvelView.h"

#include "korvel/FieldText.h"
#include "korvel/ViewSample.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "platform/ShiftJis.h"

#include <QCoreApplication>
#include <algorithm>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Shown where a window's bitmap is magenta, the transparent colour of every
// image this program writes, and where no window is.
constexpr Color kDesktopColor = MakeColor(96, 96, 96);
// The time strip's transparent colour in the player.
constexpr Color kTimeKeyColor = kBlack;
constexpr int kDefaultFontSize = 9;

// Time strip cells: the digits, then colon, slash and space.
constexpr std::string_view kTimeCells = "0123456789:/ ";

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

std::optional<Rect> Intersect(const Rect& a, const Rect& b)
{
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    if (r.isEmpty())
        return std::nullopt;
    return r;
}

// A 1:1 copy of sourceRect to `at`, keeping only what falls inside clip.
void CopyClipped(Bitmap& dest, const Bitmap& source, const Rect& sourceRect, Point at, const Rect& clip,
                 std::optional<Color> key = std::nullopt)
{
    const Rect placed{at.x, at.y, int32_t(at.x + sourceRect.width()), int32_t(at.y + sourceRect.height())};
    const auto visible = Intersect(placed, clip);
    if (!visible)
        return;
    const Rect from = Rect{visible->left, visible->top, visible->right, visible->bottom}.translated(
        sourceRect.left - at.x, sourceRect.top - at.y);
    if (key)
        dest.copyKeyed(source, from, *visible, *key);
    else
        dest.copy(source, from, *visible);
}

// Fills the rectangle with color at alpha (0 to 255) over what is there.
void BlendFill(Bitmap& target, const Rect& rect, Color color, int alpha)
{
    const auto inside = Intersect(rect, {0, 0, target.width(), target.height()});
    if (!inside)
        return;
    QImage& pixels = target.image();
    const auto mix = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha)) / 255; };
    for (int y = inside->top; y < inside->bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = inside->left; x < inside->right; ++x)
            row[x] = qRgb(mix(RedOf(color), qRed(row[x])), mix(GreenOf(color), qGreen(row[x])),
                          mix(BlueOf(color), qBlue(row[x])));
    }
}

bool EndsWithNoCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && SameKey(text.substr(text.size() - tail.size()), tail);
}

class ViewPainter {
public:
    ViewPainter(const KorvelDefinition& definition, const ImageLookup& images, ViewState state)
        : m_def(definition), m_images(images), m_state(state)
    {
    }

    Bitmap paintMain() const;
    std::optional<Bitmap> paintPlaylist() const;

private:
    std::optional<Bitmap> image(std::string_view key) const;
    FieldTextStyle fontStyle(const std::string& prefix, TextAlign align) const;
    void drawText(Bitmap& target, std::string_view fieldKey, const std::string& fontPrefix,
                  std::string_view text, TextAlign align) const;

    void drawPressedButtons(Bitmap& target, const Bitmap& pressed) const;
    void drawTime(Bitmap& target) const;
    void drawAnalyzer(Bitmap& target) const;
    void drawSeekBar(Bitmap& target) const;
    void drawStrip(Bitmap& target, std::string_view fieldKey, std::string_view bitmapKey,
                   std::string_view sizeKey, int (*frameOf)(int frames)) const;
    void drawTracks(Bitmap& target) const;

    const KorvelDefinition& m_def;
    const ImageLookup& m_images;
    ViewState m_state;
};

std::optional<Bitmap> ViewPainter::image(std::string_view key) const
{
    const auto name = m_def.text(key);
    if (!name || name->empty())
        return std::nullopt;
    auto found = m_images(*name);
    if (found && found->isEmpty())
        return std::nullopt;
    return found;
}

FieldTextStyle ViewPainter::fontStyle(const std::string& prefix, TextAlign align) const
{
    FieldTextStyle style;
    const std::string name = m_def.text(prefix + "FontName").value_or(std::string());
    style.font = MakeFont(std::string_view(name), m_def.integer(prefix + "FontSize").value_or(kDefaultFontSize),
                          m_def.flag(prefix + "FontBold").value_or(false),
                          m_def.flag(prefix + "FontItalic").value_or(false));
    style.color = m_def.color(prefix + "FontColor").value_or(kBlack);
    if (m_def.flag(prefix + "FontShadow").value_or(false))
        style.shadow = m_def.color(prefix + "FontShadowColor").value_or(kBlack);
    style.align = align;
    return style;
}

void ViewPainter::drawText(Bitmap& target, std::string_view fieldKey, const std::string& fontPrefix,
                           std::string_view text, TextAlign align) const
{
    if (const auto field = m_def.rect(fieldKey))
        DrawFieldText(target, *field, Utf8(text), fontStyle(fontPrefix, align));
}

void ViewPainter::drawPressedButtons(Bitmap& target, const Bitmap& pressed) const
{
    for (const DefinitionLine& line : m_def.lines()) {
        if (!EndsWithNoCase(line.key, "Button"))
            continue;
        if (const auto field = line.rect())
            CopyClipped(target, pressed, *field, {field->left, field->top}, *field);
    }
}

void ViewPainter::drawTime(Bitmap& target) const
{
    const auto field = m_def.rect("TimeField");
    const auto strip = image("TimeFontBitmap");
    if (!field || !strip)
        return;
    const int cellWidth = m_def.integer("TimeFontBitmapSize", 0).value_or(9);
    const int cellHeight = m_def.integer("TimeFontBitmapSize", 1).value_or(strip->height());
    if (cellWidth <= 0 || cellHeight <= 0)
        return;
    const std::optional<Color> key =
        m_def.flag("TimeFontTransparent").value_or(false) ? std::optional(kTimeKeyColor) : std::nullopt;
    int x = field->left;
    for (const char c : view_sample::kElapsed) {
        const size_t cell = kTimeCells.find(c);
        const int left = int(cell) * cellWidth;
        CopyClipped(target, *strip, {left, 0, left + cellWidth, cellHeight}, {x, field->top}, *field, key);
        x += cellWidth;
    }
}

void ViewPainter::drawAnalyzer(Bitmap& target) const
{
    const auto field = m_def.rect("SpectrumField");
    const auto pattern = image("SpectrumPattern");
    if (!field || !pattern || field->isEmpty())
        return;
    const int fieldHeight = int(field->height());
    const int barWidth = int(std::min<int64_t>(pattern->width(), field->width()));
    const int bars = int((field->width() + 1) / (barWidth + 1));
    const Color peak = m_def.color("SpectrumPeakColor").value_or(kWhite);
    for (int bar = 0; bar < bars; ++bar) {
        const size_t sample = size_t(bar) % view_sample::kBarLevels.size();
        const int x = field->left + bar * (barWidth + 1);
        const int level = view_sample::kBarLevels[sample] * fieldHeight / 16;
        const int peakLevel = view_sample::kPeakLevels[sample] * fieldHeight / 16;
        // Each row of the field shows the pattern row at the same height, so
        // a bar's colour says how high it reaches.
        for (int y = field->bottom - level; y < field->bottom; ++y) {
            const int row = int(int64_t(y - field->top) * pattern->height() / fieldHeight);
            target.copy(*pattern, {0, row, pattern->width(), row + 1}, {x, y, x + barWidth, y + 1});
        }
        if (peakLevel > 0) {
            const int y = field->bottom - peakLevel;
            target.fill({x, y, x + barWidth, y + 1}, peak);
        }
    }
}

void ViewPainter::drawSeekBar(Bitmap& target) const
{
    const auto field = m_def.rect("SeekBarField");
    const auto thumb = image(m_state == ViewState::Pressed ? "SeekBitmapPressed" : "SeekBitmap");
    if (!field || !thumb)
        return;
    const int64_t travel = std::max<int64_t>(0, field->width() - thumb->width());
    const int x = int(field->left + travel * view_sample::kSeekPercent / 100);
    CopyClipped(target, *thumb, {0, 0, thumb->width(), thumb->height()}, {x, field->top}, *field);
}

int VolumeFrame(int frames) { return ((frames - 1) * view_sample::kVolumePercent + 50) / 100; }
int CentreFrame(int frames) { return frames / 2; }

void ViewPainter::drawStrip(Bitmap& target, std::string_view fieldKey, std::string_view bitmapKey,
                            std::string_view sizeKey, int (*frameOf)(int frames)) const
{
    const auto field = m_def.rect(fieldKey);
    const auto strip = image(bitmapKey);
    if (!field || !strip)
        return;
    const int frameWidth = m_def.integer(sizeKey, 0).value_or(int(field->width()));
    const int frameHeight = m_def.integer(sizeKey, 1).value_or(int(field->height()));
    if (frameWidth <= 0 || frameHeight <= 0 || strip->width() < frameWidth)
        return;
    const int left = frameOf(strip->width() / frameWidth) * frameWidth;
    // The whole frame, also where it is wider than the field.
    CopyClipped(target, *strip, {left, 0, left + frameWidth, frameHeight}, {field->left, field->top},
                {0, 0, target.width(), target.height()});
}

Bitmap ViewPainter::paintMain() const
{
    const auto normal = image("MainBitmap");
    if (!normal)
        throw AppError(ErrorKind::FileOpen,
                       QCoreApplication::translate("KorvelView", "MainBitmap %1 が見つかりません")
                           .arg(DecodeCp932(m_def.text("MainBitmap").value_or(std::string()))));
    const auto pressed = image("MainBitmapPressed");
    Bitmap target = *normal;
    if (m_state == ViewState::Inactive)
        target = image("MainBitmapInactive").value_or(*normal);
    if (m_state == ViewState::Pressed && pressed)
        drawPressedButtons(target, *pressed);
    // The sample song is in stereo: its field shows the lit sprite, which
    // the pressed bitmap holds.
    if (const auto stereo = m_def.rect("SongModeStereoWindowField"); stereo && pressed)
        CopyClipped(target, *pressed, *stereo, {stereo->left, stereo->top}, *stereo);

    drawText(target, "SongInfoField", "SongInformation", view_sample::kSongTitle, TextAlign::Left);
    drawText(target, "SongKbpsField", "SongKbps", view_sample::kKbps, TextAlign::Center);
    drawText(target, "SongKhzField", "SongKhz", view_sample::kKhz, TextAlign::Center);
    drawTime(target);
    drawAnalyzer(target);
    drawSeekBar(target);
    drawStrip(target, "PanBarField", "PanBitmap", "PanImageSize", CentreFrame);
    drawStrip(target, "VolumeField", "VolumeBitmap", "VolumeImageSize", VolumeFrame);
    return target;
}

void ViewPainter::drawTracks(Bitmap& target) const
{
    const auto field = m_def.rect("PlayListTextField");
    if (!field)
        return;
    FieldTextStyle style = fontStyle("PlayList", TextAlign::Left);
    const std::string fontName = m_def.text("PlayListFontName").value_or(std::string());
    const int fontSize = m_def.integer("PlayListFontSize").value_or(kDefaultFontSize);
    const int rowHeight = std::max(1, MeasureTextHeight(fontName, fontSize));
    const Color normal = style.color;
    const Color current = m_def.color("PlayListCurrentTrackColor").value_or(normal);
    const Color selectedText = m_def.color("PlayListRectFontColor").value_or(normal);
    const Color box = m_def.color("PlayListRectColor").value_or(kBlue);
    const int alpha = std::clamp(m_def.integer("PlayListRectAlpha").value_or(255), 0, 255);

    for (size_t i = 0; i < view_sample::kTracks.size(); ++i) {
        const int32_t top = int32_t(field->top + int64_t(i) * rowHeight);
        const Rect row{field->left, top, field->right, int32_t(top + rowHeight)};
        const auto visible = Intersect(row, *field);
        if (!visible)
            break;
        style.color = i == view_sample::kCurrentTrack ? current : normal;
        if (i == view_sample::kSelectedTrack) {
            style.color = selectedText;
            BlendFill(target, *visible, box, alpha);
        }
        const view_sample::Track& track = view_sample::kTracks[i];
        const QString length = Utf8(track.length);
        style.align = TextAlign::Right;
        DrawFieldText(target, row, length, style, visible);
        // The title stops short of the length, as a list with two columns.
        Rect titleClip = *visible;
        titleClip.right = int32_t(titleClip.right - TextWidth(style.font, length) - 4);
        style.align = TextAlign::Left;
        DrawFieldText(target, row, QStringLiteral("%1. %2").arg(i + 1).arg(Utf8(track.title)), style,
                      titleClip);
    }
}

std::optional<Bitmap> ViewPainter::paintPlaylist() const
{
    auto list = image("PlayListMainBitmap");
    if (!list)
        return std::nullopt;
    drawTracks(*list);
    drawText(*list, "PlayListTotalPlayTimeField", "PlayListTotalPlayTime", view_sample::kTotalTime, TextAlign::Left);
    drawText(*list, "PlayListTimeField", "PlayListTime", view_sample::kElapsed, TextAlign::Left);
    return list;
}

Rect Scaled(const Rect& rect, int scale)
{
    return {rect.left * scale, rect.top * scale, rect.right * scale, rect.bottom * scale};
}

} // namespace

KorvelView RenderKorvelView(const KorvelDefinition& definition, const ImageLookup& images,
                            const ViewOptions& options)
{
    const ViewPainter painter(definition, images, options.state);
    const Bitmap main = painter.paintMain();
    const std::optional<Bitmap> playlist = painter.paintPlaylist();

    // The first link is where the playlist stands when the player starts;
    // the others are where it docks when dragged.
    Rect mainRect{0, 0, main.width(), main.height()};
    Rect listRect;
    if (playlist) {
        const DefinitionLine* link = definition.find("PlayListLinkXY");
        const int32_t dx = link ? link->integer(0).value_or(0) : 0;
        const int32_t dy = link ? link->integer(1).value_or(mainRect.bottom) : mainRect.bottom;
        listRect = Rect{dx, dy, dx + playlist->width(), dy + playlist->height()};
    }
    const Rect bounds = playlist ? Rect{std::min(mainRect.left, listRect.left), std::min(mainRect.top, listRect.top),
                                        std::max(mainRect.right, listRect.right),
                                        std::max(mainRect.bottom, listRect.bottom)}
                                 : mainRect;
    Bitmap::CheckSize(bounds.width(), bounds.height());
    mainRect.translate(-bounds.left, -bounds.top);
    listRect.translate(-bounds.left, -bounds.top);

    Bitmap canvas(int(bounds.width()), int(bounds.height()));
    canvas.fillAll(kDesktopColor);
    canvas.copyKeyed(main, {0, 0, main.width(), main.height()}, mainRect, kMagenta);
    if (playlist)
        canvas.copyKeyed(*playlist, {0, 0, playlist->width(), playlist->height()}, listRect, kMagenta);

    const int scale = std::max(1, options.scale);
    Bitmap::CheckSize(bounds.width() * scale, bounds.height() * scale);
    KorvelView view;
    view.image = scale == 1 ? canvas.image()
                            : canvas.image().scaled(canvas.width() * scale, canvas.height() * scale,
                                                    Qt::IgnoreAspectRatio, Qt::FastTransformation);
    view.mainWindow = Scaled(mainRect, scale);
    view.playlistWindow = playlist ? Scaled(listRect, scale) : Rect{};
    return view;
}

std::optional<fs::path> FindEqDefinition(const fs::path& ssfPath)
{
    const std::string fileName = ssfPath.filename().string();
    if (EndsWithNoCase(fileName, "_EQ.ssf"))
        return FindFileNoCase(ssfPath);
    const KorvelDefinition definition = KorvelDefinition::Load(ssfPath);
    for (const DefinitionLine* target : definition.findAll("SetTargetSSF"))
        if (EndsWithNoCase(target->text, "_EQ.ssf"))
            if (auto found = definition.findBeside(target->text))
                return found;
    const size_t dot = fileName.rfind('.');
    const std::string base = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    const fs::path folder = ssfPath.has_parent_path() ? ssfPath.parent_path() : fs::path(".");
    return FindFileNoCase(folder, base + "_EQ.ssf");
}

} // namespace tf
