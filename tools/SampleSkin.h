#pragma once

// The bundled sample skin, drawn from scratch: one painter per Winamp 2 file.
// Every sprite sits where Winamp and the converter look for it; the main and
// equalizer backgrounds are assembled from the same sprites, so the pieces
// line up with what lies under them.

#include <QImage>
#include <string>
#include <string_view>

namespace tf::sample {

// Window sheets.
QImage PaintTitleBar();               // titlebar.bmp 344 x 87
QImage PaintTransportButtons();       // cbuttons.bmp 136 x 36
QImage PaintShuffleRepeat();          // shufrep.bmp 92 x 85
QImage PaintMonoStereo();             // monoster.bmp 56 x 24
QImage PaintPositionBar();            // posbar.bmp 307 x 10
QImage PaintVolume();                 // volume.bmp 68 x 433
QImage PaintBalance();                // balance.bmp 47 x 433
QImage PaintDigits(bool withMinusCell); // numbers.bmp 99 x 13, nums_ex.bmp 108 x 13
QImage PaintTextFont();               // text.bmp 155 x 18
QImage PaintEqualizer();              // eqmain.bmp 275 x 315
QImage PaintPlaylist();               // pledit.bmp 280 x 186

// main.bmp 275 x 116, assembled from the sheets above.
struct MainSheets {
    const QImage& TitleBar;
    const QImage& PositionBar;
    const QImage& Volume;
    const QImage& Balance;
    const QImage& MonoStereo;
    const QImage& Digits;
};
QImage PaintMainWindow(const MainSheets& sheets);

// Shared by the main window, the equalizer and the playlist: a 14-row title
// band with ridges beside a centred title, and the 9 x 9 title buttons.
enum class TitleButton { Options, Minimize, Shade, Unshade, Close };
void DrawTitleBand(QImage& image, int left, int top, int width, std::u32string_view title, bool active);
void DrawTitleButton(QImage& image, int left, int top, TitleButton button, bool pressed, bool active);

// Text files, lines ending in CR LF.
std::string RegionText();
std::string ViscolorText();
std::string PleditText();
std::string SexyfontText();
std::string MaronText();

} // namespace tf::sample
