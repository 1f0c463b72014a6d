// Start-up and exit of the main window, the settings it restores and
// writes, its layout, menu, splash and About box.

#include "WindowFixture.h"
#include "support/ScriptedPrompts.h"

#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/ShiftJis.h"
#include "window/AboutBox.h"
#include "window/DisplayControls.h"
#include "window/SkinTreeView.h"
#include "window/SplashWindow.h"
#include "window/WindowPlacement.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QLabel>
#include <QScopeGuard>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>

namespace fs = std::filesystem;

namespace tf::test {
namespace {

void WriteSettings(const WindowFixture& fixture, const std::string& lines)
{
    QFile file(PathToQString(fixture.Files.SettingsPath));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const std::string text = "[SKCNV]\r\n" + lines;
    file.write(text.data(), qint64(text.size()));
}

} // namespace

// Receives the About box's link instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class StartupWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartWithoutSettingsFile()
    {
        WindowFixture fixture;
        TForm1& form = fixture.open();
        QCOMPARE(form.windowTitle(), QStringLiteral("Tessaform Convertor 1.0 β6"));
        QCOMPARE(fixture.app().OpenName, QStringLiteral("*.wsz"));
        QCOMPARE(fixture.app().SaveName, QStringLiteral("*.ssf"));
        QVERIFY(!form.S1->isEnabled());
        QVERIFY(form.ShellTreeView1->path().isEmpty());
        QVERIFY2(fixture.Prompts.shown().empty(), qPrintable(ShownMessages(fixture.Prompts)));
        form.O1Click();
        QCOMPARE(fixture.Dialogs.calls.back().Initial, QStringLiteral("マイコンピュータ"));
        form.wszW1Click();
        QCOMPARE(fixture.Dialogs.calls.back().Initial, QStringLiteral("*.wsz"));

        fixture.close();
        const IniFile written = IniFile::Load(fixture.Files.SettingsPath);
        QCOMPARE(DecodeCp932(written.readString("SKCNV", "CurrentFolder", "")), QStringLiteral("マイコンピュータ"));
        QCOMPARE(written.readString("SKCNV", "OpenName", "-"), std::string("*.wsz"));
        QCOMPARE(written.readString("SKCNV", "SaveName", "-"), std::string("*.ssf"));
        QCOMPARE(written.readString("SKCNV", "TreeViewPath", "-"), std::string());
    }

    void restoresFolderPartOfStoredNames_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("openName");
        QTest::newRow("full archive path") << "/data/skins/base.wsz" << "/data/skins/*.wsz";
        QTest::newRow("bare file name") << "base.wsz" << "*.wsz";
    }
    void restoresFolderPartOfStoredNames()
    {
        QFETCH(QString, stored);
        QFETCH(QString, openName);
        WindowFixture fixture;
        WriteSettings(fixture, "OpenName=" + stored.toStdString() + "\r\nSaveName=/out/x.ssf\r\n");
        fixture.open();
        QCOMPARE(fixture.app().OpenName, openName);
        QCOMPARE(fixture.app().SaveName, QStringLiteral("/out/*.ssf"));
    }

    void treeViewPathSelectedWhenItExistsIgnoredWhenNot()
    {
        WindowFixture fixture;
        const fs::path skin = fixture.writeSkin("kept");
        WriteSettings(fixture, "TreeViewPath=" + skin.string() + "\r\n");
        TForm1& form = fixture.open();
        QCOMPARE(form.ShellTreeView1->path(), PathToQString(skin));
        QVERIFY(form.ShellTreeView1->isExpanded(form.ShellTreeView1->selectedItem().parent()));

        WindowFixture gone;
        WriteSettings(gone, "TreeViewPath=" + (gone.root() / "removed").string() + "\r\n");
        TForm1& second = gone.open();
        QVERIFY(second.ShellTreeView1->path().isEmpty());
        QVERIFY(gone.Prompts.shown().empty());
    }

    void exitRemovesItsFolderAndRemembersWhereTheArchiveCameFrom()
    {
        WindowFixture fixture;
        const fs::path archive = fixture.writeSkinArchive("packed.wsz", "Inner");
        TForm1& form = fixture.open();
        form.OpenDropped(PathToQString(archive));
        QVERIFY2(fixture.app().SkinLoaded, qPrintable(ShownMessages(fixture.Prompts)));
        QVERIFY(fs::exists(form.shownSkinFolder() / "Skin" / "Inner" / "main.bmp"));
        // 開く starts where the archive was chosen, not in the unpacked copy.
        form.O1Click();
        QCOMPARE(fixture.Dialogs.calls.back().Initial, PathToQString(archive.parent_path()));
        fixture.close();
        QVERIFY(!fs::exists(fixture.Files.WorkFolder));
        const IniFile written = IniFile::Load(fixture.Files.SettingsPath);
        const QString current = QString::fromStdString(written.readString("SKCNV", "CurrentFolder", ""));
        QCOMPARE(current, PathToQString(archive.parent_path()));
        QCOMPARE(QString::fromStdString(written.readString("SKCNV", "OpenName", "")), PathToQString(archive));
    }

    // A first start shows the home folder's contents; later starts the
    // remembered item, however deep it lies.
    void firstViewShowsHomeThenTheRememberedItem()
    {
        WindowFixture fixture;
        const fs::path home = fixture.root() / "home";
        const fs::path inHome = home / "Skin at home";
        fs::create_directories(inHome);
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", home.string().c_str());
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", realHome); });
        const fs::path deep = fixture.root() / "a" / "b" / "c" / "d" / "e" / "f" / "g" / "kept";
        fs::create_directories(deep);
        for (int i = 0; i < 40; ++i)
            fs::create_directories(fixture.root() / "a" / ("filler " + std::to_string(i)));
        const auto inView = [](SkinTreeView& tree, const fs::path& path) {
            const QRect item = tree.visualRect(tree.indexOfPath(PathToQString(path)));
            return item.isValid() && tree.viewport()->rect().contains(QRect(item.topLeft(), QSize(24, item.height())));
        };
        TForm1* first = fixture.openShown();
        QVERIFY(first);
        QTRY_VERIFY(inView(*first->ShellTreeView1, inHome));
        QVERIFY(first->ShellTreeView1->path().isEmpty());
        first->ShellTreeView1->setPath(PathToQString(deep));
        fixture.close();

        TForm1* second = fixture.openShown();
        QVERIFY(second);
        QTRY_VERIFY(inView(*second->ShellTreeView1, deep));
        QCOMPARE(second->ShellTreeView1->path(), PathToQString(deep));
    }

    // The splitter's place and the window's geometry come back next time.
    void layoutIsRemembered()
    {
        WindowFixture fixture;
        TForm1* form = fixture.openShown();
        QVERIFY(form);
        QVERIFY(form->TreeSplitter->handle(1)->isVisible());
        form->setGeometry(100, 80, 1000, 560);
        QTRY_COMPARE(form->clientArea()->width(), 1000);
        form->TreeSplitter->setSizes({4 + 300, 2000});
        QTRY_COMPARE(form->ShellTreeView1->width(), 300);
        const QRect geometry = form->geometry();
        fixture.close();
        QCOMPARE(IniFile::Load(fixture.Files.SettingsPath).readString("SKCNV", "TreeWidth", ""), std::string("300"));
        form = fixture.openShown();
        QVERIFY(form);
        QTRY_COMPARE(form->ShellTreeView1->width(), 300);
        QCOMPARE(form->geometry(), geometry);
    }

    // The whole frame on the available area: the design's place where it
    // fits, else centred, no larger than the area.
    void placementKeepsTheFrameOnScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("placed");
        const QRect design(269, 192, 842, 546);
        QTest::newRow("100 %, 1600 x 1000") << QRect(0, 0, 1600, 960) << design;
        QTest::newRow("150 %, 1600 x 1000") << QRect(0, 0, 1067, 640) << QRect(112, 47, 842, 546);
        QTest::newRow("200 %, 1600 x 1000") << QRect(0, 0, 800, 480) << QRect(0, 0, 800, 480);
        QTest::newRow("second screen") << QRect(1600, 0, 1280, 800) << QRect(1819, 127, 842, 546);
    }
    void placementKeepsTheFrameOnScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, placed);
        QCOMPARE(PlaceWindowFrame(QRect(269, 192, 842, 546), available), placed);
    }

    // Run again by the build at 150 % and 200 % on a small screen.
    void windowStaysOnTheScreen()
    {
        WindowFixture fixture;
        TForm1* form = fixture.openShown();
        QVERIFY(form);
        QTRY_VERIFY(form->screen()->availableGeometry().contains(form->frameGeometry()));
    }

    void saveItemDisabledUntilALoadAndNeverAfter()
    {
        WindowFixture fixture;
        const fs::path skin = fixture.writeSkin("one");
        TForm1& form = fixture.open();
        QVERIFY(!form.S1->isEnabled());
        form.RunHandler([&] { form.S1Click(); });
        QVERIFY(fixture.Dialogs.calls.empty()); // nothing while no skin is loaded
        fixture.Dialogs.folders.push_back(PathToQString(skin));
        form.RunHandler([&] { form.O1Click(); });
        QVERIFY(form.S1->isEnabled());
        QCOMPARE(form.windowTitle(), QStringLiteral("Tessaform Convertor 1.0 β6 -one-")); // as a tree click names it
        fixture.Dialogs.folders.push_back(PathToQString(fixture.root()));         // no main.bmp
        form.RunHandler([&] { form.O1Click(); });
        QVERIFY(form.S1->isEnabled());
        QCOMPARE(fixture.Dialogs.calls.back().Initial, PathToQString(skin)); // preselects the last skin
    }

    void designLayoutAndAnchors()
    {
        WindowFixture fixture;
        TForm1& form = fixture.open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* client = form.clientArea();
        QCOMPARE(client->size(), QSize(826, 458));
        CheckControlsFit(form);

        form.resize(form.width() + 100, form.height() + 50);
        QTRY_COMPARE(client->size(), QSize(926, 508));
        const auto inClient = [client](QWidget* control) {
            return QRect(control->mapTo(client, QPoint(0, 0)), control->size());
        };
        QCOMPARE(inClient(form.ShellTreeView1), QRect(4, 72, 225, 427));
        // The Korvel view switch above the panel; the carried-over parts in
        // the status bar.
        QCOMPARE(inClient(form.KorvelViewSwitch), QRect(236, 4, 335, 18));
        QCOMPARE(inClient(form.Panel1), QRect(236, 24, 435, 475));
        QCOMPARE(form.CarriedOverLabel->parentWidget(), form.statusBar());
        QCOMPARE(inClient(form.GroupBox4), QRect(678, 360, 241, 89));
        QCOMPARE(inClient(form.GroupBox1), QRect(4, 4, 225, 61));
    }

    void firstSightInJapanese()
    {
        WindowFixture fixture;
        TForm1& form = fixture.open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.PreviewHint->isVisible());
        QCOMPARE(form.PreviewHint->text(),
                 QStringLiteral("左のツリーでスキンを選ぶか、フォルダや .wsz をここにドロップしてください"));
        QVERIFY(!form.KorvelViewSwitch->isChecked());
        for (QLineEdit* edit : {form.Edit4, form.Edit1})
            QCOMPARE(edit->palette().color(QPalette::Base), edit->palette().color(QPalette::Window));
        // Qt's own dialogs and buttons read Japanese.
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));

        form.OpenDropped(PathToQString(fixture.writeSkin("seen")));
        QVERIFY(!form.PreviewHint->isVisible());
        QCOMPARE(form.Edit4->cursorPosition(), 0); // the start of the name shows
    }

    void splashWithoutPictureKeepsDesignSize()
    {
        ScriptedPrompts prompts;
        const TempFolder empty;
        TForm3 splash(empty.path(), prompts);
        QCOMPARE(splash.size(), QSize(322, 185));
        QCOMPARE(splash.Label1->text(), QStringLiteral("Version 1.0β6"));
        QCOMPARE(prompts.shown().size(), size_t(1));
        QCOMPARE(prompts.shown()[0].Caption, kApplicationTitle);
        QVERIFY(prompts.shown()[0].Text.contains(QStringLiteral("Start.jpg")));
    }

    void splashTakesItsPictureSizeWithLabelAnchoredRight()
    {
        ScriptedPrompts prompts;
        const TempFolder folder;
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QVERIFY(picture.save(PathToQString(folder / "Start.jpg"), "JPEG"));
        TForm3 splash(folder.path(), prompts);
        QVERIFY(prompts.shown().empty());
        QCOMPARE(splash.size(), QSize(400, 200));
        QCOMPARE(splash.Label1->pos(), QPoint(228 + 78, 108));
    }

    void linkLabelLightsUpAndOpensItsAddress()
    {
        TURLLabel link;
        link.setText(TForm2::kAddress);
        link.setFontColor(Qt::black);
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&link, &enter);
        QCOMPARE(link.fontColor(), QColor(0, 255, 255));
        QTest::mousePress(&link, Qt::LeftButton);
        QCOMPARE(link.fontColor(), QColor(255, 0, 0));
        QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(-5, -5)); // released outside
        QCOMPARE(link.fontColor(), QColor(Qt::black));

        TForm2 about;
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        QTest::mouseClick(about.URLLabel1, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(TForm2::kAddress)});
        about.show();
        QTest::mouseClick(about.Button1, Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }

};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::StartupWindowTest)
#include "StartupWindowTest.moc"
