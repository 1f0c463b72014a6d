// The window in either language: captions of each kind, and a message that
// comes from the libraries below it.

#include "WindowFixture.h"

#include "platform/FileSystem.h"
#include "session/Language.h"
#include "support/ZipWriter.h"
#include "window/AboutBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

namespace tf::test {

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("message");
        QTest::newRow("en") << "en"
                            << QStringList{"&File", "&Save", "Settings", "Show EQ", "Korvel view", "Time",
                                           "This is free software."}
                            << "Information: There is no Main.bmp. This may not be a Winamp skin";
        QTest::newRow("ja") << "ja"
                            << QStringList{"ファイル(&F)", "保存(&S)", "設定", "EQを表示する", "Korvel表示", "時間",
                                           "フリーソフトウェアです。"}
                            << "情報: Main.bmpがありません。Winampのスキンでない可能性があります";
    }

    void captionsFollowTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, captions);
        QFETCH(QString, message);
        InstallTranslations(*QCoreApplication::instance(), *ParseUiLanguage(language));
        WindowFixture fixture;
        TForm1& form = fixture.open();
        TForm2 about(&form);
        const QStringList shown{form.F1->title(), form.S1->text(), form.GroupBox1->title(), form.CheckBox1->text(),
                                form.KorvelViewSwitch->text(), form.GroupBox2->title(), about.Label2->text()};
        QCOMPARE(shown, captions);

        const auto archive = fixture.root() / "noskin.wsz";
        ZipWriter(archive).addFile("readme.txt", "no skin here").close();
        form.OpenDropped(PathToQString(archive));
        QCOMPARE(ShownMessages(fixture.prompts), message);
    }

    void cleanupTestCase() { InstallTranslations(*QCoreApplication::instance(), UiLanguage::Japanese); }
};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::LanguageTest)
#include "LanguageTest.moc"
