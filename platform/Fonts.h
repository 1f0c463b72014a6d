#pragma once

#include "platform/Bitmap.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

namespace tf {

// The installed family that draws a face. Skins name Windows faces, which
// this system has under other names: a face installed as it is named draws
// itself; a Windows face (by its Japanese or its English name, in any letter
// case) draws with its stand-in, the first installed of its English name and
// a free font of like design (ＭＳ 明朝 with IPAMincho, Arial with Liberation
// Sans, ...); any other face with the stand-in of "MS UI Gothic", as Windows
// falls back to its interface face. Every text of a skin, its Korvel view and
// the font dialog's sample are drawn through it, so the window and the
// converter, in whatever process, draw one face alike. Thread-safe.
QString ResolveFace(const QString& face);

// Every Windows face the resolver knows, under the names a skin may give it.
QStringList KnownWindowsFaces();

// Registers each Windows face's stand-ins with QFont, for the widgets' own
// fonts (the window's design font). Call once after the QGuiApplication
// exists.
void InstallFontSubstitutions();

// Point size to pixel height at 96 dpi, as Windows converts it (8 pt -> 11).
// Always 96 dpi, so that results never depend on the screen.
int PointsToPixels(int points);

// True for the MS Gothic family, whose text cell height on Windows equals
// the pixel size ("MS UI Gothic", "ＭＳ Ｐゴシック", "ＭＳ ゴシック",
// "MS PGothic", "MS Gothic"). The name is given as stored (CP932 bytes).
bool IsMsGothicFamily(std::string_view cp932Name);

// A font for drawing: face given as stored (CP932 bytes), size in points.
QFont MakeFont(std::string_view cp932Name, int points, bool bold = false, bool italic = false);
QFont MakeFont(const QString& name, int points, bool bold = false, bool italic = false);

// Height of a line of text in that face, as a Windows text extent gives it:
// the cell height for the MS Gothic family, otherwise ascent plus descent of
// the substituted font.
int MeasureTextHeight(std::string_view cp932Name, int points);

// DrawTextA with DT_CENTER | DT_VCENTER | DT_SINGLELINE and a clear
// background; the text is not clipped to the rectangle. The bitmap's clip
// region does not apply.
void DrawTextCentered(Bitmap& bitmap, const Rect& rect, const QString& text, const QFont& font,
                      Color color);

} // namespace tf
