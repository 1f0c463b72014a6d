#include "session/WorkFolder.h"

#include "platform/FileSystem.h"
#include "platform/ProcessAlive.h"
#include "platform/ProcessFolders.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

// The temporary folder of the process, pointed at a test's own for a while.
class TemporaryFolderAt {
public:
    explicit TemporaryFolderAt(const fs::path& folder)
    {
        for (const char* name : kNames) {
            m_saved.push_back(qgetenv(name));
            qputenv(name, PathToQString(folder).toUtf8());
        }
    }
    ~TemporaryFolderAt()
    {
        for (size_t i = 0; i < std::size(kNames); ++i)
            qputenv(kNames[i], m_saved[i]);
    }

private:
    static constexpr const char* kNames[] = {"TMPDIR", "TMP", "TEMP"};
    std::vector<QByteArray> m_saved;
};

// Only folders of exactly the form the converter makes, holding its mark,
// of runs no longer alive, are removed from the temporary folder.
TEST(WorkFolders, OnlyAbandonedFoldersOfOursAreRemoved)
{
    test::TempFolder temp;
    const TemporaryFolderAt tmp(temp.path());
    const std::string dead = "999999999";
    const std::string alive = std::to_string(CurrentProcessId());
    struct Case {
        std::string Name;
        bool Marked;
        bool Removed;
        bool Empty = false;
    };
    const Case cases[] = {
        {"tessaform-" + dead + "-AbCdEf", true, true},
        {"tessaform-" + dead + "-AbCdEf2", true, false}, // not the form
        {"tessaform-" + dead + "-GhIjKl", false, false}, // no mark
        {"tessaform-" + dead + "-YzAbCd", false, true, true}, // killed before its mark
        {"tessaform-2024", false, false},
        {"tessaform-" + dead + "-my-notes", true, false},
        {"tessaform-" + alive + "-MnOpQr", true, false},
    };
    for (const Case& c : cases) {
        fs::create_directories(temp / c.Name);
        if (c.Empty)
            continue;
        fs::create_directories(temp / c.Name / "tmp");
        std::ofstream(temp / c.Name / "notes.txt") << "mine";
        if (c.Marked)
            std::ofstream(temp / c.Name / ".tessaform-work");
    }
    {
        const WorkFolder own; // made as a conversion makes it, and kept while it runs
        EXPECT_TRUE(ProcessFolderOwner(PathToQString(own.path().filename()), QStringLiteral("tessaform-")));
        RemoveAbandonedWorkFolders();
        EXPECT_TRUE(fs::exists(own.path() / ".tessaform-work"));
    }
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(temp / c.Name), !c.Removed) << c.Name;
#ifndef _WIN32
    // A link of that form is not a folder of ours, whatever it points to.
    fs::create_directory_symlink(temp / ("tessaform-" + alive + "-MnOpQr"), temp / ("tessaform-" + dead + "-StUvWx"));
    RemoveAbandonedWorkFolders();
    EXPECT_TRUE(fs::exists(temp / ("tessaform-" + alive + "-MnOpQr") / "notes.txt"));
#endif
}

} // namespace
} // namespace tf
