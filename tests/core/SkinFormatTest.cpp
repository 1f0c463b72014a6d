// The files a save writes agree with the format's tables: every image is
// one of its image files and named by a definition under its key, every key
// written is known with the form check expects of it, and every strip holds
// the frames the format gives it.
#include "korvel/KorvelDefinition.h"
#include "korvel/SkinFormat.h"
#include "output/SaveSkin.h"

#include "KorvelTestSupport.h"
#include "support/SessionFixture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace tf {
namespace {

struct FormatCase {
    const char* Name;
    bool ShowEqualizer;
    bool EqualizerOnTop;
    bool ShowDisplays; // time, analyzer, seek bar, song information
};

const ssf::ImageFile* ImageFileNamed(const std::string& name)
{
    for (const ssf::ImageFile* file : ssf::kImageFiles)
        if (file->Name == name)
            return file;
    return nullptr;
}

std::optional<ssf::ValueForm> KnownForm(const std::string& key)
{
    for (const ssf::KeyForm& known : ssf::KnownKeys())
        if (known.Key == key)
            return known.Form;
    return std::nullopt;
}

TEST(SkinFormat, WrittenFilesAgreeWithTheFormat)
{
    const FormatCase cases[] = {
        {"equalizer below", true, false, true},
        {"equalizer on top", true, true, true},
        {"no equalizer, displays hidden", false, false, false},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.Name);
        test::SessionFixture fixture;
        fixture.load(test::SampleSkinFolder());
        SkinSession& session = fixture.Session;
        session.Editor.ShowEqualizer = c.ShowEqualizer;
        session.Editor.EqualizerOnTop = c.EqualizerOnTop;
        for (bool* shown : {&session.State.ShowTime, &session.State.ShowAnalyzer, &session.State.ShowSeekBar,
                            &session.State.ShowScrollText})
            *shown = c.ShowDisplays;

        std::vector<KorvelDefinition> definitions;
        std::map<std::string, QImage> images;
        for (const NamedFile& file : BuildSkinFiles(session, "skin.ssf")) {
            if (file.Name.ends_with(ssf::kDefinitionExtension))
                definitions.push_back(KorvelDefinition::Parse(file.Bytes.toStdString()));
            else
                images[file.Name] = QImage::fromData(file.Bytes);
        }
        ASSERT_EQ(definitions.size(), c.ShowEqualizer ? 2u : 1u);

        for (const auto& [name, image] : images) {
            const ssf::ImageFile* file = ImageFileNamed(name);
            ASSERT_NE(file, nullptr) << name << " is not an image file of the format";
            const bool named = std::any_of(definitions.begin(), definitions.end(), [&](const KorvelDefinition& d) {
                const auto lines = d.findAll(file->Key);
                return std::any_of(lines.begin(), lines.end(), [&](const DefinitionLine* l) { return l->Text == name; });
            });
            EXPECT_TRUE(named) << name << " is written but no " << file->Key << " line names it";
        }
        for (const KorvelDefinition& definition : definitions) {
            for (const DefinitionLine& line : definition.lines()) {
                const auto form = KnownForm(line.Key);
                ASSERT_TRUE(form) << line.Key << " is written but not a known key";
                EXPECT_EQ(ssf::FormOf(line.Key).value_or(ssf::ValueForm::Text), *form) << line.Key;
            }
            for (const ssf::Strip* strip : ssf::kStrips) {
                const auto name = definition.text(strip->BitmapKey);
                if (!name)
                    continue;
                const QImage& image = images[*name];
                EXPECT_EQ(image.width(), definition.integer(strip->SizeKey, 0).value_or(0) * strip->Frames) << *name;
                EXPECT_EQ(image.height(), definition.integer(strip->SizeKey, 1).value_or(0)) << *name;
            }
        }
    }
}

} // namespace
} // namespace tf
