#include "platform/Fonts.h"

#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace tf {
namespace {

// A Windows face under each name a skin may give it, and what draws it
// elsewhere: its English name (the name its font file gives, where the files
// themselves are read), then a free font of like design and metrics, under
// its English name and under the name a Japanese locale lists it by.
struct WindowsFace {
    QStringList Names;
    QStringList StandIns;
};

const std::vector<WindowsFace>& WindowsFaces()
{
    static const std::vector<WindowsFace> faces = {
        {{QStringLiteral("MS UI Gothic")}, {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")}},
        {{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")},
         {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")}},
        {{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")},
         {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")}},
        {{QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho")},
         {QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")}},
        {{QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")},
         {QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝")}},
        {{QStringLiteral("メイリオ"), QStringLiteral("Meiryo")}, {QStringLiteral("Meiryo"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAexゴシック")}},
        {{QStringLiteral("Meiryo UI")}, {QStringLiteral("IPAexGothic"), QStringLiteral("IPAexゴシック")}},
        {{QStringLiteral("游ゴシック"), QStringLiteral("Yu Gothic")},
         {QStringLiteral("Yu Gothic"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAexゴシック")}},
        {{QStringLiteral("Yu Gothic UI")}, {QStringLiteral("IPAexGothic"), QStringLiteral("IPAexゴシック")}},
        {{QStringLiteral("游明朝"), QStringLiteral("Yu Mincho")}, {QStringLiteral("Yu Mincho"), QStringLiteral("IPAexMincho"), QStringLiteral("IPAex明朝")}},
        // Liberation keeps the metrics of these, so texts take the same room.
        {{QStringLiteral("Arial"), QStringLiteral("Microsoft Sans Serif")}, {QStringLiteral("Liberation Sans")}},
        {{QStringLiteral("Times New Roman")}, {QStringLiteral("Liberation Serif")}},
        {{QStringLiteral("Courier New")}, {QStringLiteral("Liberation Mono")}},
        {{QStringLiteral("Tahoma"), QStringLiteral("Verdana"), QStringLiteral("Segoe UI"), QStringLiteral("Trebuchet MS"),
          QStringLiteral("Comic Sans MS"), QStringLiteral("Impact")},
         {QStringLiteral("DejaVu Sans")}},
        {{QStringLiteral("Georgia")}, {QStringLiteral("DejaVu Serif")}},
        {{QStringLiteral("Lucida Console"), QStringLiteral("Consolas")}, {QStringLiteral("DejaVu Sans Mono")}},
    };
    return faces;
}

// Windows draws a face it lacks with its interface face.
const QString kFallbackFace = QStringLiteral("MS UI Gothic");

const WindowsFace* FindWindowsFace(const QString& face)
{
    for (const WindowsFace& known : WindowsFaces())
        if (known.Names.contains(face, Qt::CaseInsensitive))
            return &known;
    return nullptr;
}

// The families exactly as installed: QFontDatabase::hasFamily would take a
// fontconfig alias ("Arial") for the family that stands in for it, and what
// Qt then draws would depend on the process's other fonts.
class InstalledFamilies {
public:
    InstalledFamilies()
    {
        for (const QString& family : QFontDatabase::families())
            m_folded.insert(family.toCaseFolded(), family);
    }
    std::optional<QString> find(const QString& family) const
    {
        const auto found = m_folded.constFind(family.toCaseFolded());
        return found == m_folded.constEnd() ? std::nullopt : std::optional<QString>(*found);
    }

private:
    QHash<QString, QString> m_folded;
};

std::optional<QString> InstalledFaceOrStandIn(const InstalledFamilies& installed, const QString& face)
{
    if (auto family = installed.find(face))
        return family;
    if (const WindowsFace* known = FindWindowsFace(face))
        for (const QString& standIn : known->StandIns)
            if (auto family = installed.find(standIn))
                return family;
    return std::nullopt;
}

QString ResolveUncached(const QString& face)
{
    static const InstalledFamilies installed;
    if (auto family = InstalledFaceOrStandIn(installed, face))
        return *family;
    // Without even the fallback's stand-in, Qt's own choice.
    return InstalledFaceOrStandIn(installed, kFallbackFace).value_or(face);
}

const std::array<QString, 5>& MsGothicNames()
{
    static const std::array<QString, 5> names = {
        QStringLiteral("MS UI Gothic"), QStringLiteral("ＭＳ Ｐゴシック"),
        QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("MS Gothic"),
    };
    return names;
}

} // namespace

QString ResolveFace(const QString& face)
{
    // Looking a family up is slow next to drawing one short text.
    static std::mutex mutex;
    static QHash<QString, QString> resolved;
    const std::lock_guard lock(mutex);
    const QString key = face.toCaseFolded();
    if (const auto found = resolved.constFind(key); found != resolved.constEnd())
        return *found;
    return *resolved.insert(key, ResolveUncached(face));
}

QStringList KnownWindowsFaces()
{
    QStringList names;
    for (const WindowsFace& known : WindowsFaces())
        names << known.Names;
    return names;
}

void InstallFontSubstitutions()
{
    for (const WindowsFace& known : WindowsFaces())
        for (const QString& name : known.Names)
            QFont::insertSubstitutions(name, known.StandIns);
}

int PointsToPixels(int points)
{
    return MulDiv(points, 96, 72);
}

bool IsMsGothicFamily(std::string_view cp932Name)
{
    const QString name = DecodeCp932(cp932Name);
    for (const QString& known : MsGothicNames())
        if (name.compare(known, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QFont MakeFont(const QString& name, int points, bool bold, bool italic)
{
    QFont font(ResolveFace(name));
    // there, which one pixel stands in for.
    font.setPixelSize(std::max(1, std::abs(PointsToPixels(points))));
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont MakeFont(std::string_view cp932Name, int points, bool bold, bool italic)
{
    return MakeFont(DecodeCp932(cp932Name), points, bold, italic);
}

int MeasureTextHeight(std::string_view cp932Name, int points)
{
    if (IsMsGothicFamily(cp932Name))
        return std::abs(PointsToPixels(points));
    // Looking a font up is slow next to a skin load, and every load measures.
    static std::mutex mutex;
    static std::map<std::pair<std::string, int>, int> measured;
    const std::lock_guard lock(mutex);
    const auto key = std::make_pair(std::string(cp932Name), points);
    if (const auto found = measured.find(key); found != measured.end())
        return found->second;
    const int height = QFontMetrics(MakeFont(cp932Name, points)).height();
    measured.emplace(key, height);
    return height;
}

void DrawTextCentered(Bitmap& bitmap, const Rect& rect, const QString& text, const QFont& font,
                      Color color)
{
    if (bitmap.isEmpty())
        return;
    QPainter painter(&bitmap.image());
    painter.setFont(font);
    painter.setPen(ToQColor(color));
    const QFontMetrics metrics(font);
    // Windows centres the text's extent (advance width, cell height) with
    // integer halves, then draws from the cell's top.
    const int64_t x = (int64_t(rect.left) + rect.right - metrics.horizontalAdvance(text)) / 2;
    const int64_t y = rect.top + rect.height() / 2 - metrics.height() / 2;
    painter.drawText(QPoint(int(x), int(y + metrics.ascent())), text);
}

} // namespace tf
