#include "tools/PixelFont.h"
#include "tools/SampleSkin.h"
#include "tools/SkinPaint.h"

namespace tf::sample {

using namespace colors;

namespace {

// The song list sits in a sunken well: dark and black edges above and to
// the left of it, black and light ones below and to the right.
void DrawFrameTop(QImage& image, int left, int top, int width)
{
    Fill(image, QRect(left, top + 14, width, 6), kPanel);
    Fill(image, QRect(left, top + 18, width, 1), kBevelDark);
    Fill(image, QRect(left, top + 19, width, 1), kOutline);
}

void DrawTopPieces(QImage& image, int top, bool active)
{
    DrawTitleBand(image, 0, top, 25, U"", active);
    DrawTitleBand(image, 26, top, 100, U"PLAYLIST", active);
    DrawTitleBand(image, 127, top, 25, U"", active);
    DrawTitleBand(image, 153, top, 25, U"", active);
    for (const int left : {0, 26, 127, 153})
        DrawFrameTop(image, left, top, 25 + (left == 26 ? 75 : 0));
    // Top-left corner: the outer edge and the start of the well's left edge.
    Fill(image, QRect(0, top, 1, 20), kOutline);
    Fill(image, QRect(1, top + 14, 1, 6), kBevelLight);
    Fill(image, QRect(1, top + 18, 9, 2), kPanel);
    Fill(image, QRect(10, top + 18, 1, 2), kBevelDark);
    // Top-right corner: the well's right edge, the outer edge, two buttons.
    Fill(image, QRect(159, top + 18, 19, 2), kPanel);
    Fill(image, QRect(158, top + 19, 1, 1), kOutline);
    Fill(image, QRect(176, top + 14, 1, 6), kBevelDark);
    Fill(image, QRect(177, top, 1, 20), kOutline);
    DrawTitleButton(image, 158, top + 3, TitleButton::Shade, false, active);
    DrawTitleButton(image, 167, top + 3, TitleButton::Close, false, active);
}

void DrawSideTiles(QImage& image)
{
    constexpr int top = 42, height = 29;
    Fill(image, QRect(0, top, 51, height), kDisplay); // columns under the song list
    Fill(image, QRect(0, top, 1, height), kOutline);
    Fill(image, QRect(1, top, 1, height), kBevelLight);
    Fill(image, QRect(2, top, 8, height), kPanel);
    Fill(image, QRect(10, top, 1, height), kBevelDark);
    Fill(image, QRect(11, top, 1, height), kOutline);
    // Right tile, 31..50: well edge, scroll groove at 36..43, outer edge.
    Fill(image, QRect(31, top, 1, height), kOutline);
    Fill(image, QRect(32, top, 1, height), kBevelLight);
    Fill(image, QRect(33, top, 16, height), kPanel);
    Fill(image, QRect(36, top, 1, height), kBevelDark);
    Fill(image, QRect(37, top, 6, height), kRecess);
    Fill(image, QRect(43, top, 1, height), kBevelLight);
    Fill(image, QRect(49, top, 1, height), kBevelDark);
    Fill(image, QRect(50, top, 1, height), kOutline);
}

void DrawFrameBottom(QImage& image, int left, int width)
{
    constexpr int top = 72;
    Fill(image, QRect(left, top, width, 1), kDisplay);
    Fill(image, QRect(left, top + 1, width, 1), kOutline);
    Fill(image, QRect(left, top + 2, width, 1), kBevelLight);
    FillGradient(image, QRect(left, top + 3, width, 34), kPanelTop, kPanelBottom);
    Fill(image, QRect(left, top + 37, width, 1), kOutline);
}

void DrawMenuKey(QImage& image, int left, int top, std::u32string_view label, Press press)
{
    DrawButton(image, QRect(left, top, 22, 18), press);
    const int shift = PressShift(press);
    DrawTextCentred(image, left + 1 + shift, 22, top + 7 + shift, label, kSymbolShadow, PixelFont::Narrow);
    DrawTextCentred(image, left + shift, 22, top + 6 + shift, label, press == Press::Pressed ? kAmber : kSymbol,
                    PixelFont::Narrow);
}

// Where the bottom pieces meet the side tiles, the song list's well closes:
// rows 72 and 73 carry the side tiles' columns on, then the well's lower
// edge runs between them.
void CloseWell(QImage& image)
{
    const QImage leftRow = image.copy(0, 42, 12, 1);
    const QImage rightRow = image.copy(31, 42, 20, 1);
    for (const int y : {72, 73}) {
        for (int x = 0; x < 12; ++x)
            image.setPixel(x, y, leftRow.pixel(x, 0));
        for (int x = 0; x < 20; ++x)
            image.setPixel(256 + x, y, rightRow.pixel(x, 0));
    }
    Fill(image, QRect(11, 73, 246, 1), kOutline);
    Fill(image, QRect(10, 74, 248, 1), kBevelLight);
    Fill(image, QRect(2, 74, 8, 1), kPanel);
    Fill(image, QRect(258, 74, 16, 1), kPanel);
}

// The playlist's small transport row: prev, play, pause, stop, next, eject,
// 5 x 5 each.
void DrawMiniTransport(QImage& image, int left, int top)
{
    constexpr std::string_view kSymbols[6][5] = {
        {"#...#", "#..##", "#.###", "#..##", "#...#"}, {"#....", "##...", "###..", "##...", "#...."},
        {"##.##", "##.##", "##.##", "##.##", "##.##"}, {"#####", "#####", "#####", "#####", "#####"},
        {"#...#", "##..#", "###.#", "##..#", "#...#"}, {"..#..", ".###.", "#####", ".....", "#####"},
    };
    for (int i = 0; i < 6; ++i) {
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 5; ++column) {
                if (kSymbols[i][row][column] == '#')
                    image.setPixel(left + 9 * i + column, top + row, kLabel);
            }
        }
    }
}

void DrawBottomPieces(QImage& image)
{
    DrawFrameBottom(image, 0, 125);
    Fill(image, QRect(0, 72, 1, 38), kOutline);
    Fill(image, QRect(1, 74, 1, 35), kBevelLight);
    const std::u32string_view leftKeys[] = {U"ADD", U"REM", U"SEL", U"MISC"};
    for (int i = 0; i < 4; ++i)
        DrawMenuKey(image, 14 + 29 * i, 80, leftKeys[i], Press::Released);

    DrawFrameBottom(image, 126, 150);
    Fill(image, QRect(274, 74, 1, 35), kBevelDark);
    Fill(image, QRect(275, 72, 1, 38), kOutline);
    DrawDisplayWell(image, QRect(132, 78, 94, 12));
    DrawMiniTransport(image, 134, 94);
    DrawMenuKey(image, 232, 80, U"LIST", Press::Released);
    for (int i = 0; i < 4; ++i) { // resize grip
        for (int j = 0; j <= i; ++j)
            image.setPixel(271 - 2 * j, 98 + 2 * i, kLabelDim);
    }
    CloseWell(image);
}

void DrawFillerBottom(QImage& image, int left, int width)
{
    Fill(image, QRect(left, 0, width, 1), kDisplay);
    Fill(image, QRect(left, 1, width, 1), kOutline);
    Fill(image, QRect(left, 2, width, 1), kBevelLight);
    FillGradient(image, QRect(left, 3, width, 34), kPanelTop, kPanelBottom);
    Fill(image, QRect(left, 37, width, 1), kOutline);
}

void DrawPieces(QImage& image)
{
    // Scroll handle, close and collapse pressed, shade-mode bars.
    for (const Press press : {Press::Released, Press::Pressed}) {
        const int left = press == Press::Released ? 52 : 61;
        DrawButton(image, QRect(left, 53, 8, 18), press);
        for (const int y : {59, 61, 63})
            Fill(image, QRect(left + 2, y + PressShift(press), 4, 1), press == Press::Pressed ? kAmber : kSymbolShadow);
    }
    DrawTitleButton(image, 52, 42, TitleButton::Close, true, true);
    DrawTitleButton(image, 62, 42, TitleButton::Shade, true, true);
    DrawTitleBand(image, 72, 42, 25, U"", true);
    DrawTitleBand(image, 72, 57, 25, U"", false);
    DrawTitleBand(image, 99, 42, 50, U"", true);
    DrawTitleBand(image, 99, 57, 50, U"", false);
    DrawTitleButton(image, 130, 45, TitleButton::Unshade, false, true);
    DrawTitleButton(image, 139, 45, TitleButton::Close, false, true);
    DrawTitleButton(image, 130, 60, TitleButton::Unshade, false, false);
    DrawTitleButton(image, 139, 60, TitleButton::Close, false, false);
    DrawTitleButton(image, 150, 42, TitleButton::Unshade, true, true);
}

void DrawMenus(QImage& image)
{
    const struct {
        int left;
        int bar;
        std::u32string_view items[4];
    } menus[] = {
        {0, 48, {U"URL", U"DIR", U"FILE", U""}},     {54, 100, {U"ALL", U"CROP", U"SEL", U"MISC"}},
        {104, 150, {U"INV", U"NONE", U"ALL", U""}},  {154, 200, {U"SORT", U"INFO", U"OPTS", U""}},
        {204, 250, {U"NEW", U"SAVE", U"LOAD", U""}},
    };
    for (const auto& menu : menus) {
        int count = 0;
        for (int i = 0; i < 4 && !menu.items[i].empty(); ++i, ++count) {
            DrawMenuKey(image, menu.left, 111 + 19 * i, menu.items[i], Press::Released);
            DrawMenuKey(image, menu.left + 23, 111 + 19 * i, menu.items[i], Press::Pressed);
        }
        const QRect bar(menu.bar, 111, 3, 18 * count);
        FillGradient(image, bar, kSteelTop, kSteelBottom);
        Fill(image, QRect(menu.bar, 111, 1, bar.height()), kBevelLight);
    }
}

} // namespace

QImage PaintPlaylist()
{
    QImage image = NewCanvas(280, 186, kPanel);
    DrawTopPieces(image, 0, true);
    DrawTopPieces(image, 21, false);
    DrawSideTiles(image);
    DrawBottomPieces(image);
    DrawFillerBottom(image, 179, 25);
    DrawFillerBottom(image, 205, 75);
    DrawDisplayWell(image, QRect(209, 6, 67, 26));
    DrawPieces(image);
    DrawMenus(image);
    return image;
}

} // namespace tf::sample
