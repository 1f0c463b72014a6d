#pragma once

// The language the window and the converter speak: Japanese for a user whose
// desktop speaks Japanese, English for everyone else, or what --lang says.

#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace tf {

enum class UiLanguage { Japanese, English };

// Japanese when the first of the user's UI languages is Japanese.
UiLanguage SystemUiLanguage();

// "ja" or "en"; nothing for any other name.
std::optional<UiLanguage> ParseUiLanguage(const QString& name);

// The NAME of "--lang NAME" or "--lang=NAME", taken out of arguments (the
// program's name first); nothing when the option is not there, an empty name
// when it has no value.
std::optional<QString> TakeLanguageArgument(QStringList& arguments);

// Our own texts in language, from the program's resources, and for Japanese
// also Qt's (qtbase_ja.qm: its standard dialogs and buttons), looked for
// beside the executable ("translations") and where Qt keeps its
// translations. Replaces the ones an earlier call installed.
void InstallTranslations(QCoreApplication& application, UiLanguage language);

} // namespace tf
