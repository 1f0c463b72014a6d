#include "window/SettingsFile.h"

#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/SafeFileWriter.h"
#include "platform/ShiftJis.h"

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr std::string_view kSection = "SKCNV";
constexpr std::string_view kUtf8Marker = "\xEF\xBB\xBF";

} // namespace

fs::path ChooseSettingsFile(const fs::path& exePath)
{
    fs::path name = exePath.filename();
    name.replace_extension(".ini");
    const fs::path folder = exePath.parent_path();
    if (IsWritableFolder(folder) && !IsInstalledCopy(folder))
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
    return settings;
}

void WriteSettingsFile(const fs::path& path, const StoredSettings& settings)
{
    IniFile file = IniFile::Load(path);
    file.setValue(kSection, "CurrentFolder", EncodeSettingValue(settings.CurrentFolder));
    file.setValue(kSection, "OpenName", EncodeSettingValue(settings.OpenName));
    file.setValue(kSection, "SaveName", EncodeSettingValue(settings.SaveName));
    file.setValue(kSection, "TreeViewPath", EncodeSettingValue(settings.TreeViewPath));
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
