#include "session/CarriedParts.h"

#include "skin/AnalyzerPattern.h"

#include <QCoreApplication>
#include <QStringList>

namespace tf {
namespace {

struct PartSources {
    SkinPart Part;
    const char* Name;
    // The part is drawn when either file is present, or both when NeedsBoth
    // (the playlist needs pledit.bmp and Pledit.txt together).
    std::array<SourceFile, 2> AnyOf;
    bool NeedsBoth;
};

constexpr std::array<PartSources, kSkinPartCount> kParts = {{
    {SkinPart::Equalizer, QT_TRANSLATE_NOOP("Session", "イコライザー"), {kEqMainBmp, kEqMainBmp}, false},
    {SkinPart::Playlist, QT_TRANSLATE_NOOP("Session", "プレイリスト"), {kPlEditBmp, kPlEditTxt}, true},
    // nums_ex.bmp stands in for numbers.bmp.
    {SkinPart::TimeDigits, QT_TRANSLATE_NOOP("Session", "時間の数字"), {kNumbersBmp, kNumsExBmp}, false},
    {SkinPart::Buttons, QT_TRANSLATE_NOOP("Session", "ボタン"), {kCButtonsBmp, kCButtonsBmp}, false},
    {SkinPart::TitleBar, QT_TRANSLATE_NOOP("Session", "タイトルバー"), {kTitleBarBmp, kTitleBarBmp}, false},
    {SkinPart::ShuffleRepeat, QT_TRANSLATE_NOOP("Session", "シャッフル・リピート"), {kShufRepBmp, kShufRepBmp}, false},
    {SkinPart::MonoStereo, QT_TRANSLATE_NOOP("Session", "モノラル・ステレオ"), {kMonoSterBmp, kMonoSterBmp}, false},
    {SkinPart::SeekBar, QT_TRANSLATE_NOOP("Session", "シークバー"), {kPosBarBmp, kPosBarBmp}, false},
    {SkinPart::TextColors, QT_TRANSLATE_NOOP("Session", "文字の色"), {kTextBmp, kTextBmp}, false},
    {SkinPart::AnalyzerColors, QT_TRANSLATE_NOOP("Session", "アナライザーの色"), {kVisColorTxt, kVisColorTxt}, false},
    // Set only by a viscolor.txt long enough to hold it (Drawn).
    {SkinPart::PeakColor, QT_TRANSLATE_NOOP("Session", "アナライザーのピークの色"), {kVisColorTxt, kVisColorTxt}, false},
}};

bool Drawn(const PartSources& part, const SkinState& state)
{
    if (part.Part == SkinPart::PeakColor)
        return SourceUsed(state, kVisColorTxt) && ViscolorGivesPeakColor(state.SourceFilePaths[size_t(kVisColorTxt)]);
    const bool first = SourceUsed(state, part.AnyOf[0]);
    const bool second = SourceUsed(state, part.AnyOf[1]);
    return part.NeedsBoth ? first && second : first || second;
}

} // namespace

PartHistory::PartHistory()
{
    // A skin without them gets the bundled sample's playlist, seek bar and
    // time digits, which are no more its own than an earlier skin's. (Its
    // analyzer gets the classic player's colours: what it showed there.)
    Filled[size_t(SkinPart::Playlist)] = true;
    Filled[size_t(SkinPart::SeekBar)] = true;
    Filled[size_t(SkinPart::TimeDigits)] = true;
}

std::vector<SkinPart> NoteLoadedParts(PartHistory& history, const SkinState& state, bool equalizerShown)
{
    std::vector<SkinPart> carried;
    for (const PartSources& part : kParts) {
        bool& filled = history.Filled[size_t(part.Part)];
        // Without a viscolor.txt the whole analyzer is from before, its
        // peak colour with it, and the line says so once.
        if (part.Part == SkinPart::PeakColor && !carried.empty() && carried.back() == SkinPart::AnalyzerColors) {
            filled = true;
            continue;
        }
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
    return QCoreApplication::translate("Session", kParts[size_t(part)].Name);
}

QString CarriedOverLine(const std::vector<SkinPart>& parts)
{
    if (parts.empty())
        return {};
    QStringList names;
    for (SkinPart part : parts)
        names << SkinPartName(part);
    return QCoreApplication::translate("Session", "前のスキンのままの部分: ") + names.join(QStringLiteral(", "));
}

} // namespace tf
