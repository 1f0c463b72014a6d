#include "platform/DataFolder.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace tf {
namespace {

// Where the data files are (relative to a prefix with bin/ in it) and where
// they must be found.
struct DataLayout {
    const char* Name;
    std::vector<const char*> Holders;
    const char* Expected;
};

TEST(DataFolderTest, BesideTheExecutableFirstThenTheInstalledShareFolder)
{
    const DataLayout layouts[] = {
        {"build folder or Windows zip", {"bin"}, "bin"},
        {"installed copy", {"share/tessaform"}, "share/tessaform"},
        {"both", {"bin", "share/tessaform"}, "bin"},
        {"neither: the error names the executable's folder", {}, "bin"},
    };
    for (const DataLayout& layout : layouts) {
        SCOPED_TRACE(layout.Name);
        test::TempFolder prefix;
        fs::create_directories(prefix.path() / "bin");
        for (const char* holder : layout.Holders) {
            fs::create_directories(prefix.path() / holder);
            std::ofstream(prefix.path() / holder / "btnspos.dat") << "heading\r\n";
        }
        EXPECT_EQ(FindDataFolder(prefix.path() / "bin"), prefix.path() / layout.Expected);
    }
}

// An installed copy keeps to the user's folders; a copy in the build folder
// or an unpacked zip writes beside itself.
TEST(DataFolderTest, InstalledCopiesAreThoseOfThePackageAndOfTheSetupProgram)
{
    struct Layout {
        const char* Name;
        std::vector<const char*> Files; // relative to a prefix with bin/ in it
        bool Installed;
    };
    const Layout layouts[] = {
        {"build folder or unpacked zip", {"bin/btnspos.dat"}, false},
        {"installed package", {"share/tessaform/btnspos.dat"}, true},
        {"setup program's folder, with its uninstaller", {"bin/btnspos.dat", "bin/uninstall.exe"}, true},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.Name);
        test::TempFolder prefix;
        fs::create_directories(prefix.path() / "bin");
        for (const char* file : layout.Files) {
            fs::create_directories((prefix.path() / file).parent_path());
            std::ofstream(prefix.path() / file) << "x";
        }
        EXPECT_EQ(IsInstalledCopy(prefix.path() / "bin"), layout.Installed);
    }
}

} // namespace
} // namespace tf
