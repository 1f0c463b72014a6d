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

namespace fs = std::filesystem;

namespace tf::test {

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("saveFailure");
        QTest::newRow("en") << "en"
                            << QStringList{"&File", "&Save", "Settings", "Show EQ", "Korvel view", "Time",
                                           "This is free software.", "Show", "Show", "Shadow", "Transparent"}
                            << "Information: There is no Main.bmp. This may not be a Winamp skin"
                            << "Could not save the skin as %1 (It is a folder).";
        QTest::newRow("ja") << "ja"
                            << QStringList{"ファイル(&F)", "保存(&S)", "設定", "EQを表示する", "Korvel表示", "時間",
                                           "フリーソフトウェアです。", "表示", "表示", "影", "透過"}
                            << "情報: Main.bmpがありません。Winampのスキンでない可能性があります"
                            << "スキンを %1 に保存できませんでした (フォルダです)。";
    }

    void captionsFollowTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, captions);
        QFETCH(QString, message);
        QFETCH(QString, saveFailure);
        InstallTranslations(*QCoreApplication::instance(), *ParseUiLanguage(language));
        WindowFixture fixture;
        TForm1& form = fixture.open();
        TForm2 about(&form);
        // One word for one thing: the time's show box as the others.
        const QStringList shown{form.F1->title(),         form.S1->text(),         form.GroupBox1->title(),
                                form.CheckBox1->text(),   form.KorvelViewSwitch->text(), form.GroupBox2->title(),
                                about.Label2->text(),     form.CheckBox9->text(),  form.CheckBox12->text(),
                                form.CheckBox5->text(),   form.CheckBox4->text()};
        QCOMPARE(shown, captions);
        CheckControlsFit(form);

        const auto archive = fixture.root() / "noskin.wsz";
        ZipWriter(archive).addFile("readme.txt", "no skin here").close();
        form.OpenDropped(PathToQString(archive));
        QCOMPARE(ShownMessages(fixture.Prompts), message);

        // A failed save says what and why in a sentence of the language.
        form.OpenDropped(PathToQString(fixture.writeSkin("said")));
        const fs::path ssf = fixture.root() / "out" / "said.ssf";
        fs::create_directories(ssf.parent_path() / "MainNormal.bmp");
        fixture.Prompts.clear();
        fixture.Dialogs.saveFiles.push_back(PathToQString(ssf));
        form.RunHandler([&] { form.S1Click(); });
        QCOMPARE(fixture.Prompts.shown().back().Text, saveFailure.arg(PathToQString(ssf)));
    }

    void cleanupTestCase() { InstallTranslations(*QCoreApplication::instance(), UiLanguage::Japanese); }
};

} // namespace tf::test

TF_WINDOW_TEST_MAIN(tf::test::LanguageTest)
#include "LanguageTest.moc"
