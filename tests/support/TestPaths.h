#pragma once

// Where tests find the data beside the executables and the real skins of
// ../shared/skins, which a user's clone does not have.

#include <QTemporaryDir>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tf::test {

// The folder of the executables, with the geometry data files.
std::filesystem::path BinFolder();
std::filesystem::path SourceFolder();

// ../shared/skins/<name>, or nothing when the shared folder is absent.
std::optional<std::filesystem::path> SharedSkin(const std::string& archiveName);
std::optional<std::filesystem::path> SharedSkinsFolder();

// A fresh temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    const std::filesystem::path& path() const { return m_path; }
    // name is UTF-8, as on Linux: a std::string becomes a Windows path through
    // the C library's code page otherwise.
    std::filesystem::path operator/(std::string_view name) const;

private:
    QTemporaryDir m_dir;
    std::filesystem::path m_path;
};

} // namespace tf::test

// Skips the current test with a message when the real skins are absent.
#define TF_REQUIRE_SHARED_SKINS()                                                           \
    do {                                                                                    \
        if (!::tf::test::SharedSkinsFolder())                                               \
            GTEST_SKIP() << "../shared/skins is absent; tests on real skins are skipped";   \
    } while (false)

// Windows keeps symbolic links for administrators (and the MinGW library
// cannot make them), and its file names differ in case only as one name:
// the parts of a test that need either stop there.
#ifdef _WIN32
#define TF_SKIP_ON_WINDOWS(why) GTEST_SKIP() << why
#else
#define TF_SKIP_ON_WINDOWS(why) (void)0
#endif
