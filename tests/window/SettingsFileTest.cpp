// The settings file on its own: defaults, the folder part, the encoding.

#include "platform/DataFolder.h"
#include "platform/TextFile.h"
#include "support/TestPaths.h"
#include "window/SettingsFile.h"
#include "window/WorkFolder.h"

#include <QStandardPaths>
#include <QTest>

namespace fs = std::filesystem;

namespace tf {

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void folderPart_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("folder");
        QTest::newRow("linux path") << "/home/a/skins/x.wsz" << "/home/a/skins/";
        QTest::newRow("windows path") << "C:\\skins\\x.wsz" << "C:\\skins\\";
        QTest::newRow("drive only") << "C:x.wsz" << "C:";
        QTest::newRow("bare name") << "x.wsz" << "";
        QTest::newRow("empty") << "" << "";
    }
    void folderPart()
    {
        QFETCH(QString, value);
        QFETCH(QString, folder);
        QCOMPARE(FolderPart(value), folder);
    }

    void missingFileGivesDefaults()
    {
        const test::TempFolder folder;
        QCOMPARE(ReadSettingsFile(folder / "none.ini"), StoredSettings{});
        QCOMPARE(StoredSettings{}.CurrentFolder, QStringLiteral("マイコンピュータ"));
    }

    void writesShiftJisKeysInOrderAndKeepsOtherLines()
    {
        const test::TempFolder folder;
        const fs::path path = folder / "tessaform.ini";
        WriteTextFile(path, "[Other]\r\nKey=1\r\n");
        StoredSettings settings;
        settings.OpenName = QStringLiteral("/スキン/a.wsz");
        settings.SaveName = QStringLiteral("/out/a.ssf");
        WriteSettingsFile(path, settings);
        const std::string bytes = ReadFileBytes(path);
        QVERIFY(bytes.starts_with("[Other]\r\nKey=1\r\n"));
        const size_t current = bytes.find("CurrentFolder=\x83\x7d\x83\x43\x83\x52\x83\x93\x83\x73\x83\x85\x81\x5b\x83\x5e");
        const size_t open = bytes.find("OpenName=/\x83\x58\x83\x4c\x83\x93/a.wsz");
        const size_t save = bytes.find("SaveName=/out/a.ssf");
        const size_t tree = bytes.find("TreeViewPath=");
        QVERIFY(current != std::string::npos && open != std::string::npos);
        QVERIFY(current < open && open < save && save < tree && tree != std::string::npos);
        QCOMPARE(ReadSettingsFile(path), settings);
    }

    void pathsShiftJisCannotHoldComeBackUnchanged()
    {
        const test::TempFolder folder;
        const fs::path path = folder / "tessaform.ini";
        StoredSettings settings;
        settings.TreeViewPath = QStringLiteral("/home/user/skins/Ωmega-한국");
        WriteSettingsFile(path, settings);
        QCOMPARE(ReadSettingsFile(path).TreeViewPath, settings.TreeViewPath);
        QVERIFY(ReadFileBytes(path).find("?") == std::string::npos);
    }

    void settingsFileBesideTheExecutableWhenWritable()
    {
        const test::TempFolder folder;
        QCOMPARE(ChooseSettingsFile(folder / "tessaform"), folder / "tessaform.ini");
        QCOMPARE(ChooseSettingsFile(folder / "tessaform.exe"), folder / "tessaform.ini");
    }

    void workFolderBesideTheExecutableWhenWritableElseInTheCache()
    {
        const test::TempFolder folder;
        QCOMPARE(ChooseWorkFolder(folder.path()), folder / "tmp");
        const fs::path cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString();
        QCOMPARE(ChooseWorkFolder(folder / "missing"), cache / "tmp");
        // An installed copy keeps to the user's folders even where it can write.
        fs::create_directories(folder / "bin");
        fs::create_directories(folder / "share/tessaform");
        WriteTextFile(folder / "share/tessaform/btnspos.dat", "heading\r\n");
        QCOMPARE(ChooseWorkFolder(folder / "bin"), cache / "tmp");
        QCOMPARE(ChooseSettingsFile(folder / "bin/tessaform"), UserSettingsFolder() / "tessaform.ini");
    }

private:
    static void WriteTextFile(const fs::path& path, const std::string& bytes)
    {
        QFile file(QString::fromStdString(path.string()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }
};

} // namespace tf

QTEST_GUILESS_MAIN(tf::SettingsFileTest)
#include "SettingsFileTest.moc"
