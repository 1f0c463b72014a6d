// What is saved is what is shown: a failed open keeps the skin on screen
// with its files, two windows keep apart, a large archive unpacks while the
// window paints, and a save says what it did and remembers only that.

#include "WindowFixture.h"

#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "support/ZipWriter.h"
#include "window/DisplayControls.h"

#include <QDir>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace tf::test {
namespace {

const QString kCaption = QStringLiteral("Tessaform Convertor 1.0 β6");

// A pixel of a digit cell of the time strip: the digits' own colour.
QColor DigitColor(const QImage& strip)
{
    return strip.isNull() ? QColor() : strip.pixelColor(1, 1);
}

QImage Rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QString SavedSaveName(const WindowFixture& fixture)
{
    return QString::fromStdString(IniFile::Load(fixture.Files.SettingsPath).readString("SKCNV", "SaveName", "-"));
}

} // namespace

// The other window of twoWindowsKeepTheirOwnSkins, in a process of its own:
// --second-window WORK ARCHIVE opens the archive, says "loaded", and closes
// when its standard input ends.
int RunSecondWindow(int argc, char** argv)
{
    QApplication application(argc, argv);
    const TempFolder own;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    bool loaded = false;
    {
        // Arguments as Qt reads them: argv holds them in the system's code page.
        const QStringList arguments = QCoreApplication::arguments();
        TForm1 form(WindowFiles{BinFolder() / "tessaform", own / "second.ini", QStringToPath(arguments.at(2))}, prompts,
                    dialogs);
        form.OpenDropped(arguments.at(3));
        loaded = form.app().SkinLoaded;
        std::printf("%s\n", loaded ? "loaded" : "failed");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
    }
    return loaded ? 0 : 1;
}

class OpenAndSaveTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(StartShown(m_fixture, m_form)); }
    void cleanup() { m_fixture.reset(); }

    void failedOpenKeepsTheShownSkinWhole_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::newRow("damaged archive") << "damaged.wsz";
        QTest::newRow("no archive, through all files") << "notes.txt";
    }
    void failedOpenKeepsTheShownSkinWhole()
    {
        QFETCH(QString, bad);
        const fs::path good = m_fixture->writeSkinArchive("good.wsz", {}, [](SkinFixture& skin) { PaintDigits(skin, Qt::red); });
        const fs::path failing = m_fixture->root() / QStringToPath(bad);
        fs::copy_file(good, failing);
        fs::resize_file(failing, 100); // what a broken download leaves
        m_form->OpenDropped(PathToQString(good));
        QVERIFY2(m_fixture->app().SkinLoaded, qPrintable(ShownMessages(m_fixture->Prompts)));
        const fs::path shown = m_form->shownSkinFolder();

        m_fixture->Dialogs.openFiles.push_back(PathToQString(failing));
        m_form->RunHandler([&] { m_form->wszW1Click(); });
        QVERIFY(!m_fixture->Prompts.shown().empty()); // the failure is said
        QCOMPARE(m_form->windowTitle(), kCaption + " -good.wsz-");
        QCOMPARE(m_form->shownSkinFolder(), shown);

        // What re-reads the skin's files still finds them: a new time font
        // size draws the skin's own digits, and the save writes that strip.
        const QImage before = m_form->Image3->picture();
        m_form->Edit2->setValue(12);
        QVERIFY(m_form->Image3->picture() != before);
        QCOMPARE(DigitColor(m_form->Image3->picture()), QColor(Qt::red));
        const fs::path out = m_fixture->root() / "out" / "good.ssf";
        m_fixture->Dialogs.saveFiles.push_back(PathToQString(out));
        m_form->RunHandler([&] { m_form->S1Click(); });
        QCOMPARE(Rgb(QImage(PathToQString(out.parent_path() / "Numbers.bmp"))), Rgb(m_form->Image3->picture()));
    }

    void twoWindowsKeepTheirOwnSkins()
    {
        const fs::path mine = m_fixture->writeSkinArchive("mine.wsz", {}, [](SkinFixture& skin) { PaintDigits(skin, Qt::red); });
        const fs::path theirs = m_fixture->writeSkinArchive("theirs.wsz", {}, [](SkinFixture& skin) { PaintDigits(skin, Qt::green); });
        m_form->OpenDropped(PathToQString(mine));
        QVERIFY(m_fixture->app().SkinLoaded);

        QProcess other;
        other.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--second-window"), PathToQString(m_fixture->Files.WorkFolder), PathToQString(theirs)});
        QVERIFY(other.waitForReadyRead(60000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("loaded"));

        // This window's next change and save are its own, while the other
        // runs and after it has closed.
        m_form->Edit2->setValue(11);
        QCOMPARE(DigitColor(m_form->Image3->picture()), QColor(Qt::red));
        other.closeWriteChannel();
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(other.exitCode(), 0);
        m_form->Edit2->setValue(10);
        const fs::path out = m_fixture->root() / "out" / "mine.ssf";
        m_fixture->Dialogs.saveFiles.push_back(PathToQString(out));
        m_form->RunHandler([&] { m_form->S1Click(); });
        QCOMPARE(DigitColor(QImage(PathToQString(out.parent_path() / "Numbers.bmp"))), QColor(Qt::red));

        // A window that starts removes what windows no longer running left.
        const fs::path abandoned = m_fixture->Files.WorkFolder / "999999999-AbCd12";
        fs::create_directories(abandoned / "1" / "Skin");
        std::ofstream(abandoned / ".tessaform-work"); // the mark every such folder holds
        TForm1 later(m_fixture->Files, m_fixture->Prompts, m_fixture->Dialogs);
        QVERIFY(!fs::exists(abandoned));
        QVERIFY(fs::exists(m_form->shownSkinFolder() / "Skin" / "main.bmp"));
    }

    void largeArchiveUnpacksWhileTheWindowPaints()
    {
        const fs::path archive = m_fixture->root() / "large.wsz";
        {
            const fs::path skin = m_fixture->writeSkin("large");
            // A warning comes up during the load.
            SkinFixture(skin).writeText("pledit.txt", "[Text]\r\nNormal=#zz0000\r\n");
            ZipWriter zip(archive);
            for (const fs::directory_entry& entry : ListFolderSorted(skin))
                zip.addFile(entry.path().filename().string(), ReadFileBytes(entry.path()));
            for (int i = 0; i < 3900; ++i)
                zip.addFile("extras/" + std::to_string(i) + ".txt", std::string(64, char('a' + i % 26)));
        }
        int ticks = 0;
        bool secondActionRan = false;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] {
            ++ticks;
            m_form->RunHandler([&] { secondActionRan = true; });
        });
        tick.start(5);
        QList<Qt::CursorShape> cursors;
        m_fixture->Prompts.onShow = [&](const ScriptedPrompts::Shown&) {
            cursors << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor);
        };
        m_form->OpenDropped(PathToQString(archive));
        tick.stop();
        QVERIFY2(m_fixture->app().SkinLoaded, qPrintable(ShownMessages(m_fixture->Prompts)));
        QVERIFY(ticks > 0);
        QVERIFY(!secondActionRan);
        QCOMPARE(cursors, QList<Qt::CursorShape>{Qt::WaitCursor});
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(m_form->statusBar()->currentMessage().contains(QStringLiteral("large.wsz")));
    }

    void saveNamesTheChosenFileAndRemembersOnlyWhatWasSaved_data()
    {
        QTest::addColumn<QString>("target");  // below the temporary folder
        QTest::addColumn<QString>("blocker"); // a file or folder in the way, or empty
        QTest::addColumn<QString>("said");    // the error, or the status after a save
        QTest::newRow("missing folders are made") << "new/deeper/skin.ssf" << ""
                                                  << "フォルダ %1/new/deeper を作成し、スキンを %1/new/deeper/skin.ssf に保存しました";
        QTest::newRow("a file where the folder should be")
            << "blocked/skin.ssf" << "blocked" << "スキンを %1/blocked/skin.ssf に保存できませんでした (フォルダではありません)。";
        QTest::newRow("a folder where an image should be")
            << "out/skin.ssf" << "out/MainNormal.bmp/" << "スキンを %1/out/skin.ssf に保存できませんでした (フォルダです)。";
    }
    void saveNamesTheChosenFileAndRemembersOnlyWhatWasSaved()
    {
        QFETCH(QString, target);
        QFETCH(QString, blocker);
        QFETCH(QString, said);
        const fs::path root = m_fixture->root();
        if (blocker.endsWith(u'/'))
            fs::create_directories(root / QStringToPath(blocker));
        else if (!blocker.isEmpty())
            std::ofstream(root / QStringToPath(blocker)) << "in the way";
        said = QDir::toNativeSeparators(said.arg(PathToQString(root))); // as the window shows paths
        m_form->OpenDropped(PathToQString(m_fixture->writeSkin("kept")));
        const fs::path ssf = (root / QStringToPath(target)).make_preferred();
        m_fixture->Dialogs.saveFiles.push_back(PathToQString(ssf));
        m_form->RunHandler([&] { m_form->S1Click(); });
        const ScriptedDialogs::Call& dialog = m_fixture->Dialogs.calls.back();
        QCOMPARE(dialog.Initial, QStringLiteral("kept.ssf")); // the skin's name, offered
        QCOMPARE(dialog.Filters, QStringList{QStringLiteral("Korvel スキン (*.ssf)")});

        const bool saved = blocker.isEmpty();
        if (saved) {
            QVERIFY2(m_fixture->Prompts.shown().empty(), qPrintable(ShownMessages(m_fixture->Prompts)));
            QCOMPARE(m_form->statusBar()->currentMessage(), said);
        } else {
            QCOMPARE(ShownMessages(m_fixture->Prompts), QStringLiteral("Tessaform Convertor: ") + said);
        }
        QCOMPARE(fs::exists(ssf), saved);
        m_fixture->close();
        QCOMPARE(SavedSaveName(*m_fixture), saved ? PathToQString(ssf) : QStringLiteral("*.ssf"));
    }

    // Another skin's definition in the folder names the same images: the
    // user is asked, and a save declined writes nothing.
    void saveOverAnotherSkinsImagesAsksFirst()
    {
        const fs::path folder = m_fixture->root() / "shared";
        fs::create_directories(folder);
        std::ofstream(folder / "other.ssf") << "MainBitmap MainNormal.bmp\r\n";
        m_form->OpenDropped(PathToQString(m_fixture->writeSkin("kept")));
        for (const bool ok : {false, true}) {
            m_fixture->Dialogs.saveFiles.push_back(PathToQString(folder / "kept.ssf"));
            m_fixture->Dialogs.questions.push_back(ok);
            m_form->RunHandler([&] { m_form->S1Click(); });
            QCOMPARE(m_fixture->Dialogs.calls.back().Kind, QStringLiteral("question"));
            QVERIFY(m_fixture->Dialogs.calls.back().Initial.contains(QStringLiteral("other.ssf"))); // the text
            QCOMPARE(fs::exists(folder / "kept.ssf"), ok);
            QCOMPARE(fs::exists(folder / "MainNormal.bmp"), ok);
        }
    }

private:
    std::unique_ptr<WindowFixture> m_fixture;
    TForm1* m_form = nullptr;
};

} // namespace tf::test

int main(int argc, char** argv)
{
    if (argc > 3 && QByteArray(argv[1]) == "--second-window")
        return tf::test::RunSecondWindow(argc, argv);
    tf::test::OpenAndSaveTest test;
    return tf::test::RunWindowTest(argc, argv, test);
}

#include "OpenAndSaveTest.moc"
