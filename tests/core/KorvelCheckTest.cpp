#include "korvel/SkinCheck.h"

#include "platform/Errors.h"
#include "platform/ImageFile.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

// A small skin that passes: every kind of bitmap the checker sizes, fields
// inside their bitmaps, and the small-mode target that is never written.
const char* const kBaseLines[] = {
    "SkinName T",
    "MainBitmap main.bmp",
    "MainBitmapPressed pressed.bmp",
    "SetTargetSSF Small.ssf",
    "ChangeSkinButton 254 3 263 12 Small 0",
    "SongInfoField 111 27 264 37 SongInfomation",
    "SongInformationFontColor 0 255 0",
    "TimeField 52 26 97 39",
    "TimeFontBitmap Numbers.bmp",
    "TimeFontBitmapSize 9 13",
    "VolumeField 107 57 172 70 Volume",
    "VolumeBitmap Vol.Bmp",
    "VolumeControlPositionImage VolMask.bmp",
    "VolumeImageSize 68 13",
    "PlayListMainBitmap PlayList.bmp",
    "PlayListTextField 12 20 255 79",
};

struct BaseFile {
    const char* Name;
    int Width;
    int Height;
};
const BaseFile kBaseFiles[] = {
    {"main.bmp", 275, 116}, {"pressed.bmp", 275, 116}, {"Numbers.bmp", 117, 13},
    {"Vol.Bmp", 1904, 13},  {"VolMask.bmp", 275, 116}, {"PlayList.bmp", 275, 116},
};

constexpr int kNoImage = -1; // a file that is not an image
constexpr int kAbsent = 0;

struct CheckCase {
    const char* Name;
    const char* Line; // replaces the base line of its key, else is added
    const char* File; // written with the size below instead of the base one
    int Width;
    int Height;
    FindingKind Kind;
    const char* FindingKey; // the key of the line the finding is on
};

const CheckCase kCases[] = {
    {"missing bitmap", "", "Numbers.bmp", kAbsent, kAbsent, FindingKind::MissingBitmap, "TimeFontBitmap"},
    {"unreadable bitmap", "", "Vol.Bmp", kNoImage, kNoImage, FindingKind::UnreadableBitmap, "VolumeBitmap"},
    {"digit strip not 13 cells", "", "Numbers.bmp", 108, 13, FindingKind::BitmapSize, "TimeFontBitmap"},
    {"digit strip taller than its cells", "TimeFontBitmapSize 9 12", "", 0, 0, FindingKind::BitmapSize,
     "TimeFontBitmap"},
    {"volume strip not 28 frames", "", "Vol.Bmp", 1836, 13, FindingKind::BitmapSize, "VolumeBitmap"},
    {"mask not the main size", "", "VolMask.bmp", 275, 232, FindingKind::BitmapSize, "VolumeControlPositionImage"},
    {"pressed not the main size", "", "pressed.bmp", 274, 116, FindingKind::BitmapSize, "MainBitmapPressed"},
    {"field past the right edge", "SongInfoField 111 27 276 37 SongInfomation", "", 0, 0,
     FindingKind::FieldOutside, "SongInfoField"},
    {"playlist field below the playlist", "PlayListTextField 12 20 255 117", "", 0, 0,
     FindingKind::FieldOutside, "PlayListTextField"},
    {"empty field", "TimeField 97 26 52 39", "", 0, 0, FindingKind::FieldOutside, "TimeField"},
    {"partner file missing", "SetTargetSSF T_EQ.ssf", "", 0, 0, FindingKind::MissingTarget, "SetTargetSSF"},
    {"button switching to no target", "ChangeSkinButton 254 3 263 12 Small 1", "", 0, 0,
     FindingKind::MissingTarget, "ChangeSkinButton"},
    {"colour of two values", "SongInformationFontColor 0 255", "", 0, 0, FindingKind::BadValue,
     "SongInformationFontColor"},
    {"rectangle with a word", "TimeField 52 26 97 x", "", 0, 0, FindingKind::BadValue, "TimeField"},
    {"font larger than drawn", "SongInformationFontSize 5000", "", 0, 0, FindingKind::BadValue,
     "SongInformationFontSize"},
};

std::string KeyOf(std::string_view line) { return std::string(line.substr(0, line.find(' '))); }

// Writes the base skin with the case's change; returns the definition's
// path and the number of the line that holds findingKey.
fs::path WriteSkin(const fs::path& folder, const CheckCase* change, int* findingLine = nullptr)
{
    std::vector<std::string> lines(std::begin(kBaseLines), std::end(kBaseLines));
    if (change && *change->Line) {
        auto same = std::find_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return KeyOf(l) == KeyOf(change->Line); });
        // A second SetTargetSSF is added: the first names Small.ssf.
        if (same == lines.end() || KeyOf(change->Line) == "SetTargetSSF")
            lines.emplace_back(change->Line);
        else
            *same = change->Line;
    }
    std::ostringstream text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text << lines[i] << "\r\n";
        if (findingLine && change && KeyOf(lines[i]) == change->FindingKey)
            *findingLine = int(i + 1);
    }
    std::ofstream(folder / "T.ssf", std::ios::binary) << text.str();

    for (BaseFile file : kBaseFiles) {
        if (change && std::string_view(file.Name) == change->File)
            file = {file.Name, change->Width, change->Height};
        if (file.Width == kAbsent)
            continue;
        std::ofstream out(folder / file.Name, std::ios::binary);
        if (file.Width == kNoImage) {
            out << "not an image";
            continue;
        }
        QImage image(file.Width, file.Height, QImage::Format_RGB32);
        image.fill(Qt::darkGray);
        const QByteArray bytes = EncodeBmp24(image);
        out.write(bytes.constData(), bytes.size());
    }
    return folder / "T.ssf";
}

TEST(KorvelCheck, PassesAWellFormedSkinWithANoteOnTheSmallModeTarget)
{
    const test::TempFolder folder;
    const auto findings = CheckKorvelSkin(WriteSkin(folder.path(), nullptr));
    EXPECT_FALSE(HasProblems(findings));
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].Severity, Severity::Note);
    EXPECT_EQ(findings[0].Line, 4);
}

TEST(KorvelCheck, FindsEachKindOfProblemOnItsLine)
{
    for (const CheckCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        const test::TempFolder folder;
        int line = 0;
        const fs::path ssf = WriteSkin(folder.path(), &c, &line);
        std::vector<CheckFinding> problems;
        for (const CheckFinding& finding : CheckKorvelSkin(ssf))
            if (finding.Severity == Severity::Problem)
                problems.push_back(finding);
        std::string all;
        for (const CheckFinding& finding : problems)
            all += finding.toString().toStdString() + "\n";
        ASSERT_EQ(problems.size(), 1u) << all;
        EXPECT_EQ(problems[0].Kind, c.Kind) << problems[0].toString().toStdString();
        EXPECT_EQ(problems[0].Line, line);
        EXPECT_EQ(problems[0].File, ssf);
        EXPECT_TRUE(problems[0].toString().startsWith(
            QStringLiteral("%1:%2: ").arg(DisplayPath(ssf)).arg(line)));
    }
}

// The finding already names the key and the file: of the decoder's error
// only what is wrong, not a second sentence about the same file.
TEST(KorvelCheck, SaysOnceWhichBitmapCannotBeRead)
{
    const test::TempFolder folder;
    const auto unreadable = std::find_if(std::begin(kCases), std::end(kCases), [](const CheckCase& c) {
        return c.Kind == FindingKind::UnreadableBitmap;
    });
    const auto findings = CheckKorvelSkin(WriteSkin(folder.path(), unreadable));
    const auto finding = std::find_if(findings.begin(), findings.end(), [](const CheckFinding& f) {
        return f.Kind == FindingKind::UnreadableBitmap;
    });
    ASSERT_NE(finding, findings.end());
    EXPECT_EQ(finding->Message, QStringLiteral("VolumeBitmap の Vol.Bmp を読めません: 画像の形式を認識できません"));
}

} // namespace
} // namespace tf
