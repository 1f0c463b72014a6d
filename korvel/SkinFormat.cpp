#include "korvel/SkinFormat.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace tf {
namespace ssf {
namespace {

struct FormRule {
    std::string_view Suffix;
    ValueForm Form;
};
constexpr std::array<FormRule, 12> kFormRules = {{
    {"Button", ValueForm::Rect},
    {"Field", ValueForm::Rect},
    {"Color", ValueForm::Color},
    {"Bold", ValueForm::Flag},
    {"Italic", ValueForm::Flag},
    {"Shadow", ValueForm::Flag},
    {"Transparent", ValueForm::Flag},
    {"ImageSize", ValueForm::Pair},
    {"BitmapSize", ValueForm::Pair},
    {"LinkXY", ValueForm::Pair},
    {"Size", ValueForm::Integer},
    {"Alpha", ValueForm::Integer},
}};

} // namespace

std::string FontKey(const TextFieldKeys& field, std::string_view suffix)
{
    std::string key(field.FontPrefix);
    key += suffix;
    return key;
}

std::optional<ValueForm> FormOf(std::string_view key)
{
    for (const FormRule& rule : kFormRules)
        if (EndsWithNoCase(key, rule.Suffix))
            return rule.Form;
    return std::nullopt;
}

const std::vector<KeyForm>& KnownKeys()
{
    static const std::vector<KeyForm> keys = [] {
        std::vector<KeyForm> all;
        const auto add = [&all](std::string key, ValueForm form) { all.push_back({std::move(key), form}); };
        for (const std::string_view key : {kSkinName, kAbout, kSetTargetSsf, kTimeFontType, kSpectrumPatternType,
                                           kSeekType, kSeekBarDirection, kPanType, kPanBarDirection,
                                           kVolumeControlType, kVolumeControlDirection})
            add(std::string(key), ValueForm::Text);
        for (const std::string_view key : BitmapKeys())
            add(std::string(key), ValueForm::Text);
        for (const std::string_view key :
             {kMinimizeButton, kChangeSkinButton, kCloseButton, kPreviousSongButton, kPlayButton, kPauseButton,
              kStopButton, kNextSongButton, kOpenButton, kPlayListButton, kRandomButton, kLoopButton, kAboutButton,
              kConfigButton, kSongModeMonoField, kSongModeStereoField, kTimeField, kSpectrumField, kSeekBarField,
              kPanBarField, kVolumeField})
            add(std::string(key), ValueForm::Rect);
        for (const std::string_view key :
             {kSpectrumPeakColor, kPlayListRectColor, kPlayListRectFontColor, kPlayListCurrentTrackColor})
            add(std::string(key), ValueForm::Color);
        add(std::string(kTimeFontTransparent), ValueForm::Flag);
        add(std::string(kPlayListRectAlpha), ValueForm::Integer);
        for (const std::string_view key : {kTimeFontBitmapSize, kPanImageSize, kVolumeImageSize, kPlayListLinkXY})
            add(std::string(key), ValueForm::Pair);
        const std::array<std::pair<std::string_view, ValueForm>, 8> fontForms = {{
            {kFontType, ValueForm::Text},
            {kFontName, ValueForm::Text},
            {kFontSize, ValueForm::Integer},
            {kFontColor, ValueForm::Color},
            {kFontBold, ValueForm::Flag},
            {kFontItalic, ValueForm::Flag},
            {kFontShadow, ValueForm::Flag},
            {kFontShadowColor, ValueForm::Color},
        }};
        for (const TextFieldKeys* field : kTextFields) {
            add(std::string(field->Field), ValueForm::Rect);
            for (const auto& [suffix, form] : fontForms)
                add(FontKey(*field, suffix), form);
        }
        return all;
    }();
    return keys;
}

std::vector<std::string_view> BitmapKeys()
{
    std::vector<std::string_view> keys;
    for (const ImageFile* file : kImageFiles)
        if (std::find(keys.begin(), keys.end(), file->Key) == keys.end())
            keys.push_back(file->Key);
    return keys;
}

} // namespace ssf

std::string DefinitionBaseName(const fs::path& ssfPath)
{
    const std::string name = ssfPath.filename().string();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

fs::path EqDefinitionPath(const fs::path& ssfPath)
{
    return ssfPath.parent_path() / PathFromString(DefinitionBaseName(ssfPath) + std::string(ssf::kEqDefinitionEnding));
}

std::vector<std::string> SkinFileNames(const fs::path& ssfPath)
{
    std::vector<std::string> names;
    for (const ssf::ImageFile* file : ssf::kImageFiles)
        names.emplace_back(file->Name);
    names.push_back(ssfPath.filename().string());
    names.push_back(EqDefinitionPath(ssfPath).filename().string());
    return names;
}

} // namespace tf
