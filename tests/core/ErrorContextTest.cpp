#include "platform/Errors.h"

#include <QDir>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {
namespace {

QString Native(const char* path) { return QDir::toNativeSeparators(QString::fromUtf8(path)); }

// Files below the private folder are the archive's members; any other path,
// a sibling whose name merely starts like the folder's included, is shown as
// it stands.
TEST(ShownPaths, NameTheArchivesMembersAndNothingElse)
{
    const ShownPaths names(fs::path("/work/Skin"), fs::path("/skins/base.wsz"));
    const struct {
        const char* Path;
        QString Shown;
    } cases[] = {
        {"/work/Skin/main.bmp", QStringLiteral("base.wsz の main.bmp")},
        {"/work/Skin/Sub/pledit.bmp", QStringLiteral("base.wsz の ") + Native("Sub/pledit.bmp")},
        {"/work/Skin", QStringLiteral("base.wsz")},
        {"/work/Skin2/main.bmp", Native("/work/Skin2/main.bmp")},
        {"/data/sample/main.bmp", Native("/data/sample/main.bmp")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(names(fs::path(c.Path)), c.Shown) << c.Path;
        EXPECT_EQ(ShownPaths()(fs::path(c.Path)), Native(c.Path)) << c.Path;
    }
}

// The file and line an error met are kept as data and named only when the
// error is shown, in the way of the edge that shows it.
TEST(AppError, ContextIsKeptAsDataAndNamedWhereShown)
{
    const fs::path viscolor = "/work/Skin/viscolor.txt";
    const fs::path step = "/work/Skin/pledit.bmp";
    AppError failure(ErrorKind::Other, QString());
    try {
        ThrowConversionError("x");
    } catch (const AppError& error) {
        failure = error.atLine(viscolor, 3).inFile(step);
    }
    EXPECT_EQ(failure.kind(), ErrorKind::Conversion);
    EXPECT_TRUE(failure.names(viscolor));
    EXPECT_TRUE(failure.names(step));
    EXPECT_FALSE(failure.names("/work/Skin/main.bmp"));
    EXPECT_EQ(failure.file(), step);
    EXPECT_EQ(failure.message(ShownPaths(fs::path("/work/Skin"), fs::path("/skins/base.wsz"))),
              QStringLiteral("base.wsz の pledit.bmp: base.wsz の viscolor.txt (3 行目): 'x' は整数ではありません"));
    EXPECT_EQ(failure.message(), Native("/work/Skin/pledit.bmp") + QStringLiteral(": ") + Native("/work/Skin/viscolor.txt")
                                     + QStringLiteral(" (3 行目): 'x' は整数ではありません"));
}

} // namespace
} // namespace tf
