// Every file a conversion writes, for the bundled sample and every shared
// skin under a few option sets, compared with digests taken from a trusted
// build: a change that means to alter no output proves it here, and one that
// does names each file it alters.
//
// After an intended change of output, write the digests anew with
//   TESSAFORM_WRITE_DIGESTS=1 build/bin/core_tests --gtest_filter='ConvertedDigests.*'
// and say in the commit why the files changed.

#include "platform/FileSystem.h"
#include "session/ConvertSkin.h"
#include "support/TestPaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace tf {
namespace {

struct OptionSet {
    const char* Name;
    ConversionOptions Options;
};

ConversionOptions EqualizerOnTopWithAWiderPlaylist()
{
    ConversionOptions options;
    options.EqualizerOnTop = true;
    options.PlaylistWidthSteps = 3;
    options.PlaylistHeightSteps = 2;
    options.HideTime = true;
    options.HideSeekBar = true;
    return options;
}

ConversionOptions MainWindowAlone()
{
    ConversionOptions options;
    options.ShowEqualizer = false;
    options.HideAnalyzer = true;
    options.HideSongTitle = true;
    options.HideInfo = true;
    return options;
}

const OptionSet kOptionSets[] = {
    {"defaults", {}},
    {"eq-on-top", EqualizerOnTopWithAWiderPlaylist()},
    {"main-alone", MainWindowAlone()},
};

std::string Utf8(const fs::path& path) { return PathToQString(path).toStdString(); }

// name of the skin -> its source: the sample folder and every shared archive.
std::map<std::string, fs::path> Sources()
{
    std::map<std::string, fs::path> sources{{"sample", test::BinFolder() / "sample"}};
    const auto shared = test::SharedSkinsFolder();
    for (const fs::path& folder : {*shared, *shared / "corpus"})
        for (const fs::directory_entry& file : ListFolderSorted(folder))
            if (file.path().extension() == ".wsz")
                // With "/" on every system, as the stored digests name them.
                sources[Utf8(fs::path(file.path().lexically_relative(*shared).generic_u8string()))] = file.path();
    return sources;
}

std::string Digest(const fs::path& file)
{
    QFile in(PathToQString(file));
    if (!in.open(QIODevice::ReadOnly))
        return "unreadable";
    return QCryptographicHash::hash(in.readAll(), QCryptographicHash::Sha256).toHex().left(24).toStdString();
}

// "option-set skin file digest" lines, sorted.
std::string DigestLines()
{
    std::ostringstream lines;
    const test::TempFolder out;
    int count = 0;
    for (const OptionSet& set : kOptionSets) {
        for (const auto& [name, source] : Sources()) {
            const fs::path folder = out / std::to_string(++count);
            const ConversionResult result = ConvertSkin(test::BinFolder(), {source, folder / "skin.ssf"}, set.Options);
            if (!result.Converted) {
                lines << set.Name << ' ' << name << " failed\n";
                continue;
            }
            for (const fs::directory_entry& file : ListFolderSorted(folder))
                lines << set.Name << ' ' << name << ' ' << Utf8(file.path().filename()) << ' '
                      << Digest(file.path()) << '\n';
        }
    }
    return lines.str();
}

std::map<std::string, std::string> ByFile(const std::string& text)
{
    std::map<std::string, std::string> digests;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const size_t last = line.rfind(' ');
        digests[line.substr(0, last)] = line.substr(last + 1);
    }
    return digests;
}

TEST(ConvertedDigests, EveryOutputFileIsAsBefore)
{
    TF_REQUIRE_SHARED_SKINS();
    const fs::path stored = test::SourceFolder() / "tests" / "data" / "converted-digests.txt";
    const std::string now = DigestLines();
    if (qEnvironmentVariableIsSet("TESSAFORM_WRITE_DIGESTS")) {
        std::ofstream(stored, std::ios::binary) << now;
        GTEST_SKIP() << "digests written to " << Utf8(stored);
    }
    std::ifstream in(stored, std::ios::binary);
    ASSERT_TRUE(in) << Utf8(stored);
    const auto before = ByFile(std::string(std::istreambuf_iterator<char>(in), {}));
    const auto after = ByFile(now);
    for (const auto& [file, digest] : before) {
        const auto found = after.find(file);
        EXPECT_TRUE(found != after.end()) << file << " is no longer written";
        if (found != after.end()) {
            EXPECT_EQ(found->second, digest) << file << " changed";
        }
    }
    for (const auto& [file, digest] : after)
        EXPECT_TRUE(before.count(file)) << file << " is new";
}

} // namespace
} // namespace tf
