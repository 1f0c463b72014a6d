#include "platform/Fonts.h"

#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <mutex>

namespace tf {
namespace {

const QString kProportionalGothic = QStringLiteral("IPAPGothic");
const QString kFixedGothic = QStringLiteral("IPAGothic");

const std::array<QString, 5>& MsGothicNames()
{
    static const std::array<QString, 5> names = {
        QStringLiteral("MS UI Gothic"), QStringLiteral("ＭＳ Ｐゴシック"),
        QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("MS Gothic"),
    };
    return names;
}

} // namespace

void InstallFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), {kProportionalGothic});
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), {kProportionalGothic});
    // Where the font files themselves are read (the converter on Windows),
    // the faces go by their English names.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("MS PGothic"), kProportionalGothic});
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), {kFixedGothic});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("MS Gothic"), kFixedGothic});
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
    QFont font(name);
    // Qt refuses pixel sizes below 1; Windows gives a default-height font
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
