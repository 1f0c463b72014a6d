#include "KorvelTestSupport.h"

#include "platform/FileSystem.h"
#include "session/ConvertSkin.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <cctype>

namespace fs = std::filesystem;

namespace tf::test {

bool ConvertToKorvel(const fs::path& source, const fs::path& ssfPath, bool showEqualizer)
{
    ConversionOptions options;
    options.ShowEqualizer = showEqualizer;
    const ConversionResult result = ConvertSkin(BinFolder(), {source, ssfPath}, options);
    if (!result.Converted)
        ADD_FAILURE() << source << ": " << result.Error.toStdString();
    return result.Converted;
}

fs::path SampleSkinFolder() { return BinFolder() / "sample"; }

std::vector<fs::path> SkinsToConvert()
{
    std::vector<fs::path> skins = {SampleSkinFolder()};
    if (const auto shared = SharedSkinsFolder())
        for (const fs::directory_entry& entry : ListFolderSorted(*shared))
            if (entry.path().extension() == ".wsz")
                skins.push_back(entry.path());
    return skins;
}

std::string TestNameOf(const fs::path& skin)
{
    std::string name = skin.stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

} // namespace tf::test
