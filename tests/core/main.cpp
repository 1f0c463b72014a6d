// Core tests run on a Gui application (fonts and text drawing need one) on
// the offscreen platform, so they need no display.
#include "platform/Fonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication application(argc, argv);
    tf::InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}
