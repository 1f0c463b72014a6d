// The main window with Winamp's base skin loaded, saved beside the tests
// (bin/screenshot.png) to be looked at; the picture of the documentation is
// made by tools/make-screenshot. Runs under a real X server (xvfb-run) so
// that the fonts and the style are the ones a user sees.

#include "WindowFixture.h"

#include "platform/FileSystem.h"
#include "window/SkinTreeView.h"

#include <QImage>
#include <QTreeView>

namespace fs = std::filesystem;

namespace tf::test {

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void savesMainWindowWithBaseSkin()
    {
        const auto archive = SharedSkin("base-2.91.wsz");
        if (!archive)
            QSKIP("../shared/skins is absent; the screenshot needs base-2.91.wsz");
        WindowFixture fixture;
        TForm1& form = fixture.open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, 30000)); // under Wine it can take longer than 5 s
        // Opened from the tree, as a user would.
        SkinTreeView& tree = *form.ShellTreeView1;
        QVERIFY(tree.setPath(PathToQString(*archive)));
        const QPersistentModelIndex item = tree.selectedItem();
        QVERIFY(QTest::qWaitFor([&] {
            tree.scrollTo(item);
            const QRect shown = tree.visualRect(item);
            return tree.viewport()->rect().contains(QRect(shown.topLeft(), QSize(24, shown.height())));
        }));
        form.ShellTreeView1Click(tree.visualRect(item).topLeft() + QPoint(12, 4));
        QVERIFY2(fixture.app().SkinLoaded, qPrintable(ShownMessages(fixture.Prompts)));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tessaform Convertor 1.0 β6 -base-2.91.wsz-"));
        QTest::qWait(300); // the tree fills in from its background listing

        const QImage shot = form.grab().toImage();
        QCOMPARE(shot.size(), form.size());
        const fs::path target = BinFolder() / "screenshot.png";
        QVERIFY(shot.save(PathToQString(target), "PNG"));

    }
};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::ScreenshotTest)
#include "ScreenshotTest.moc"
