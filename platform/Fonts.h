#pragma once

#include "platform/Bitmap.h"

#include <QFont>
#include <QString>
#include <string>
#include <string_view>

namespace tf {

// Maps the Windows Japanese font names to the free fonts installed in their
// place (IPA fonts). Call once after the QGuiApplication exists.
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
