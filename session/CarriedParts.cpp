#include "session/CarriedParts.h"

#include <QStringList>

namespace tf {
namespace {

struct PartSources {
    SkinPart Part;
    const char16_t* Name;
    // The part is drawn when either file is present, or both when NeedsBoth
    // (the playlist needs pledit.bmp and Pledit.txt together).
    std::array<SourceFile, 2> AnyOf;
    bool NeedsBoth;
};

constexpr std::array<PartSources, kSkinPartCount> kParts = {{
    {SkinPart::Equalizer, u"イコライザー", {kEqMainBmp, kEqMainBmp}, false},
    {SkinPart::Playlist, u"プレイリスト", {kPlEditBmp, kPlEditTxt}, true},
    // nums_ex.bmp stands in for numbers.bmp.
    {SkinPart::TimeDigits, u"時間の数字", {kNumbersBmp, kNumsExBmp}, false},
    {SkinPart::Buttons, u"ボタン", {kCButtonsBmp, kCButtonsBmp}, false},
    {SkinPart::TitleBar, u"タイトルバー", {kTitleBarBmp, kTitleBarBmp}, false},
    {SkinPart::ShuffleRepeat, u"シャッフル・リピート", {kShufRepBmp, kShufRepBmp}, false},
    {SkinPart::MonoStereo, u"モノラル・ステレオ", {kMonoSterBmp, kMonoSterBmp}, false},
    {SkinPart::SeekBar, u"シークバー", {kPosBarBmp, kPosBarBmp}, false},
    {SkinPart::TextColors, u"文字の色", {kTextBmp, kTextBmp}, false},
    {SkinPart::AnalyzerColors, u"アナライザーの色", {kVisColorTxt, kVisColorTxt}, false},
}};

bool Drawn(const PartSources& part, const SkinState& state)
{
    const bool first = SourcePresent(state, part.AnyOf[0]);
    const bool second = SourcePresent(state, part.AnyOf[1]);
    return part.NeedsBoth ? first && second : first || second;
}

} // namespace

PartHistory::PartHistory()
{
    // A skin without them gets the bundled sample's playlist and analyzer
    // colours, which are no more its own than an earlier skin's.
    Filled[size_t(SkinPart::Playlist)] = true;
    Filled[size_t(SkinPart::AnalyzerColors)] = true;
}

std::vector<SkinPart> NoteLoadedParts(PartHistory& history, const SkinState& state, bool equalizerShown)
{
    std::vector<SkinPart> carried;
    for (const PartSources& part : kParts) {
        bool& filled = history.Filled[size_t(part.Part)];
        const bool drawn = Drawn(part, state) && (part.Part != SkinPart::Equalizer || equalizerShown);
        if (drawn)
            filled = true;
        else if (filled)
            carried.push_back(part.Part);
    }
    return carried;
}

QString SkinPartName(SkinPart part)
{
    return QString::fromUtf16(kParts[size_t(part)].Name);
}

QString CarriedOverLine(const std::vector<SkinPart>& parts)
{
    if (parts.empty())
        return {};
    QStringList names;
    for (SkinPart part : parts)
        names << SkinPartName(part);
    return QStringLiteral("前のスキンのままの部分: ") + names.join(QStringLiteral(", "));
}

} // namespace tf
