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

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QLabel>

namespace fs = std::filesystem;

namespace tf::test {
namespace {

void WriteSettings(const WindowFixture& fixture, const std::string& lines)
{
    QFile file(PathToQString(fixture.files.SettingsPath));
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
        QVERIFY2(fixture.prompts.shown().empty(), qPrintable(ShownMessages(fixture.prompts)));
        form.O1Click();
        QCOMPARE(fixture.dialogs.calls.back().initial, QStringLiteral("マイコンピュータ"));
        form.wszW1Click();
        QCOMPARE(fixture.dialogs.calls.back().initial, QStringLiteral("*.wsz"));

        fixture.close();
        const IniFile written = IniFile::Load(fixture.files.SettingsPath);
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
        QVERIFY(gone.prompts.shown().empty());
    }

    void exitRemovesWorkFolderAndStoresExtractedSkinFolder()
    {
        WindowFixture fixture;
        const fs::path archive = fixture.writeSkinArchive("packed.wsz", "Inner");
        TForm1& form = fixture.open();
        form.OpenDropped(PathToQString(archive));
        QVERIFY2(fixture.app().SkinLoaded, qPrintable(ShownMessages(fixture.prompts)));
        QVERIFY(fs::exists(fixture.files.WorkFolder));
        fixture.close();
        QVERIFY(!fs::exists(fixture.files.WorkFolder));
        const IniFile written = IniFile::Load(fixture.files.SettingsPath);
        const QString current = QString::fromStdString(written.readString("SKCNV", "CurrentFolder", ""));
        QCOMPARE(current, PathToQString(fixture.files.WorkFolder / "Skin" / "Inner"));
        QCOMPARE(QString::fromStdString(written.readString("SKCNV", "OpenName", "")), PathToQString(archive));
    }

    void saveItemDisabledUntilALoadAndNeverAfter()
    {
        WindowFixture fixture;
        const fs::path skin = fixture.writeSkin("one");
        TForm1& form = fixture.open();
        QVERIFY(!form.S1->isEnabled());
        form.RunHandler([&] { form.S1Click(); });
        QVERIFY(fixture.dialogs.calls.empty()); // nothing while no skin is loaded
        fixture.dialogs.folders.push_back(PathToQString(skin));
        form.RunHandler([&] { form.O1Click(); });
        QVERIFY(form.S1->isEnabled());
        QCOMPARE(form.windowTitle(), QStringLiteral("Tessaform Convertor 1.0 β6 -one-")); // as a tree click names it
        fixture.dialogs.folders.push_back(PathToQString(fixture.root()));         // no main.bmp
        form.RunHandler([&] { form.O1Click(); });
        QVERIFY(form.S1->isEnabled());
        QCOMPARE(fixture.dialogs.calls.back().initial, PathToQString(skin)); // preselects the last skin
    }

    void designLayoutAndAnchors()
    {
        WindowFixture fixture;
        TForm1& form = fixture.open();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* client = form.centralWidget();
        QCOMPARE(client->size(), QSize(826, 458));
        CheckNoOverlap(form);

        form.resize(form.width() + 100, form.height() + 50);
        QTRY_COMPARE(client->size(), QSize(926, 508));
        QCOMPARE(form.ShellTreeView1->geometry(), QRect(4, 72, 225, 427));
        // The Korvel view switch above the panel, the carried-over line below.
        QCOMPARE(form.KorvelViewSwitch->geometry(), QRect(236, 4, 335, 18));
        QCOMPARE(form.Panel1->geometry(), QRect(236, 24, 435, 457));
        QCOMPARE(form.CarriedOverLabel->geometry(), QRect(236, 483, 435, 16));
        QCOMPARE(form.GroupBox4->geometry(), QRect(678, 360, 241, 89));
        QCOMPARE(form.GroupBox1->geometry(), QRect(4, 4, 225, 61));
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
        QCOMPARE(prompts.shown()[0].caption, kApplicationTitle);
        QVERIFY(prompts.shown()[0].text.contains(QStringLiteral("Start.jpg")));
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

private:
    // Inside every group box the controls lie within the frame and do not
    // run into one another.
    static void CheckNoOverlap(TForm1& form)
    {
        for (QGroupBox* box : form.centralWidget()->findChildren<QGroupBox*>()) {
            const QList<QWidget*> controls = box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
            for (int i = 0; i < controls.size(); ++i) {
                const QRect a = controls[i]->geometry();
                QVERIFY2(box->rect().adjusted(1, 1, -1, -1).contains(a),
                         qPrintable(box->title() + " / " + controls[i]->objectName()));
                for (int j = i + 1; j < controls.size(); ++j)
                    QVERIFY2(!a.intersects(controls[j]->geometry()),
                             qPrintable(box->title() + ": " + controls[i]->objectName() + " / "
                                        + controls[j]->objectName()));
            }
        }
    }
};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::StartupWindowTest)
#include "StartupWindowTest.moc"
