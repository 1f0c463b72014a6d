#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

#include <QPoint>
#include <array>
#include <string>
#include <vector>

namespace tf::sample {

using namespace colors;

namespace {

constexpr std::string_view kEol = "\r\n";

// How far each of the first rows is pulled in at every corner.
constexpr std::array<int, 3> kCornerInsets{3, 1, 1};

// A staircase outline of a width x height window with rounded corners,
// clockwise from the top-left. Vertices lie on pixel corners, so the
// non-zero fill covers exactly the pixels of each row's span.
std::vector<QPoint> RoundedOutline(int width, int height)
{
    const int rows = int(kCornerInsets.size());
    const auto inset = [&](int row) { return row < rows ? kCornerInsets[row] : 0; };
    std::vector<QPoint> points;
    const auto add = [&](int x, int y) {
        const QPoint point(x, y);
        if (!points.empty() && points.back() == point)
            return;
        // A point that only continues a straight edge replaces its predecessor.
        const size_t n = points.size();
        const bool straight = n >= 2 && ((points[n - 2].x() == points[n - 1].x() && points[n - 1].x() == x) ||
                                         (points[n - 2].y() == points[n - 1].y() && points[n - 1].y() == y));
        if (straight)
            points.back() = point;
        else
            points.push_back(point);
    };
    for (int row = 0; row < rows; ++row) { // top-right corner, going down
        add(width - inset(row), row);
        add(width - inset(row), row + 1);
    }
    add(width, rows);
    add(width, height - rows);
    for (int row = rows - 1; row >= 0; --row) { // bottom-right corner
        add(width - inset(row), height - row - 1);
        add(width - inset(row), height - row);
    }
    for (int row = 0; row < rows; ++row) { // bottom-left corner, going up
        add(inset(row), height - row);
        add(inset(row), height - row - 1);
    }
    add(0, height - rows);
    add(0, rows);
    for (int row = rows - 1; row >= 0; --row) { // top-left corner
        add(inset(row), row + 1);
        add(inset(row), row);
    }
    return points;
}

std::string RegionSection(std::string_view name, int width, int height)
{
    const std::vector<QPoint> points = RoundedOutline(width, height);
    std::string list;
    for (const QPoint& point : points) {
        if (!list.empty())
            list += ", ";
        list += std::to_string(point.x()) + "," + std::to_string(point.y());
    }
    std::string text = "[" + std::string(name) + "]";
    text += kEol;
    text += "NumPoints=" + std::to_string(points.size());
    text += kEol;
    text += "PointList=" + list;
    text += kEol;
    return text;
}

std::string ColorLine(QRgb color, std::string_view comment)
{
    return std::to_string(qRed(color)) + "," + std::to_string(qGreen(color)) + "," + std::to_string(qBlue(color)) +
           ", // " + std::string(comment) + std::string(kEol);
}

std::string HexColor(QRgb color)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const int channel : {qRed(color), qGreen(color), qBlue(color)}) {
        text += kDigits[channel >> 4];
        text += kDigits[channel & 15];
    }
    return text;
}

std::string Lines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += kEol;
    }
    return text;
}

} // namespace

std::string RegionText()
{
    std::string text = Lines({"; Tessaform sample skin: window outlines with rounded corners.",
                              "; One polygon per window, vertices on pixel corners."});
    text += RegionSection("Normal", 275, 116);
    text += RegionSection("Equalizer", 275, 116);
    return text;
}

std::string ViscolorText()
{
    std::string text;
    text += ColorLine(kDisplay, "background");
    text += ColorLine(Mix(kDisplay, kSteelBottom, 0.5), "grid dots");
    // Analyzer bars, top of the bar first: pale amber fading to embers.
    for (int i = 0; i < 16; ++i) {
        const double t = i / 15.0;
        const QRgb color = t < 0.5 ? Mix(kAmberBright, kAmber, t * 2) : Mix(kAmber, 0xff6a3208, (t - 0.5) * 2);
        const char* end = i == 0 ? " (top)" : i == 15 ? " (bottom)" : "";
        text += ColorLine(color, "analyzer " + std::to_string(i + 1) + end);
    }
    for (int i = 0; i < 5; ++i)
        text += ColorLine(Mix(kAmberBright, kAmberMid, i / 4.0), "oscilloscope " + std::to_string(i + 1));
    text += ColorLine(0xfffff2d0, "analyzer peak dots");
    return text;
}

std::string PleditText()
{
    return Lines({"[Text]", "Normal=" + HexColor(kAmber), "Current=" + HexColor(0xfffff2d0),
                  "NormalBG=" + HexColor(kDisplay), "SelectedBG=" + HexColor(0xff2e3a55), "Font=Arial"});
}

std::string SexyfontText()
{
    return Lines({"[YunaSoft SexyFont Plug-In]", "FontFace=MS UI Gothic", "FontSize=8", "FontBold=0",
                  "FontItalic=0", "DropShadow=1", "DropShadowInfo=1", "DropShadowTime=0", "TransparentTime=0",
                  "LockSeekBar=0", "FontFacePE=MS UI Gothic", "FontSizePE=8"});
}

std::string MaronText() { return Lines({"[MARON]", "Enable=1"}); }

} // namespace tf::sample
