#include "sources/SkinFinder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::TempFolder;

class FindSkinFolderTest : public ::testing::Test {
protected:
    fs::path skin(const std::string& folder, const std::string& fileName = "main.bmp")
    {
        const fs::path path = root / folder;
        fs::create_directories(path);
        std::ofstream(path / fileName) << "BM";
        return path;
    }

    TempFolder temp;
    fs::path root = temp / "Skin";
};

TEST_F(FindSkinFolderTest, ASkinFolderEndsTheDescentIntoIt)
{
    skin("");
    skin("z/deeper");
    EXPECT_EQ(FindSkinFolder(root), root);
}

TEST_F(FindSkinFolderTest, TheLastSkinInNameOrderWins)
{
    const fs::path a = skin("A/x");
    fs::create_directories(root / "B/empty");
    EXPECT_EQ(FindSkinFolder(root), a);

    const fs::path y = skin("A/y", "MAIN.BMP");
    EXPECT_EQ(FindSkinFolder(root), y);

    const fs::path b = skin("B");
    EXPECT_EQ(FindSkinFolder(root), b);
}

TEST_F(FindSkinFolderTest, LeavesOutHiddenFoldersLinksAndFoldersNamedMainBmp)
{
    skin(".hidden");
    fs::create_directories(root / "plain/main.bmp");
    const fs::path elsewhere = temp / "elsewhere";
    fs::create_directories(elsewhere);
    std::ofstream(elsewhere / "main.bmp") << "BM";
    TF_SKIP_ON_WINDOWS("symbolic links");
    fs::create_directory_symlink(elsewhere, root / "link");
    EXPECT_EQ(FindSkinFolder(root), fs::path());
    EXPECT_EQ(FindSkinFolder(temp / "missing"), fs::path());
}

} // namespace
} // namespace tf
