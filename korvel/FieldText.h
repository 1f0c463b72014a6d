#pragma once

// Text inside a field of a Korvel skin: one line, clipped to the field,
// optionally with a one-pixel shadow.

#include "platform/Bitmap.h"

#include <QFont>
#include <QString>
#include <optional>

namespace tf {

enum class TextAlign { Left, Center, Right };

struct FieldTextStyle {
    QFont Font;
    tf::Color Color = kBlack;
    std::optional<tf::Color> Shadow; // drawn one pixel right and down, under the text
    TextAlign Align = TextAlign::Left;
};

// Vertically centred on the field by the font's line height; nothing outside
// the field (or the clip, when given) changes. Without antialiasing, as
// every text of the program.
void DrawFieldText(Bitmap& bitmap, const Rect& field, const QString& text, const FieldTextStyle& style,
                   const std::optional<Rect>& clip = std::nullopt);

// Width of the text in that font, in pixels.
int TextWidth(const QFont& font, const QString& text);

} // namespace tf
