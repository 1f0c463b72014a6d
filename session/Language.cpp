#include "session/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tf {
namespace {

const QString kTranslatorName = QStringLiteral("tessaform-translation");
const QString kLanguageOption = QStringLiteral("--lang");

bool Install(QCoreApplication& application, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&application);
    translator->setObjectName(kTranslatorName);
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace

UiLanguage SystemUiLanguage()
{
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.front().startsWith(QStringLiteral("ja"))
        ? UiLanguage::Japanese
        : UiLanguage::English;
}

std::optional<UiLanguage> ParseUiLanguage(const QString& name)
{
    if (name == QStringLiteral("ja"))
        return UiLanguage::Japanese;
    if (name == QStringLiteral("en"))
        return UiLanguage::English;
    return std::nullopt;
}

std::optional<QString> TakeLanguageArgument(QStringList& arguments)
{
    const QString joined = kLanguageOption + QLatin1Char('=');
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString argument = arguments.at(i);
        if (argument == QStringLiteral("--"))
            break;
        if (argument.startsWith(joined)) {
            arguments.removeAt(i);
            return argument.mid(joined.size());
        }
        if (argument == kLanguageOption) {
            const QString name = i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
            arguments.remove(i, std::min<qsizetype>(2, arguments.size() - i));
            return name;
        }
    }
    return std::nullopt;
}

void InstallTranslations(QCoreApplication& application, UiLanguage language)
{
    for (QTranslator* earlier :
         application.findChildren<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(earlier);
        delete earlier;
    }
    const bool japanese = language == UiLanguage::Japanese;
    Install(application, japanese ? QStringLiteral("tessaform_ja") : QStringLiteral("tessaform_en"),
            QStringLiteral(":/translations"));
    if (!japanese)
        return;
    for (const QString& folder : {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)})
        if (Install(application, QStringLiteral("qtbase_ja"), folder))
            return;
}

} // namespace tf
