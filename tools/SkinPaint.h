#pragma once

// The palette and the drawing primitives of the sample skin: slate-blue
// panels, steel buttons and an amber display. Every primitive paints whole
// pixels without antialiasing, so the art stays sharp at 1:1.

#include <QImage>
#include <QRect>
#include <QRgb>

namespace tf::sample {

namespace colors {
inline constexpr QRgb kOutline = 0xff0b0e14;
inline constexpr QRgb kPanelTop = 0xff3b4865;
inline constexpr QRgb kPanelBottom = 0xff283148;
inline constexpr QRgb kPanel = 0xff313c55;
inline constexpr QRgb kBevelLight = 0xff7486ad;
inline constexpr QRgb kBevelDark = 0xff151a25;
inline constexpr QRgb kRecess = 0xff1d2434;
inline constexpr QRgb kDisplay = 0xff080b10;
inline constexpr QRgb kAmber = 0xffffb330;
inline constexpr QRgb kAmberBright = 0xffffd88a;
inline constexpr QRgb kAmberMid = 0xffa8741e;
inline constexpr QRgb kAmberDim = 0xff33260f;
inline constexpr QRgb kSteelTop = 0xff76839f;
inline constexpr QRgb kSteelBottom = 0xff454f68;
inline constexpr QRgb kSteelPressedTop = 0xff343c50;
inline constexpr QRgb kSteelPressedBottom = 0xff4b5670;
inline constexpr QRgb kSymbol = 0xfff4f6fb;
inline constexpr QRgb kSymbolShadow = 0xff232a3a;
inline constexpr QRgb kLabel = 0xffd5dcea;
inline constexpr QRgb kLabelDim = 0xff8793ad;
inline constexpr QRgb kTitleTop = 0xff46689e;
inline constexpr QRgb kTitleBottom = 0xff1c2d4f;
inline constexpr QRgb kTitleText = 0xfff2f6ff;
inline constexpr QRgb kTitleIdleTop = 0xff4b505b;
inline constexpr QRgb kTitleIdleBottom = 0xff2d3139;
inline constexpr QRgb kTitleIdleText = 0xff9ca2ad;
inline constexpr QRgb kLow = 0xff3fa36b;  // lowest equalizer value
inline constexpr QRgb kHigh = 0xffe8452c; // highest equalizer value
} // namespace colors

enum class Relief { Raised, Sunken };
enum class Press { Released, Pressed };

QImage NewCanvas(int width, int height, QRgb fill);
QRgb Mix(QRgb from, QRgb to, double t);
// Three-stop ramp: low at 0, the amber at 0.5, high at 1.
QRgb LevelColor(double t);

void Fill(QImage& image, const QRect& rect, QRgb color);
// Top row from, bottom row to, one colour per row.
void FillGradient(QImage& image, const QRect& rect, QRgb from, QRgb to);
// One-pixel edge: light on top and left, dark on bottom and right for a
// raised rectangle, the other way round for a sunken one.
void DrawBevel(QImage& image, const QRect& rect, Relief relief);
void DrawOutline(QImage& image, const QRect& rect, QRgb color);
// A sunken display window: outline, bevel, black glass.
void DrawDisplayWell(QImage& image, const QRect& rect);

// Steel key with outline, bevel and gradient face.
void DrawButton(QImage& image, const QRect& rect, Press press);
// Where a symbol sits on a key: pressed keys move their face one pixel.
int PressShift(Press press);

// Filled triangles, one row span at a time. height is best odd.
void FillTriangleRight(QImage& image, int left, int top, int height, QRgb color);
void FillTriangleLeft(QImage& image, int right, int top, int height, QRgb color);
void FillTriangleUp(QImage& image, int centre, int top, int height, QRgb color);

// 4 x 4 indicator lamp.
void DrawLamp(QImage& image, int left, int top, bool lit);
// Slider knob with its corners in the colour of what lies around it and a
// grip line across the direction it moves.
enum class Travel { Horizontal, Vertical };
void DrawKnob(QImage& image, const QRect& rect, Press press, Travel travel, QRgb surround);

} // namespace tf::sample
