#include "window/SettingsFile.h"

#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/SafeFileWriter.h"
#include "platform/ShiftJis.h"

#include <QStringList>
#include <algorithm>
#include <string>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr std::string_view kSection = "SKCNV";
constexpr std::string_view kUtf8Marker = "\xEF\xBB\xBF";

QRect ParseGeometry(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return {};
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].toInt(&ok);
        if (!ok)
            return {};
    }
    const QRect geometry(values[0], values[1], values[2], values[3]);
    return geometry.width() > 0 && geometry.height() > 0 ? geometry : QRect();
}

std::string GeometryText(const QRect& geometry)
{
    if (!geometry.isValid())
        return {};
    return QStringLiteral("%1 %2 %3 %4")
        .arg(geometry.x())
        .arg(geometry.y())
        .arg(geometry.width())
        .arg(geometry.height())
        .toStdString();
}

} // namespace

fs::path ChooseSettingsFile(const fs::path& exePath)
{
    fs::path name = exePath.filename();
    name.replace_extension(".ini");
    const fs::path folder = exePath.parent_path();
    // An installed copy is asked first: it never writes beside itself, not even the probe.
    if (!IsInstalledCopy(folder) && IsWritableFolder(folder))
        return folder / name;
    return UserSettingsFolder() / name;
}

StoredSettings ReadSettingsFile(const fs::path& path)
{
    const IniFile file = IniFile::Load(path);
    const auto read = [&](std::string_view key, const QString& fallback) {
        const auto value = file.value(kSection, key);
        return value ? DecodeSettingValue(*value) : fallback;
    };
    StoredSettings settings;
    settings.CurrentFolder = read("CurrentFolder", kDefaultCurrentFolder);
    settings.OpenName = read("OpenName", {});
    settings.SaveName = read("SaveName", {});
    settings.TreeViewPath = read("TreeViewPath", {});
    settings.WindowGeometry = ParseGeometry(file.readString(kSection, "WindowGeometry", ""));
    settings.WindowMaximized = file.readInteger(kSection, "WindowMaximized", 0) != 0;
    settings.TreeWidth = std::max(0, file.readInteger(kSection, "TreeWidth", 0));
    settings.GalleryShown = file.readInteger(kSection, "GalleryShown", 0) != 0;
    settings.BatchFolder = read("BatchFolder", {});
    return settings;
}

void WriteSettingsFile(const fs::path& path, const StoredSettings& settings)
{
    IniFile file = IniFile::Load(path);
    file.setValue(kSection, "CurrentFolder", EncodeSettingValue(settings.CurrentFolder));
    file.setValue(kSection, "OpenName", EncodeSettingValue(settings.OpenName));
    file.setValue(kSection, "SaveName", EncodeSettingValue(settings.SaveName));
    file.setValue(kSection, "TreeViewPath", EncodeSettingValue(settings.TreeViewPath));
    file.setValue(kSection, "WindowGeometry", GeometryText(settings.WindowGeometry));
    file.setValue(kSection, "WindowMaximized", settings.WindowMaximized ? "1" : "0");
    file.setValue(kSection, "TreeWidth", std::to_string(settings.TreeWidth));
    file.setValue(kSection, "GalleryShown", settings.GalleryShown ? "1" : "0");
    file.setValue(kSection, "BatchFolder", EncodeSettingValue(settings.BatchFolder));
    std::error_code error;
    fs::create_directories(path.parent_path(), error); // the configuration folder may be new
    WriteFileReplacing(path, file.serialize());
}

QString FolderPart(const QString& value)
{
    for (qsizetype i = value.size() - 1; i >= 0; --i) {
        const QChar c = value[i];
        if (c == u'\\' || c == u'/' || c == u':')
            return value.left(i + 1);
    }
    return {};
}

std::string EncodeSettingValue(const QString& value)
{
    if (IsCp932Representable(value))
        return EncodeCp932(value);
    return std::string(kUtf8Marker) + value.toStdString();
}

QString DecodeSettingValue(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Marker)) {
        const std::string_view rest = bytes.substr(kUtf8Marker.size());
        if (IsValidUtf8(rest))
            return QString::fromUtf8(rest.data(), qsizetype(rest.size()));
    }
    return DecodeCp932(bytes);
}

} // namespace tf
