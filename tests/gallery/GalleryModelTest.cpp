// The gallery without widgets: what each source shows, the listing of a
// folder, and the cache of pictures on disk.

#include "GalleryTestSupport.h"

#include "gallery/GalleryModel.h"
#include "gallery/PictureCache.h"
#include "gallery/SkinPicture.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "session/OpenSkin.h"
#include "skin/LoadSkin.h"
#include "sources/SkinFinder.h"
#include "support/SkinFixture.h"
#include "support/TestPaths.h"
#include "support/ZipWriter.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {

namespace test {
std::map<std::string, std::string> FilesBelow(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = ReadFileBytes(entry.path(), 1 << 26);
    return files;
}

// The files of folder packed below inArchive, main.bmp first and stored, so
// that a cut into the archive falls into it.
fs::path Pack(const fs::path& folder, const fs::path& archive, const std::string& inArchive, bool upperCase)
{
    fs::create_directories(archive.parent_path());
    ZipWriter zip(archive);
    std::vector<fs::directory_entry> entries = ListFolderSorted(folder);
    std::stable_partition(entries.begin(), entries.end(),
                          [](const fs::directory_entry& e) { return e.path().filename() == "main.bmp"; });
    for (const fs::directory_entry& entry : entries) {
        std::string name = entry.path().filename().string();
        if (upperCase)
            std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        zip.addFile((inArchive.empty() ? "" : inArchive + "/") + name, ReadFileBytes(entry.path()),
                    ZipMethod::Store);
    }
    zip.close();
    return archive;
}

} // namespace test

namespace {

constexpr QRgb kMainColor = 0xffcc2020;
constexpr QRgb kTitleColor = 0xff2040cc;

QImage Solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A skin of main.bmp in one colour and titlebar.bmp in another.
fs::path WriteTwoColourSkin(const fs::path& folder, QRgb main = kMainColor)
{
    test::SkinFixture(folder).writeBitmap("main.bmp", Solid(275, 116, main)).writeBitmap("titlebar.bmp",
                                                                                        Solid(344, 87, kTitleColor));
    return folder;
}

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

TEST(SkinPictureTest, MainWindowUnderItsTitleBarFromAFolderOrAnArchive)
{
    test::TempFolder temp;
    const fs::path folder = WriteTwoColourSkin(temp / "Skin");
    const fs::path archive = test::Pack(folder, temp / "Skin.wsz", "My Skin", true);
    for (const fs::path& source : {folder, archive}) {
        const SkinPicture picture = MakeSkinPicture(source);
        ASSERT_EQ(picture.Kind, PictureKind::Picture) << picture.Reason.toStdString();
        EXPECT_EQ(picture.Image.size(), QSize(275, 116));
        EXPECT_EQ(picture.Image.pixel(0, 0), kTitleColor);
        EXPECT_EQ(picture.Image.pixel(274, 13), kTitleColor);
        EXPECT_EQ(picture.Image.pixel(0, 14), kMainColor);
    }
}

TEST(SkinPictureTest, EverySourceGetsATileOrAReason)
{
    test::TempFolder temp;
    const fs::path good = test::Pack(WriteTwoColourSkin(temp / "good"), temp / "good.wsz");
    const std::string goodBytes = ReadFileBytes(good);
    struct Case {
        const char* Name;
        std::function<fs::path()> Write;
        PictureKind Kind;
    };
    const std::vector<Case> cases = {
        {"skin folder without title bar", [&] {
             test::SkinFixture(temp / "plain").writeBitmap("Main.bmp", Solid(275, 116, kMainColor));
             return temp / "plain";
         }, PictureKind::Picture},
        {"archive without main.bmp", [&] {
             test::ZipWriter(temp / "readme.zip").addFile("readme.txt", "not a skin");
             return temp / "readme.zip";
         }, PictureKind::NoSkin},
        {"archive cut short inside main.bmp", [&] {
             WriteBytes(temp / "cut.wsz", std::string_view(goodBytes).substr(0, goodBytes.size() / 3));
             return temp / "cut.wsz";
         }, PictureKind::Unreadable},
        {"text under a .wsz name", [&] {
             WriteBytes(temp / "text.wsz", "hello");
             return temp / "text.wsz";
         }, PictureKind::Unreadable},
        {"empty .zip", [&] {
             WriteBytes(temp / "empty.zip", "");
             return temp / "empty.zip";
         }, PictureKind::Unreadable},
        {"main.bmp that is no image", [&] {
             test::ZipWriter(temp / "junk.wsz").addFile("main.bmp", "BMjunk");
             return temp / "junk.wsz";
         }, PictureKind::Unreadable},
    };
    for (const Case& c : cases) {
        const SkinPicture picture = MakeSkinPicture(c.Write());
        EXPECT_EQ(picture.Kind, c.Kind) << c.Name << ": " << picture.Reason.toStdString();
        EXPECT_EQ(picture.Kind == PictureKind::Picture, picture.Reason.isEmpty()) << c.Name;
    }
}

// The archive is searched as its unpacked copy is: the same skin folder,
// hence the same picture as the loaded skin's own bitmaps give.
TEST(SkinPictureTest, RealArchivesShowTheSkinTheWindowLoads)
{
    TF_REQUIRE_SHARED_SKINS();
    test::TempFolder temp;
    std::vector<fs::path> archives;
    for (const auto& folder : {*test::SharedSkinsFolder(), *test::SharedSkinsFolder() / "corpus"})
        for (const fs::directory_entry& entry : ListFolderSorted(folder))
            if (HasSkinArchiveExtension(entry.path()))
                archives.push_back(entry.path());
    ASSERT_GE(archives.size(), 50u);
    int index = 0;
    for (const fs::path& archive : archives) {
        const UnpackedArchive unpacked = UnpackSkinArchive(archive, temp / std::to_string(index++));
        ASSERT_FALSE(unpacked.SkinFolder.empty()) << archive;
        const SkinPicture fromArchive = MakeSkinPicture(archive);
        const SkinPicture fromFolder = MakeSkinPicture(unpacked.SkinFolder);
        ASSERT_EQ(fromArchive.Kind, PictureKind::Picture) << archive << fromArchive.Reason.toStdString();
        EXPECT_EQ(fromArchive.Image, fromFolder.Image) << archive;
    }
}

class GalleryModelTest : public ::testing::Test {
protected:
    std::unique_ptr<GalleryModel> openModel(const fs::path& folder)
    {
        auto model = std::make_unique<GalleryModel>(cache);
        model->setFolder(folder);
        EXPECT_TRUE(test::WaitUntil([&] { return !model->isListing() && model->resolvedCount() == model->rowCount(); }));
        return model;
    }
    QImage pictureOf(GalleryModel& model, const fs::path& source)
    {
        const int row = model.rowOf(source);
        QImage picture;
        EXPECT_TRUE(test::WaitUntil([&] { return !(picture = model.pictureAt(row)).isNull(); })) << source;
        return picture;
    }

    test::TempFolder temp;
    std::shared_ptr<PictureCache> cache = std::make_shared<PictureCache>(temp / "cache");
};

TEST_F(GalleryModelTest, ListsTheSkinsOfAFolderAsTheTreeDoesInReadingOrder)
{
    const fs::path skins = temp / "skins";
    WriteTwoColourSkin(skins / "b skin");
    fs::create_directories(skins / "docs");
    test::Pack(WriteTwoColourSkin(temp / "src"), skins / "skin10.wsz");
    fs::copy_file(skins / "skin10.wsz", skins / "skin2.WSZ");
    fs::copy_file(skins / "skin10.wsz", skins / ".hidden.wsz");
    test::ZipWriter(skins / "A readme.zip").addFile("readme.txt", "x");
    WriteBytes(skins / "notes.txt", "x");

    // Names in reading order need a language; the C locale compares code points.
    const QLocale system;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto model = openModel(skins);
    QLocale::setDefault(system);
    QStringList names;
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row).data().toString();
    EXPECT_EQ(names, (QStringList{"b skin", "A readme.zip", "skin2.WSZ", "skin10.wsz"}));
    EXPECT_EQ(model->stateAt(1), GalleryModel::TileState::NoSkin);
    EXPECT_FALSE(model->index(1).data(GalleryModel::ReasonRole).toString().isEmpty());
    EXPECT_EQ(pictureOf(*model, skins / "skin2.WSZ").pixel(0, 20), kMainColor);
}

// An entry is taken only for the file as it was: same size and time of
// change. A file rewritten with a new time gets a new picture.
TEST_F(GalleryModelTest, TheCacheAnswersForTheFileAsItWasAndOnlyThen)
{
    const fs::path skins = temp / "skins";
    const fs::path archive = test::Pack(WriteTwoColourSkin(temp / "red"), skins / "skin.wsz");
    const std::string green = ReadFileBytes(test::Pack(WriteTwoColourSkin(temp / "green", 0xff20cc20), temp / "green.wsz"));
    EXPECT_EQ(pictureOf(*openModel(skins), archive).pixel(0, 20), kMainColor);

    // Other bytes under the same size and time: the cache answers. (Times
    // through Qt: the Windows build's standard library keeps whole seconds.)
    const QDateTime time = QFileInfo(PathToQString(archive)).lastModified();
    const auto setTime = [&](const QDateTime& to) {
        QFile file(PathToQString(archive));
        ASSERT_TRUE(file.open(QIODevice::Append) && file.setFileTime(to, QFileDevice::FileModificationTime));
    };
    ASSERT_EQ(green.size(), fs::file_size(archive));
    WriteBytes(archive, green);
    setTime(time);
    EXPECT_EQ(pictureOf(*openModel(skins), archive).pixel(0, 20), kMainColor);

    setTime(time.addSecs(5));
    EXPECT_EQ(pictureOf(*openModel(skins), archive).pixel(0, 20), 0xff20cc20);
}

TEST_F(GalleryModelTest, ADamagedCacheEntryIsMadeAgain)
{
    const fs::path skins = temp / "skins";
    const fs::path archive = test::Pack(WriteTwoColourSkin(temp / "red"), skins / "skin.wsz");
    openModel(skins);
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(temp / "cache"))
        entries.push_back(entry.path());
    ASSERT_EQ(entries.size(), 1u);
    const std::string whole = ReadFileBytes(entries[0]);
    for (const std::string& damaged : {std::string("garbage"), whole.substr(0, whole.size() - 40), std::string()}) {
        WriteBytes(entries[0], damaged);
        EXPECT_EQ(pictureOf(*openModel(skins), archive).pixel(0, 20), kMainColor);
        EXPECT_EQ(ReadFileBytes(entries[0]), whole);
    }
}

// The folder stays under its limit; the entries used last stay.
TEST_F(GalleryModelTest, TheCacheKeepsToItsSizeLimit)
{
    constexpr uint64_t kLimit = 400 * 1024;
    PictureCache small(temp / "small", kLimit);
    SkinPicture noise{PictureKind::Picture, QImage(275, 116, QImage::Format_RGB32), {}};
    const auto store = [&](int i) {
        for (int y = 0; y < noise.Image.height(); ++y)
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(noise.Image.scanLine(y)), 275);
        small.store(temp / std::to_string(i), QStringLiteral("1@1"), noise);
    };
    store(0);
    for (int i = 1; i < 40; ++i) {
        store(i);
        ASSERT_TRUE(small.find(temp / "0", QStringLiteral("1@1"))); // shown all along
        uint64_t bytes = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(temp / "small"))
            bytes += entry.file_size();
        EXPECT_LE(bytes, kLimit) << "after " << i;
    }
    EXPECT_FALSE(small.find(temp / "1", QStringLiteral("1@1"), false));
    EXPECT_TRUE(small.find(temp / "39", QStringLiteral("1@1"), false));
}

} // namespace
} // namespace tf
