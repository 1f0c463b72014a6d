// Every skin this program converts reads back exactly as written and passes
// the checker.
#include "korvel/KorvelDefinition.h"
#include "korvel/SkinCheck.h"

#include "KorvelTestSupport.h"
#include "platform/TextFile.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;

namespace tf {
namespace {

void ExpectReadsBackAsWritten(const fs::path& ssfPath)
{
    SCOPED_TRACE(ssfPath.string());
    const std::string bytes = ReadFileBytes(ssfPath);
    const KorvelDefinition definition = KorvelDefinition::Load(ssfPath);
    std::map<int, const DefinitionLine*> byNumber;
    for (const DefinitionLine& line : definition.lines())
        byNumber[line.Number] = &line;

    int number = 0;
    size_t keyLines = 0;
    for (const std::string& written : SplitLines(bytes)) {
        ++number;
        if (written.empty() || written.front() == '#')
            continue;
        ++keyLines;
        ASSERT_TRUE(byNumber.count(number)) << "line " << number << ": " << written;
        const DefinitionLine& read = *byNumber[number];
        const std::string joined = written.find(' ') == std::string::npos ? read.Key : read.Key + ' ' + read.Text;
        EXPECT_EQ(joined, written) << "line " << number;
    }
    EXPECT_EQ(definition.lines().size(), keyLines);
}

class KorvelConvertedSkin : public ::testing::TestWithParam<fs::path> {};

TEST_P(KorvelConvertedSkin, ReadsBackAsWrittenAndPassesTheCheck)
{
    const test::TempFolder out;
    const fs::path ssf = out / "Converted Skin.ssf";
    ASSERT_TRUE(test::ConvertToKorvel(GetParam(), ssf));
    for (const fs::path& file : {ssf, out / "Converted Skin_EQ.ssf"}) {
        ExpectReadsBackAsWritten(file);
        const auto findings = CheckKorvelSkin(file);
        EXPECT_FALSE(HasProblems(findings));
        for (const CheckFinding& finding : findings)
            if (finding.Severity == Severity::Problem)
                ADD_FAILURE() << finding.toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, KorvelConvertedSkin, ::testing::ValuesIn(test::SkinsToConvert()),
                         [](const auto& info) { return test::TestNameOf(info.param); });

} // namespace
} // namespace tf
