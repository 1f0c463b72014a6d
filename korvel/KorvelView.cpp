#include "korvel/KorvelView.h"

#include "korvel/FieldText.h"
#include "korvel/SkinFormat.h"
#include "korvel/ViewSample.h"
#include "platform/AsciiCase.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FontSize.h"
#include "platform/Fonts.h"
#include "platform/Region.h"
#include "platform/ShiftJis.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>

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
static_assert(kTimeCells.size() == size_t(ssf::kTimeStrip.Frames));

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


// What a step's pixels depend on, written out as raw bytes: two steps with
// the same key draw the same pixels.
class StepKey {
public:
    StepKey& add(int64_t value)
    {
        m_text.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    StepKey& add(std::string_view text)
    {
        add(int64_t(text.size()));
        m_text.append(text);
        return *this;
    }
    StepKey& add(const char* text) { return add(std::string_view(text)); }
    StepKey& add(const Rect& rect) { return add(rect.left).add(rect.top).add(rect.right).add(rect.bottom); }
    // The pixels of an image: Qt gives every content of every image its own key.
    StepKey& add(const Bitmap& image) { return add(image.image().cacheKey()).add(image.width()).add(image.height()); }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

// One thing drawn over a window's bitmap. draw changes no pixel outside
// bounds, and inside a clip rectangle it gives the pixels a draw without the
// clip gives there: a step can be drawn again over just a part.
struct DrawStep {
    std::string Key;
    Rect Bounds;
    std::function<void(Bitmap& target, const Rect& clip)> Draw;
};

struct WindowPlan {
    Bitmap Base;
    std::vector<DrawStep> Steps;
};

// How a field's font is given: the values the style is made of.
struct FontInputs {
    std::string Name;
    int Size = kDefaultFontSize;
    bool Bold = false;
    bool Italic = false;
    tf::Color Color = kBlack;
    std::optional<tf::Color> Shadow;

    void addTo(StepKey& key) const
    {
        key.add(Name).add(Size).add(Bold).add(Italic).add(int64_t(Color)).add(Shadow ? int64_t(*Shadow) : -1);
    }
    FieldTextStyle style(TextAlign align) const
    {
        FieldTextStyle style;
        style.Font = MakeFont(std::string_view(Name), Size, Bold, Italic);
        style.Color = Color;
        style.Shadow = Shadow;
        style.Align = align;
        return style;
    }
};

class ViewPainter {
public:
    ViewPainter(const KorvelDefinition& definition, const ImageLookup& images, ViewState state)
        : m_def(definition), m_images(images), m_state(state)
    {
    }

    WindowPlan planMain() const;
    std::optional<WindowPlan> planPlaylist() const;
    const std::vector<QString>& warnings() const { return m_warnings; }
    // The pixels of the distinct bitmaps read so far.
    int64_t readPixels() const;

private:
    std::optional<Bitmap> image(std::string_view key) const;
    int fontSize(std::string_view key) const;
    FontInputs fontInputs(const ssf::TextFieldKeys& keys) const;
    void addText(WindowPlan& plan, const ssf::TextFieldKeys& keys, std::string_view text, TextAlign align) const;
    void addCopy(WindowPlan& plan, const Bitmap& source, const Rect& field) const;

    void addTime(WindowPlan& plan) const;
    void addAnalyzer(WindowPlan& plan) const;
    void addSeekBar(WindowPlan& plan) const;
    void addStrip(WindowPlan& plan, std::string_view fieldKey, const ssf::Strip& strip,
                  int (*frameOf)(int frames)) const;
    void addTracks(WindowPlan& plan) const;

    const KorvelDefinition& m_def;
    const ImageLookup& m_images;
    ViewState m_state;
    mutable std::vector<QString> m_warnings;
    mutable std::map<qint64, int64_t> m_read; // pixels by image
};

std::optional<Bitmap> ViewPainter::image(std::string_view key) const
{
    const auto name = m_def.text(key);
    if (!name || name->empty())
        return std::nullopt;
    auto found = m_images(*name);
    if (found && found->isEmpty())
        return std::nullopt;
    if (found)
        m_read[found->image().cacheKey()] = int64_t(found->width()) * found->height();
    return found;
}

int64_t ViewPainter::readPixels() const
{
    int64_t sum = 0;
    for (const auto& [key, pixels] : m_read)
        sum += pixels;
    return sum;
}

int ViewPainter::fontSize(std::string_view key) const
{
    const DefinitionLine* line = m_def.find(key);
    const int size = line ? line->integer().value_or(kDefaultFontSize) : kDefaultFontSize;
    if (IsDrawableFontSize(size))
        return size;
    // The size is drawn as the player can; larger ones cost time and memory
    // and show nothing more in a field a few pixels high.
    const int drawn = ClampFontSize(size);
    QString where = m_def.path().empty() ? QString() : DisplayPath(m_def.path()) + QLatin1Char(':');
    m_warnings.push_back(QCoreApplication::translate("KorvelView", "%1%2: %3 %4 は大きすぎます。%5 で描きます")
                             .arg(where)
                             .arg(line->Number)
                             .arg(DecodeCp932(line->Key))
                             .arg(size)
                             .arg(drawn));
    return drawn;
}

FontInputs ViewPainter::fontInputs(const ssf::TextFieldKeys& keys) const
{
    // One buffer for the six keys of the font.
    std::string key(keys.FontPrefix);
    const std::string_view prefix = keys.FontPrefix;
    const auto with = [&key, base = prefix.size()](std::string_view tail) -> std::string_view {
        key.resize(base);
        key += tail;
        return key;
    };
    FontInputs font;
    font.Name = m_def.text(with(ssf::kFontName)).value_or(std::string());
    font.Size = fontSize(with(ssf::kFontSize));
    font.Bold = m_def.flag(with(ssf::kFontBold)).value_or(false);
    font.Italic = m_def.flag(with(ssf::kFontItalic)).value_or(false);
    font.Color = m_def.color(with(ssf::kFontColor)).value_or(kBlack);
    if (m_def.flag(with(ssf::kFontShadow)).value_or(false))
        font.Shadow = m_def.color(with(ssf::kFontShadowColor)).value_or(kBlack);
    return font;
}

void ViewPainter::addText(WindowPlan& plan, const ssf::TextFieldKeys& keys, std::string_view text,
                          TextAlign align) const
{
    const auto field = m_def.rect(keys.Field);
    if (!field)
        return;
    const FontInputs font = fontInputs(keys);
    StepKey key;
    key.add("text").add(*field).add(text).add(int64_t(align));
    font.addTo(key);
    plan.Steps.push_back({key.take(), *field, [field = *field, font, text, align](Bitmap& target, const Rect& clip) {
                              DrawFieldText(target, field, Utf8(text), font.style(align), clip);
                          }});
}

// The same rectangle of another bitmap of the window, as a button's pressed look.
void ViewPainter::addCopy(WindowPlan& plan, const Bitmap& source, const Rect& field) const
{
    StepKey key;
    key.add("copy").add(source).add(field);
    plan.Steps.push_back({key.take(), field, [source, field](Bitmap& target, const Rect& clip) {
                              CopyClipped(target, source, field, {field.left, field.top}, clip);
                          }});
}

void ViewPainter::addTime(WindowPlan& plan) const
{
    const auto field = m_def.rect(ssf::kTimeField);
    const auto strip = image(ssf::kTimeStrip.BitmapKey);
    if (!field || !strip)
        return;
    const int cellWidth = m_def.integer(ssf::kTimeStrip.SizeKey, 0).value_or(9);
    const int cellHeight = m_def.integer(ssf::kTimeStrip.SizeKey, 1).value_or(strip->height());
    if (cellWidth <= 0 || cellHeight <= 0)
        return;
    const std::optional<Color> keyColor =
        m_def.flag(ssf::kTimeFontTransparent).value_or(false) ? std::optional(kTimeKeyColor) : std::nullopt;
    StepKey key;
    key.add("time").add(*field).add(*strip).add(cellWidth).add(cellHeight).add(keyColor.has_value());
    plan.Steps.push_back({key.take(), *field,
                          [field = *field, strip = *strip, cellWidth, cellHeight, keyColor](Bitmap& target,
                                                                                            const Rect& clip) {
                              int x = field.left;
                              for (const char c : view_sample::kElapsed) {
                                  const size_t cell = kTimeCells.find(c);
                                  const int left = int(cell) * cellWidth;
                                  CopyClipped(target, strip, {left, 0, left + cellWidth, cellHeight}, {x, field.top},
                                              clip, keyColor);
                                  x += cellWidth;
                              }
                          }});
}

void DrawAnalyzer(Bitmap& target, const Rect& field, const Bitmap& pattern, Color peak)
{
    const int fieldHeight = int(field.height());
    const int barWidth = int(std::min<int64_t>(pattern.width(), field.width()));
    const int bars = int((field.width() + 1) / (barWidth + 1));
    for (int bar = 0; bar < bars; ++bar) {
        const size_t sample = size_t(bar) % view_sample::kBarLevels.size();
        const int x = field.left + bar * (barWidth + 1);
        const int level = view_sample::kBarLevels[sample] * fieldHeight / 16;
        const int peakLevel = view_sample::kPeakLevels[sample] * fieldHeight / 16;
        // Each row of the field shows the pattern row at the same height, so
        // a bar's colour says how high it reaches.
        for (int y = field.bottom - level; y < field.bottom; ++y) {
            const int row = int(int64_t(y - field.top) * pattern.height() / fieldHeight);
            target.copy(pattern, {0, row, pattern.width(), row + 1}, {x, y, x + barWidth, y + 1});
        }
        if (peakLevel > 0) {
            const int y = field.bottom - peakLevel;
            target.fill({x, y, x + barWidth, y + 1}, peak);
        }
    }
}

void ViewPainter::addAnalyzer(WindowPlan& plan) const
{
    const auto field = m_def.rect(ssf::kSpectrumField);
    const auto pattern = image(ssf::kSpectrumPattern);
    if (!field || !pattern || field->isEmpty())
        return;
    const Color peak = m_def.color(ssf::kSpectrumPeakColor).value_or(kWhite);
    StepKey key;
    key.add("analyzer").add(*field).add(*pattern).add(int64_t(peak));
    plan.Steps.push_back(
        {key.take(), *field, [field = *field, pattern = *pattern, peak](Bitmap& target, const Rect& clip) {
             if (clip == field) {
                 DrawAnalyzer(target, field, pattern, peak);
                 return;
             }
             // Bars may be stretched copies of the pattern: the bitmap's own
             // clip keeps them to a part.
             const Point corners[] = {{clip.left, clip.top}, {clip.right, clip.top}, {clip.right, clip.bottom},
                                      {clip.left, clip.bottom}};
             const int32_t counts[] = {4};
             auto region = Region::FromPolygons(corners, counts, clip);
             if (!region)
                 return;
             target.setClip(std::make_shared<const Region>(std::move(*region)));
             DrawAnalyzer(target, field, pattern, peak);
             target.clearClip();
         }});
}

void ViewPainter::addSeekBar(WindowPlan& plan) const
{
    const auto field = m_def.rect(ssf::kSeekBarField);
    const auto thumb = image(m_state == ViewState::Pressed ? ssf::kSeekBitmapPressed : ssf::kSeekBitmap);
    if (!field || !thumb)
        return;
    const int64_t travel = std::max<int64_t>(0, field->width() - thumb->width());
    const int x = int(field->left + travel * view_sample::kSeekPercent / 100);
    StepKey key;
    key.add("seek").add(*field).add(*thumb);
    plan.Steps.push_back({key.take(), *field, [thumb = *thumb, x, top = field->top](Bitmap& target, const Rect& clip) {
                              CopyClipped(target, thumb, {0, 0, thumb.width(), thumb.height()}, {x, top}, clip);
                          }});
}

int VolumeFrame(int frames) { return ((frames - 1) * view_sample::kVolumePercent + 50) / 100; }
int CentreFrame(int frames) { return frames / 2; }

void ViewPainter::addStrip(WindowPlan& plan, std::string_view fieldKey, const ssf::Strip& keys,
                           int (*frameOf)(int frames)) const
{
    const auto field = m_def.rect(fieldKey);
    const auto strip = image(keys.BitmapKey);
    if (!field || !strip)
        return;
    const int frameWidth = m_def.integer(keys.SizeKey, 0).value_or(int(field->width()));
    const int frameHeight = m_def.integer(keys.SizeKey, 1).value_or(int(field->height()));
    if (frameWidth <= 0 || frameHeight <= 0 || strip->width() < frameWidth)
        return;
    const int left = frameOf(strip->width() / frameWidth) * frameWidth;
    // The whole frame, also where it is wider than the field.
    const Rect from{left, 0, left + frameWidth, frameHeight};
    const Rect placed{field->left, field->top, int32_t(int64_t(field->left) + frameWidth),
                      int32_t(int64_t(field->top) + frameHeight)};
    const auto bounds = Intersect(placed, {0, 0, plan.Base.width(), plan.Base.height()});
    if (!bounds)
        return;
    StepKey key;
    key.add("strip").add(*strip).add(from).add(placed);
    plan.Steps.push_back({key.take(), *bounds, [strip = *strip, from, at = Point{field->left, field->top}](
                                                   Bitmap& target, const Rect& clip) {
                              CopyClipped(target, strip, from, at, clip);
                          }});
}

WindowPlan ViewPainter::planMain() const
{
    const auto normal = image(ssf::kMainBitmap);
    if (!normal)
        throw AppError(ErrorKind::FileOpen,
                       QCoreApplication::translate("KorvelView", "%1 %2 が見つかりません")
                           .arg(DecodeCp932(ssf::kMainBitmap),
                                DecodeCp932(m_def.text(ssf::kMainBitmap).value_or(std::string()))));
    const auto pressed = image(ssf::kMainBitmapPressed);
    WindowPlan plan;
    plan.Base = *normal;
    if (m_state == ViewState::Inactive)
        plan.Base = image(ssf::kMainBitmapInactive).value_or(*normal);
    if (m_state == ViewState::Pressed && pressed)
        for (const DefinitionLine& line : m_def.lines())
            if (EndsWithNoCase(line.Key, "Button"))
                if (const auto field = line.rect())
                    addCopy(plan, *pressed, *field);
    // The sample song is in stereo: its field shows the lit sprite, which
    // the pressed bitmap holds.
    if (const auto stereo = m_def.rect(ssf::kSongModeStereoField); stereo && pressed)
        addCopy(plan, *pressed, *stereo);

    addText(plan, ssf::kSongInformation, view_sample::kSongTitle, TextAlign::Left);
    addText(plan, ssf::kSongKbps, view_sample::kKbps, TextAlign::Center);
    addText(plan, ssf::kSongKhz, view_sample::kKhz, TextAlign::Center);
    addTime(plan);
    addAnalyzer(plan);
    addSeekBar(plan);
    addStrip(plan, ssf::kPanBarField, ssf::kPanStrip, CentreFrame);
    addStrip(plan, ssf::kVolumeField, ssf::kVolumeStrip, VolumeFrame);
    return plan;
}

void DrawTracks(Bitmap& target, const Rect& field, const FontInputs& font, Color current, Color selectedText,
                Color box, int alpha, const Rect& clip)
{
    FieldTextStyle style = font.style(TextAlign::Left);
    const int rowHeight = std::max(1, MeasureTextHeight(font.Name, font.Size));
    const Color normal = style.Color;
    for (size_t i = 0; i < view_sample::kTracks.size(); ++i) {
        const int32_t top = int32_t(field.top + int64_t(i) * rowHeight);
        const Rect row{field.left, top, field.right, int32_t(top + rowHeight)};
        const auto visible = Intersect(row, field);
        if (!visible)
            break;
        const auto shown = Intersect(*visible, clip);
        if (!shown)
            continue;
        style.Color = i == view_sample::kCurrentTrack ? current : normal;
        if (i == view_sample::kSelectedTrack) {
            style.Color = selectedText;
            BlendFill(target, *shown, box, alpha);
        }
        const view_sample::Track& track = view_sample::kTracks[i];
        const QString length = Utf8(track.Length);
        style.Align = TextAlign::Right;
        DrawFieldText(target, row, length, style, *shown);
        // The title stops short of the length, as a list with two columns.
        Rect titleClip = *visible;
        titleClip.right = int32_t(titleClip.right - TextWidth(style.Font, length) - 4);
        if (const auto titleShown = Intersect(titleClip, clip)) {
            style.Align = TextAlign::Left;
            DrawFieldText(target, row, QStringLiteral("%1. %2").arg(i + 1).arg(Utf8(track.Title)), style,
                          *titleShown);
        }
    }
}

void ViewPainter::addTracks(WindowPlan& plan) const
{
    const auto field = m_def.rect(ssf::kPlayListText.Field);
    if (!field)
        return;
    FontInputs font = fontInputs(ssf::kPlayListText);
    const Color current = m_def.color(ssf::kPlayListCurrentTrackColor).value_or(font.Color);
    const Color selectedText = m_def.color(ssf::kPlayListRectFontColor).value_or(font.Color);
    const Color box = m_def.color(ssf::kPlayListRectColor).value_or(kBlue);
    const int alpha = std::clamp(m_def.integer(ssf::kPlayListRectAlpha).value_or(255), 0, 255);
    StepKey key;
    key.add("tracks").add(*field).add(int64_t(current)).add(int64_t(selectedText)).add(int64_t(box)).add(alpha);
    font.addTo(key);
    plan.Steps.push_back({key.take(), *field,
                          [field = *field, font, current, selectedText, box, alpha](Bitmap& target, const Rect& clip) {
                              DrawTracks(target, field, font, current, selectedText, box, alpha, clip);
                          }});
}

std::optional<WindowPlan> ViewPainter::planPlaylist() const
{
    auto list = image(ssf::kPlayListMainBitmap);
    if (!list)
        return std::nullopt;
    WindowPlan plan;
    plan.Base = *list;
    addTracks(plan);
    addText(plan, ssf::kPlayListTotalPlayTime, view_sample::kTotalTime, TextAlign::Left);
    addText(plan, ssf::kPlayListTime, view_sample::kElapsed, TextAlign::Left);
    return plan;
}

Rect Scaled(const Rect& rect, int scale)
{
    return {rect.left * scale, rect.top * scale, rect.right * scale, rect.bottom * scale};
}

// A window's bitmap as last drawn, and what it was drawn from.
struct RetainedWindow {
    Bitmap Pixels;
    std::string BaseKey;
    std::vector<std::pair<std::string, Rect>> Steps; // key and bounds, in drawing order
    bool Valid = false;

    void forget() { Valid = false; }

    // Brings the bitmap to the plan; answers the rectangles that changed.
    std::vector<Rect> update(const WindowPlan& plan)
    {
        StepKey BaseKey;
        BaseKey.add(plan.Base);
        std::string newBaseKey = BaseKey.take();
        const Rect whole{0, 0, plan.Base.width(), plan.Base.height()};
        std::vector<Rect> dirty;
        if (!Valid || newBaseKey != this->BaseKey || !changedSince(plan, dirty)) {
            dirty.assign(1, whole);
            Valid = false;
            Pixels = plan.Base;
            for (const DrawStep& step : plan.Steps)
                if (const auto clip = Intersect(step.Bounds, whole))
                    step.Draw(Pixels, *clip);
        } else {
            Valid = false;
            for (const Rect& area : dirty) {
                // From the window's own bitmap up, every step that reaches in.
                Pixels.copy(plan.Base, area, area);
                for (const DrawStep& step : plan.Steps)
                    if (const auto clip = Intersect(step.Bounds, area))
                        step.Draw(Pixels, *clip);
            }
        }
        this->BaseKey = std::move(newBaseKey);
        Steps.clear();
        for (const DrawStep& step : plan.Steps)
            Steps.emplace_back(step.Key, step.Bounds);
        Valid = true;
        return dirty;
    }

private:
    // The places of steps that came, went or changed; false when the steps
    // both views have are drawn in another order, which only a whole redraw
    // shows rightly.
    bool changedSince(const WindowPlan& plan, std::vector<Rect>& dirty) const
    {
        const Rect whole{0, 0, plan.Base.width(), plan.Base.height()};
        std::vector<bool> kept(Steps.size(), false);
        size_t lastKept = 0;
        bool anyKept = false;
        for (const DrawStep& step : plan.Steps) {
            size_t found = Steps.size();
            for (size_t i = 0; i < Steps.size(); ++i)
                if (!kept[i] && Steps[i].first == step.Key) {
                    found = i;
                    break;
                }
            if (found == Steps.size()) {
                if (const auto area = Intersect(step.Bounds, whole))
                    dirty.push_back(*area);
                continue;
            }
            if (anyKept && found < lastKept)
                return false;
            kept[found] = true;
            lastKept = found;
            anyKept = true;
        }
        for (size_t i = 0; i < Steps.size(); ++i)
            if (!kept[i])
                if (const auto area = Intersect(Steps[i].second, whole))
                    dirty.push_back(*area);
        return true;
    }
};

// 1:1 copy of one window onto the picture, leaving out its magenta.
void PutWindow(QImage& canvas, const Bitmap& window, const Rect& placed, const Rect& area)
{
    const auto visible = Intersect(placed, area);
    if (!visible || window.isEmpty())
        return;
    const QImage& source = window.image();
    const QRgb key = ToQRgb(kMagenta) & 0xFFFFFF;
    const int dx = visible->left - placed.left;
    const int count = int(visible->width());
    for (int y = visible->top; y < visible->bottom; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y - placed.top)) + dx;
        QRgb* out = reinterpret_cast<QRgb*>(canvas.scanLine(y)) + visible->left;
        for (int x = 0; x < count; ++x)
            if ((in[x] & 0xFFFFFF) != key)
                out[x] = in[x];
    }
}

} // namespace

struct KorvelViewRenderer::Retained {
    RetainedWindow Main;
    RetainedWindow Playlist;
    Rect Bounds, MainRect, ListRect;
    bool HasList = false;
    // Two pictures, so that the one the caller still shows need not be copied
    // before the next is drawn; each with the places changed since it was
    // last brought up to date.
    struct Picture {
        Bitmap Pixels;
        std::vector<Rect> Pending;
        bool Whole = true;
    };
    std::array<Picture, 2> Pictures;

    void compose(QImage& canvas, const Rect& area) const
    {
        const QRgb desktop = ToQRgb(kDesktopColor);
        for (int y = area.top; y < area.bottom; ++y) {
            QRgb* out = reinterpret_cast<QRgb*>(canvas.scanLine(y));
            std::fill(out + area.left, out + area.right, desktop);
        }
        PutWindow(canvas, Main.Pixels, MainRect, area);
        if (HasList)
            PutWindow(canvas, Playlist.Pixels, ListRect, area);
    }
};

KorvelViewRenderer::KorvelViewRenderer() : m_retained(std::make_unique<Retained>()) {}
KorvelViewRenderer::~KorvelViewRenderer() = default;

KorvelView KorvelViewRenderer::render(const KorvelDefinition& definition, const ImageLookup& images,
                                      const ViewOptions& options)
{
    const ViewPainter painter(definition, images, options.State);
    const WindowPlan mainPlan = painter.planMain();
    const std::optional<WindowPlan> listPlan = painter.planPlaylist();

    // The first link is where the playlist stands when the player starts;
    // the others are where it docks when dragged.
    Rect mainRect{0, 0, mainPlan.Base.width(), mainPlan.Base.height()};
    Rect listRect;
    if (listPlan) {
        const DefinitionLine* link = definition.find(ssf::kPlayListLinkXY);
        const int32_t dx = link ? link->integer(0).value_or(0) : 0;
        const int32_t dy = link ? link->integer(1).value_or(mainRect.bottom) : mainRect.bottom;
        listRect = Rect{dx, dy, dx + listPlan->Base.width(), dy + listPlan->Base.height()};
    }
    const Rect bounds = listPlan ? Rect{std::min(mainRect.left, listRect.left), std::min(mainRect.top, listRect.top),
                                        std::max(mainRect.right, listRect.right),
                                        std::max(mainRect.bottom, listRect.bottom)}
                                 : mainRect;
    Bitmap::CheckSize(bounds.width(), bounds.height());
    const int scale = std::max(1, options.Scale);
    Bitmap::CheckSize(bounds.width() * scale, bounds.height() * scale);
    // The picture and its scaled copy are the largest things a view holds.
    if (bounds.width() * scale * bounds.height() * scale > kMaxViewPixels)
        throw AppError(ErrorKind::BadImage,
                       QCoreApplication::translate("KorvelView", "表示は %1 x %2 になり、大きすぎます (%3 画素まで)")
                           .arg(bounds.width() * scale)
                           .arg(bounds.height() * scale)
                           .arg(kMaxViewPixels));
    // Checked before either window is drawn, so that a refused view costs
    // no more than its bitmaps.
    const int64_t held = painter.readPixels() + mainRect.width() * mainRect.height()
        + listRect.width() * listRect.height() + bounds.width() * bounds.height()
        + (scale > 1 ? bounds.width() * scale * bounds.height() * scale : 0);
    if (held > kMaxViewHeldPixels)
        throw AppError(ErrorKind::BadImage,
                       QCoreApplication::translate("KorvelView", "表示には %1 画素の画像が要り、大きすぎます (%2 画素まで)")
                           .arg(held)
                           .arg(kMaxViewHeldPixels));
    mainRect.translate(-bounds.left, -bounds.top);
    listRect.translate(-bounds.left, -bounds.top);

    Retained& kept = *m_retained;
    if (bounds != kept.Bounds || mainRect != kept.MainRect || listRect != kept.ListRect
        || listPlan.has_value() != kept.HasList)
        for (auto& picture : kept.Pictures)
            picture.Whole = true;
    kept.Bounds = bounds;
    kept.MainRect = mainRect;
    kept.ListRect = listRect;
    kept.HasList = listPlan.has_value();

    std::vector<Rect> changed;
    for (Rect area : kept.Main.update(mainPlan))
        changed.push_back(area.translated(mainRect.left, mainRect.top));
    if (listPlan) {
        for (Rect area : kept.Playlist.update(*listPlan))
            changed.push_back(area.translated(listRect.left, listRect.top));
    } else {
        kept.Playlist.forget();
    }
    for (auto& picture : kept.Pictures) {
        picture.Pending.insert(picture.Pending.end(), changed.begin(), changed.end());
        if (picture.Pending.size() > 64) // a caller that keeps every picture: draw it whole
            picture.Whole = true;
    }

    // A picture nobody else holds, so that drawing on it copies nothing.
    Retained::Picture* picture = &kept.Pictures[0];
    for (Retained::Picture& candidate : kept.Pictures)
        if (candidate.Pixels.isEmpty() || candidate.Pixels.image().isDetached()) {
            picture = &candidate;
            break;
        }
    QImage* canvas = &picture->Pixels.image();
    if (picture->Whole || canvas->width() != bounds.width() || canvas->height() != bounds.height()) {
        picture->Pixels = Bitmap(int(bounds.width()), int(bounds.height()));
        canvas = &picture->Pixels.image();
        kept.compose(*canvas, {0, 0, int32_t(bounds.width()), int32_t(bounds.height())});
    } else {
        for (const Rect& area : picture->Pending)
            kept.compose(*canvas, area);
    }
    picture->Pending.clear();
    picture->Whole = false;

    KorvelView view;
    view.Image = scale == 1 ? *canvas
                            : canvas->scaled(canvas->width() * scale, canvas->height() * scale, Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
    view.MainWindow = Scaled(mainRect, scale);
    view.PlaylistWindow = listPlan ? Scaled(listRect, scale) : Rect{};
    view.Warnings = painter.warnings();
    return view;
}

KorvelView RenderKorvelView(const KorvelDefinition& definition, const ImageLookup& images,
                            const ViewOptions& options)
{
    return KorvelViewRenderer().render(definition, images, options);
}

std::optional<fs::path> FindEqDefinition(const fs::path& ssfPath)
{
    const std::string fileName = ssfPath.filename().string();
    if (EndsWithNoCase(fileName, ssf::kEqDefinitionEnding))
        return FindFileNoCase(ssfPath);
    const KorvelDefinition definition = KorvelDefinition::Load(ssfPath);
    for (const DefinitionLine* target : definition.findAll(ssf::kSetTargetSsf))
        if (EndsWithNoCase(target->Text, ssf::kEqDefinitionEnding))
            if (auto found = definition.findBeside(target->Text))
                return found;
    const fs::path folder = ssfPath.has_parent_path() ? ssfPath.parent_path() : fs::path(".");
    return FindFileNoCase(folder, DefinitionBaseName(ssfPath) + std::string(ssf::kEqDefinitionEnding));
}

} // namespace tf
