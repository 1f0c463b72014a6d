#include "output/SaveSkin.h"
#include "support/ScriptedPrompts.h"

#include "output/DefinitionWriter.h"
#include "platform/FileSystem.h"
#include "platform/Errors.h"
#include "platform/ImageFile.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"
#include "support/ImageChecks.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <set>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#include <tlhelp32.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tf {
namespace {

Bitmap Patterned(SourceFile file, int width, int height)
{
    return Bitmap::FromImage(test::FixtureImage(file, width, height));
}

Bitmap Filled(int width, int height, Color color)
{
    Bitmap image(width, height);
    image.fillAll(color);
    return image;
}

struct SaveFixture : ::testing::Test {
    SaveFixture()
    {
        SkinState& state = session.State;
        // Every image tells where its pixels came from.
        state.MainNormalImage = Patterned(kMainBmp, 275, 116);
        state.MainPressedImage = Patterned(kCButtonsBmp, 275, 116);
        state.MainInactiveImage = Patterned(kTitleBarBmp, 275, 116);
        state.EqNormalImage = Patterned(kEqMainBmp, 275, 116);
        state.EqPressedImage = Patterned(kShufRepBmp, 275, 116);
        state.EqInactiveImage = Patterned(kPlEditBmp, 275, 116);
        state.PosBarImage1 = Filled(29, 10, MakeColor(1, 1, 1));
        state.PosBarImage2 = Filled(29, 10, MakeColor(2, 2, 2));
        state.PanImage = Filled(912, 13, MakeColor(3, 3, 3));
        state.VolumeImage = Filled(1904, 13, MakeColor(4, 4, 4));
        state.HasPanImage = true;
        state.HasVolumeImage = true;
        session.Previews.Playlist = Patterned(kPlEditBmp, 300, 145);
        session.Previews.TimeDigits = Filled(120, 13, MakeColor(5, 5, 5));
        session.Previews.Analyzer = Filled(5, 16, MakeColor(6, 6, 6));
        session.Editor.ShowEqualizer = true;
        session.Editor.EqualizerOnTop = false;
    }

    void save() { SaveSkin(session, ssfPath()); }
    fs::path ssfPath() const { return folder / "Foo.ssf"; }
    QImage decode(const char* name) const { return DecodeImageFile(folder / name); }

    std::set<std::string> filesInFolder() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    ScriptedPrompts prompts;
    SkinSession session{fs::path("/nowhere"), prompts};
    test::TempFolder temp;
    fs::path folder = temp.path();
};

// Rows [top, top + image height) of joined hold exactly the pixels of image.
void ExpectRowsShow(const QImage& joined, int top, const Bitmap& image, const char* what)
{
    int differences = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (FromQRgb(joined.pixel(x, top + y)) != image.pixel(x, y))
                ++differences;
    EXPECT_EQ(differences, 0) << what << " at row " << top;
}

Color PixelOf(const QImage& image, int x, int y) { return FromQRgb(image.pixel(x, y)); }
Color Grey(int level) { return MakeColor(level, level, level); }

TEST_F(SaveFixture, FullSaveWritesEighteenImagesAndBothDefinitionFiles)
{
    save();
    const std::set<std::string> expected = {
        "MainNormal.bmp", "MainPressed.bmp", "MainInactive.bmp", "MainNormal_EQ.bmp",
        "MainPressed_EQ.bmp", "MainInactive_EQ.bmp", "PlayListNormal.bmp", "PlayListPressed.bmp",
        "Numbers.bmp", "Analyzer.bmp", "PosBar1.bmp", "PosBar2.bmp", "Pan.Bmp", "Vol.Bmp",
        "PanMask.bmp", "VolMask.bmp", "PanMask_EQ.bmp", "VolMask_EQ.bmp", "Foo.ssf", "Foo_EQ.ssf"};
    EXPECT_EQ(filesInFolder(), expected); // no temporary file left either

    const DefinitionFiles files = BuildDefinitionFiles(session, ssfPath());
    EXPECT_EQ(ReadFileBytes(ssfPath()), files.Plain);
    EXPECT_EQ(ReadFileBytes(folder / "Foo_EQ.ssf"), files.Eq);
    EXPECT_TRUE(test::SamePixels(Bitmap::FromImage(decode("Pan.Bmp")), session.State.PanImage));
    EXPECT_TRUE(test::SamePixels(Bitmap::FromImage(decode("Vol.Bmp")), session.State.VolumeImage));
    EXPECT_TRUE(test::SamePixels(Bitmap::FromImage(decode("Numbers.bmp")), session.Previews.TimeDigits));
    EXPECT_TRUE(test::SamePixels(Bitmap::FromImage(decode("PosBar2.bmp")), session.State.PosBarImage2));

    // Uncompressed 24-bit BMP: "BM", 40-byte information header, 24 bits.
    const std::string mask = ReadFileBytes(folder / "VolMask_EQ.bmp");
    ASSERT_GE(mask.size(), 54u);
    EXPECT_EQ(mask.substr(0, 2), "BM");
    EXPECT_EQ(uint8_t(mask[14]), 40);
    EXPECT_EQ(uint8_t(mask[28]), 24);
    EXPECT_EQ(uint8_t(mask[30]), 0);
}

TEST_F(SaveFixture, MinimalSaveWritesOnlyTheAlwaysFilesAndShownDisplays)
{
    session.Editor.ShowEqualizer = false;
    session.State.HasPanImage = false;
    session.State.HasVolumeImage = false;
    session.State.ShowAnalyzer = false;
    session.State.ShowSeekBar = false;
    save();
    EXPECT_EQ(filesInFolder(),
              (std::set<std::string>{"MainNormal.bmp", "MainPressed.bmp", "MainInactive.bmp",
                                     "PlayListNormal.bmp", "PlayListPressed.bmp", "Numbers.bmp",
                                     "Foo.ssf"}));
}

TEST_F(SaveFixture, JoinedMasksAreWrittenWithoutTheStrips)
{
    session.State.HasPanImage = false;
    save();
    const std::set<std::string> names = filesInFolder();
    EXPECT_TRUE(names.count("PanMask_EQ.bmp"));
    EXPECT_TRUE(names.count("VolMask_EQ.bmp"));
    EXPECT_FALSE(names.count("PanMask.bmp"));
    EXPECT_FALSE(names.count("Pan.Bmp"));
    EXPECT_TRUE(names.count("VolMask.bmp"));
}

TEST_F(SaveFixture, EmptyPictureWritesNoFileAndIsNotNamed)
{
    session.Previews.Analyzer = Bitmap();
    save();
    EXPECT_FALSE(fs::exists(folder / "Analyzer.bmp"));
    EXPECT_EQ(ReadFileBytes(ssfPath()).find("Analyzer.bmp"), std::string::npos);
}

TEST_F(SaveFixture, PlaylistIsSavedTwiceIdentically)
{
    save();
    const std::string normal = ReadFileBytes(folder / "PlayListNormal.bmp");
    EXPECT_EQ(ReadFileBytes(folder / "PlayListPressed.bmp"), normal);
    EXPECT_TRUE(test::SamePixels(Bitmap::FromImage(decode("PlayListNormal.bmp")), session.Previews.Playlist));
}

TEST_F(SaveFixture, JoinedImagesPutEachPairInItsHalf)
{
    const SkinState& state = session.State;
    for (const bool onTop : {false, true}) {
        session.Editor.EqualizerOnTop = onTop;
        save();
        const int m = onTop ? 116 : 0;
        const int e = onTop ? 0 : 116;
        const QImage normal = decode("MainNormal_EQ.bmp");
        ASSERT_EQ(normal.size(), QSize(275, 232));
        ExpectRowsShow(normal, m, Bitmap::FromImage(decode("MainNormal.bmp")), "MainNormal.bmp");
        ExpectRowsShow(normal, e, state.EqNormalImage, "EqNormalImage");
        const QImage pressed = decode("MainPressed_EQ.bmp");
        ExpectRowsShow(pressed, m, state.MainPressedImage, "MainPressedImage");
        ExpectRowsShow(pressed, e, state.EqPressedImage, "EqPressedImage");
        const QImage inactive = decode("MainInactive_EQ.bmp");
        ExpectRowsShow(inactive, m, state.MainInactiveImage, "MainInactiveImage");
        ExpectRowsShow(inactive, e, state.EqInactiveImage, "EqInactiveImage");
    }
}

TEST_F(SaveFixture, PanMaskIsATruncatedGreyRampOnMagenta)
{
    save();
    const QImage mask = decode("PanMask.bmp");
    ASSERT_EQ(mask.size(), QSize(275, 116));
    EXPECT_EQ(PixelOf(mask, 177, 57), kBlack);
    EXPECT_EQ(PixelOf(mask, 214, 69), kWhite);
    EXPECT_EQ(PixelOf(mask, 196, 60), Grey(130));
    for (const auto& [x, y] : {std::pair{176, 57}, {215, 57}, {177, 70}, {177, 56}, {0, 0}})
        EXPECT_EQ(PixelOf(mask, x, y), kMagenta) << x << "," << y;

    const QImage volume = decode("VolMask.bmp");
    EXPECT_EQ(PixelOf(volume, 107, 57), kBlack);
    EXPECT_EQ(PixelOf(volume, 171, 69), kWhite);
    EXPECT_EQ(PixelOf(volume, 172, 60), kMagenta);
    EXPECT_EQ(PixelOf(volume, 177, 60), kMagenta); // no pan ramp in the volume mask
}

TEST_F(SaveFixture, JoinedMaskRampFollowsTheMainPart)
{
    for (const bool onTop : {false, true}) {
        session.Editor.EqualizerOnTop = onTop;
        save();
        const QImage mask = decode("VolMask_EQ.bmp");
        ASSERT_EQ(mask.size(), QSize(275, 232));
        const int first = onTop ? 173 : 57;
        const int last = onTop ? 185 : 69;
        EXPECT_EQ(PixelOf(mask, 171, first - 1), kMagenta) << onTop;
        EXPECT_EQ(PixelOf(mask, 171, first), kWhite) << onTop;
        EXPECT_EQ(PixelOf(mask, 107, last), kBlack) << onTop;
        EXPECT_EQ(PixelOf(mask, 171, last + 1), kMagenta) << onTop;
        const QImage pan = decode("PanMask_EQ.bmp");
        EXPECT_EQ(PixelOf(pan, 196, first + 3), Grey(130)) << onTop;
    }
}

// Root passes every permission, and Windows ignores the read-only mark of a
// folder.
bool PermissionsDoNotStopWrites()
{
#ifdef _WIN32
    return true;
#else
    return geteuid() == 0;
#endif
}

// A process other than this one that runs for as long as the test does:
// the parent on Linux; on Windows, whose parents may be gone, the first
// other process of the system's list.
int64_t OtherRunningProcessId()
{
#ifdef _WIN32
    int64_t other = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !other; more = Process32NextW(snapshot, &entry))
        if (entry.th32ProcessID != 0 && entry.th32ProcessID != GetCurrentProcessId())
            other = entry.th32ProcessID;
    CloseHandle(snapshot);
    return other;
#else
    return getppid();
#endif
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void ExpectFileCreateError(const std::function<void()>& action, const fs::path& path)
{
    try {
        action();
        FAIL() << "the save reported no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FileCreate);
        const QString prefix = QStringLiteral("ファイル \"%1\". ").arg(DisplayPath(path));
        EXPECT_TRUE(error.message().startsWith(prefix)) << error.message().toStdString();
        EXPECT_TRUE(error.message().endsWith(QStringLiteral(" を作成できません")))
            << error.message().toStdString();
        EXPECT_GT(error.message().size(), prefix.size() + 9) << "no reason given";
    }
}

TEST_F(SaveFixture, FolderInAFilesPlaceFailsTheSaveBeforeAnythingIsWritten)
{
    WriteText(ssfPath(), "old");
    // A folder where the playlist image should go cannot be replaced.
    fs::create_directory(folder / "PlayListNormal.bmp");
    ExpectFileCreateError([&] { save(); }, folder / "PlayListNormal.bmp");
    EXPECT_EQ(ReadFileBytes(ssfPath()), "old");
    EXPECT_EQ(filesInFolder(), (std::set<std::string>{"Foo.ssf", "PlayListNormal.bmp"}));
}

// Fails the file of one position of the save as a full disk would.
class FailingCreator : public FileCreator {
public:
    explicit FailingCreator(size_t failAt) : m_failAt(failAt) {}
    QString create(const fs::path& path, std::string_view bytes) override
    {
        if (m_calls++ == m_failAt)
            return QString::fromStdString(std::generic_category().message(ENOSPC));
        return FileCreator::create(path, bytes);
    }

private:
    size_t m_failAt;
    size_t m_calls = 0;
};

std::map<std::string, std::string> FolderContents(const fs::path& folder)
{
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder))
        contents[entry.path().filename().string()] = ReadFileBytes(entry.path());
    return contents;
}

TEST_F(SaveFixture, FailedFileAtAnyPositionLeavesTheFolderAsItWas)
{
    session.Editor.ShowEqualizer = false;
    save();
    WriteText(folder / "readme.txt", "not the skin's");
    const auto before = FolderContents(folder);
    session.Editor.ShowEqualizer = true;
    session.State.TextColor = MakeColor(7, 7, 7);
    const std::vector<NamedFile> files = BuildSkinFiles(session, ssfPath());
    ASSERT_EQ(files.size(), 20u);
    for (size_t position = 0; position < files.size(); ++position) {
        FailingCreator creator(position);
        try {
            SaveSkin(session, ssfPath(), creator);
            ADD_FAILURE() << "no error at " << position;
        } catch (const AppError& error) {
            // The system's reason comes in the desktop's language.
            EXPECT_EQ(error.message(), QStringLiteral("ファイル \"%1\". %2 を作成できません")
                                           .arg(DisplayPath(folder / files[position].Name),
                                                QString::fromStdString(std::generic_category().message(ENOSPC))));
        }
        EXPECT_TRUE(FolderContents(folder) == before) << "failed at " << files[position].Name;
    }
}

// Another skin, of other pixels and colours, with prompts of its own.
struct OtherSkin {
    explicit OtherSkin(const SkinSession& like)
    {
        Session.State = like.State;
        Session.Previews = like.Previews;
        Session.Editor = like.Editor;
        Session.State.MainNormalImage = Filled(275, 116, MakeColor(9, 9, 9));
        Session.State.EqNormalImage = Filled(275, 116, MakeColor(9, 9, 9));
        Session.State.TextColor = MakeColor(9, 9, 9);
    }
    ScriptedPrompts Prompts;
    SkinSession Session{fs::path("/nowhere"), Prompts};
};

std::map<std::string, std::string> FilesOf(const SkinSession& session, const fs::path& ssfPath)
{
    std::map<std::string, std::string> files;
    for (const NamedFile& file : BuildSkinFiles(session, ssfPath))
        files[file.Name] = file.Bytes.toStdString();
    return files;
}

TEST_F(SaveFixture, ConcurrentSavesIntoOneTargetLeaveOneWholeSkin)
{
    OtherSkin otherSkin(session);
    const SkinSession& other = otherSkin.Session;
    const auto mine = FilesOf(session, ssfPath()), theirs = FilesOf(other, ssfPath());
    for (int round = 0; round < 5; ++round) {
        std::thread first([&] { save(); });
        SaveSkin(other, ssfPath());
        first.join();
        const auto contents = FolderContents(folder);
        EXPECT_TRUE(contents == mine || contents == theirs) << "mixed in round " << round;
    }
}

TEST_F(SaveFixture, TargetsThatCannotTakeTheSkinWriteNothing)
{
    fs::create_directories(folder / "skin");
    SetSkinSource(session, folder / "skin");
    const struct {
        fs::path Target;
        const char* Says;
    } cases[] = {
        {folder / (std::string(230, 'a') + ".ssf"), "長すぎます"},
        {folder / PathFromString("\xed\x95\x9c.ssf"), "Shift-JIS"}, // a Hangul syllable
        {folder / "a\nb.ssf", "a\\x0ab.ssf"},
        {folder / PathFromString("a\xe2\x80\xae" "b.ssf"), "a\\u{202e}b.ssf"}, // a direction override
        {folder / "skin" / "Foo.ssf", "スキンのフォルダ"},
        {folder / "skin" / "out" / ".." / "deeper" / "Foo.ssf", "スキンのフォルダ"},
    };
    for (const auto& c : cases) {
        fs::create_directories(c.Target.parent_path());
        try {
            SaveSkin(session, c.Target);
            ADD_FAILURE() << "saved " << c.Target;
        } catch (const AppError& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.Says))) << error.message().toStdString();
        }
    }
    EXPECT_EQ(filesInFolder(), (std::set<std::string>{"skin"}));
    EXPECT_TRUE(fs::is_empty(folder / "skin" / "deeper"));
    // A sibling whose name starts like the skin's is not inside it.
    fs::create_directories(folder / "skin2");
    SaveSkin(session, folder / "skin2" / "Foo.ssf");
}

// The output is compared with the skin folder by what the file system says
// they are, so that every spelling of the skin folder is refused.
TEST_F(SaveFixture, EverySpellingOfTheSkinFolderIsRefused)
{
    const fs::path skin = folder / "MySkinFolder";
    fs::create_directories(skin);
    SetSkinSource(session, skin);
    std::vector<fs::path> spellings;
#ifdef _WIN32
    spellings.push_back(folder / "MYSKINFOLDER" / "out" / "Foo.ssf");
    spellings.push_back(folder / "myskinfolder." / "Foo.ssf");
    wchar_t shortName[MAX_PATH] = {};
    if (GetShortPathNameW(skin.c_str(), shortName, MAX_PATH) > 0)
        spellings.push_back(fs::path(shortName) / "Foo.ssf");
#else
    fs::create_directory_symlink(skin, folder / "link");
    spellings.push_back(folder / "link" / "deeper" / "Foo.ssf");
#endif
    for (const fs::path& target : spellings) {
        try {
            SaveSkin(session, target);
            ADD_FAILURE() << "saved into " << target;
        } catch (const AppError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("スキンのフォルダ"))) << error.message().toStdString();
        }
    }
    EXPECT_TRUE(fs::is_empty(skin));
}

TEST_F(SaveFixture, TemporariesOfDeadRunsAreRemovedAndOthersKept)
{
    const std::vector<std::string> left = {"MainNormal.bmp.999999999-3.tmp", "Foo_EQ.ssf.999999999-0.tmp",
                                           ".tessaform.journal.999999999-9.tmp"};
    const std::vector<std::string> kept = {"Other.bmp.999999999-1.tmp", "Foo.ssf.tmp",
                                           "MainNormal.bmp." + std::to_string(OtherRunningProcessId()) + "-1.tmp"};
    for (const std::string& name : left)
        WriteText(folder / name, "999999999\ntessaform\n\n");
    for (const std::string& name : kept)
        WriteText(folder / name, "x");
    save();
    for (const std::string& name : left)
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(folder / name)) << name;
}

// What a killed run leaves in the lock's place is taken over at once: the
// system's lock of the file died with its process.
TEST_F(SaveFixture, LockLeftByAKilledRunIsTakenOverAtOnce)
{
    for (const char* content : {"", "999999999\n", "not an id"}) {
        WriteText(folder / ".tessaform.lock", content);
        save();
        EXPECT_FALSE(fs::exists(folder / ".tessaform.lock")) << content;
    }
}

// Anything but a regular file in the lock's place is named as such, at once
// and without touching what a link points to.
TEST_F(SaveFixture, LockPathThatIsNotAFileFailsTheSaveNamingIt)
{
    const fs::path lock = folder / ".tessaform.lock";
    std::vector<std::function<void()>> makers = {[&] { fs::create_directory(lock); }};
#ifndef _WIN32
    WriteText(temp / "target", "kept");
    mkfifo((temp / "fifo").c_str(), 0600);
    makers.push_back([&] { fs::create_symlink(temp / "target", lock); });
    makers.push_back([&] { fs::create_symlink(temp / "fifo", lock); });
    makers.push_back([&] { mkfifo(lock.c_str(), 0600); });
#endif
    for (size_t i = 0; i < makers.size(); ++i) {
        makers[i]();
        try {
            save();
            ADD_FAILURE() << "saved past case " << i;
        } catch (const AppError& error) {
            EXPECT_TRUE(error.message().contains(DisplayPath(lock))) << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(QStringLiteral("通常のファイルではありません")))
                << error.message().toStdString();
        }
        EXPECT_FALSE(fs::exists(ssfPath()));
        fs::remove(lock);
    }
#ifndef _WIN32
    EXPECT_EQ(ReadFileBytes(temp / "target"), "kept");
#endif
}

// Copies the folder after each rename of a save: what a kill at that moment
// would leave.
class SnapshotCreator : public FileCreator {
public:
    SnapshotCreator(fs::path folder, fs::path snapshots) : m_folder(std::move(folder)), m_snapshots(std::move(snapshots)) {}
    QString rename(const fs::path& from, const fs::path& to) override
    {
        const QString reason = FileCreator::rename(from, to);
        fs::copy(m_folder, m_snapshots / std::to_string(m_count++));
        return reason;
    }
    size_t count() const { return m_count; }

private:
    fs::path m_folder, m_snapshots;
    size_t m_count = 0;
};

TEST_F(SaveFixture, SaveStoppedAfterAnyRenameIsCompletedByTheNextSaveOrCheck)
{
    save(); // the skin the stopped save replaces
    session.State.MainNormalImage = Filled(275, 116, MakeColor(9, 8, 7));
    session.State.TextColor = MakeColor(7, 7, 7);
    const std::vector<NamedFile> files = BuildSkinFiles(session, ssfPath());
    test::TempFolder snapshots;
    SnapshotCreator creator(folder, snapshots.path());
    SaveSkin(session, ssfPath(), creator);
    ASSERT_EQ(creator.count(), files.size() + 1); // the journal's rename, then the files'

    // The next save here leaves the equalizer out: the "_EQ" files then stay
    // as the stopped save left them, and must be its own.
    session.Editor.ShowEqualizer = false;
    for (size_t stop = 0; stop < creator.count(); ++stop) {
        for (const bool bySave : {false, true}) {
            SCOPED_TRACE(testing::Message() << "stopped after rename " << stop << (bySave ? ", saved" : ", checked"));
            test::TempFolder temporary;
            // Into a folder not there yet: MinGW's copy refuses an existing one.
            const fs::path copy = temporary / "stopped";
            fs::copy(snapshots / std::to_string(stop), copy);
            if (bySave)
                SaveSkin(session, copy / "Foo.ssf");
            else
                EXPECT_TRUE(CompleteInterruptedSave(copy));
            std::set<std::string> names;
            for (const auto& entry : fs::directory_iterator(copy))
                names.insert(entry.path().filename().string());
            std::set<std::string> expected;
            for (const NamedFile& file : files) {
                expected.insert(file.Name);
                if (!bySave || file.Name.find("_EQ") != std::string::npos) {
                    EXPECT_EQ(ReadFileBytes(copy / file.Name), file.Bytes.toStdString()) << file.Name;
                }
            }
            EXPECT_EQ(names, expected); // no journal, temporary or lock left
        }
    }
    EXPECT_FALSE(CompleteInterruptedSave(folder)); // nothing to complete after a whole save
}

// Two skins in one folder share the image names the format fixes: their
// saves take turns, and the later one tells of the other's definition.
TEST_F(SaveFixture, SkinsSavedIntoOneFolderTakeTurnsAndTellOfEachOther)
{
    OtherSkin otherSkin(session);
    const SkinSession& other = otherSkin.Session;
    ScriptedPrompts& otherPrompts = otherSkin.Prompts;
    const fs::path otherPath = folder / "Bar.ssf";
    auto mine = FilesOf(session, ssfPath()), theirs = FilesOf(other, otherPath);
    for (int round = 0; round < 5; ++round) {
        for (const auto& entry : fs::directory_iterator(folder))
            fs::remove(entry.path());
        prompts.clear();
        otherPrompts.clear();
        std::thread first([&] { save(); });
        SaveSkin(other, otherPath);
        first.join();
        // The images are all of the skin saved last, whose prompts warned.
        const bool minesLast = ReadFileBytes(folder / "MainNormal.bmp") == mine["MainNormal.bmp"];
        for (const auto& [name, bytes] : minesLast ? mine : theirs) {
            if (name.ends_with(".bmp")) {
                EXPECT_EQ(ReadFileBytes(folder / name), bytes) << name << " mixed in round " << round;
            }
        }
        const ScriptedPrompts& last = minesLast ? prompts : otherPrompts;
        ASSERT_EQ(last.shown().size(), 1u) << "round " << round;
        EXPECT_TRUE(last.shown()[0].Text.contains(minesLast ? QStringLiteral("Bar.ssf") : QStringLiteral("Foo.ssf")));
        EXPECT_TRUE((minesLast ? otherPrompts : prompts).shown().empty());
    }
    // The window asks first; declining writes nothing.
    const auto before = FolderContents(folder);
    session.State.TextColor = MakeColor(1, 2, 3);
    SaveHooks declining;
    declining.ReplaceOtherSkins = [](const QString&) { return false; };
    EXPECT_FALSE(SaveSkin(session, ssfPath(), DiskFileCreator(), declining));
    EXPECT_TRUE(FolderContents(folder) == before);
}

TEST_F(SaveFixture, UnwritableFolderGivesTheCreateErrorAndKeepsThePreviousFile)
{
    if (PermissionsDoNotStopWrites()) {
        // A folder path through a regular file stops everyone.
        WriteText(folder / "plain", "x");
        const fs::path target = folder / "plain" / "Foo.ssf";
        ExpectFileCreateError([&] { SaveSkin(session, target); }, folder / "plain" / ".tessaform.lock");
        return;
    }
    const std::string previous = "previous image";
    WriteText(folder / "MainNormal.bmp", previous);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectFileCreateError([&] { save(); }, folder / ".tessaform.lock");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(ReadFileBytes(folder / "MainNormal.bmp"), previous);
    EXPECT_EQ(filesInFolder(), std::set<std::string>{"MainNormal.bmp"});
}

// A Japanese name reaches the files, their SkinName lines and the lock as it
// is, whatever the code page of the system.
TEST_F(SaveFixture, AJapaneseNameIsKeptInFilesAndDefinitions)
{
    SaveSkin(session, folder / PathFromString("日本のスキン.ssf"));
    const std::set<std::string> names = filesInFolder();
    for (const char* name : {"日本のスキン.ssf", "日本のスキン_EQ.ssf", "MainNormal.bmp"})
        EXPECT_TRUE(names.count(name)) << name;
    for (const std::string& name : names)
        EXPECT_FALSE(name.ends_with(".lock") || name.ends_with(".tmp")) << name;
    EXPECT_EQ(ReadLines(folder / PathFromString("日本のスキン_EQ.ssf"))[0],
              "SkinName " + EncodeCp932(QStringLiteral("日本のスキン")));
}

TEST_F(SaveFixture, SavingAgainReplacesEveryFile)
{
    save();
    session.State.MainNormalImage = Filled(275, 116, MakeColor(9, 8, 7));
    session.State.TextColor = MakeColor(7, 7, 7);
    session.Editor.EqualizerOnTop = true;
    save();
    EXPECT_EQ(PixelOf(decode("MainNormal.bmp"), 0, 0), MakeColor(9, 8, 7));
    EXPECT_EQ(PixelOf(decode("MainNormal_EQ.bmp"), 0, 116), MakeColor(9, 8, 7));
    const DefinitionFiles files = BuildDefinitionFiles(session, ssfPath());
    EXPECT_EQ(ReadFileBytes(ssfPath()), files.Plain);
    EXPECT_EQ(ReadFileBytes(folder / "Foo_EQ.ssf"), files.Eq);
    EXPECT_EQ(filesInFolder().size(), 20u);
}

TEST_F(SaveFixture, SaveWithoutEqualizerLeavesEarlierEqFilesAlone)
{
    save();
    const std::string eqFile = ReadFileBytes(folder / "Foo_EQ.ssf");
    const std::string joined = ReadFileBytes(folder / "MainNormal_EQ.bmp");
    session.Editor.ShowEqualizer = false;
    session.State.TextColor = MakeColor(7, 7, 7);
    save();
    EXPECT_EQ(ReadFileBytes(folder / "Foo_EQ.ssf"), eqFile);
    EXPECT_EQ(ReadFileBytes(folder / "MainNormal_EQ.bmp"), joined);
    const std::string plain = ReadFileBytes(ssfPath());
    EXPECT_EQ(plain, BuildDefinitionFiles(session, ssfPath()).Plain);
    EXPECT_EQ(plain.find("EQ_On/Off"), std::string::npos);
}

} // namespace
} // namespace tf
