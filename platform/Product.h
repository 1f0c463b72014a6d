#pragma once

#include <QString>

namespace tf {

// The program's name and version, as the window's caption, its About box
// and the converter's --version show them.
inline const QString kProductName = QStringLiteral("Tessaform Convertor");
inline const QString kVersionText = QStringLiteral("1.0 β6");
inline const QString kMainCaption = kProductName + QStringLiteral(" ") + kVersionText;

// The splash writes the version without the blank: "Version 1.0β6".
inline QString SplashVersionText()
{
    return QStringLiteral("Version ") + QString(kVersionText).remove(QLatin1Char(' '));
}

} // namespace tf
