// Makes docs/screenshot.png: the main window as a user sees it after
// clicking a skin archive in the tree. The tree shows a folder this tool
// lays out itself (the bundled sample skin, and two archives made from it),
// so the picture shows nothing of the machine it was made on.
//
// Run on demand under an X server:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/make-screenshot [output.png]

#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "session/Language.h"
#include "window/Dialogs.h"
#include "window/DisplayControls.h"
#include "window/MainWindow.h"
#include "window/QtPrompts.h"
#include "window/SkinTreeView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <archive.h>
#include <archive_entry.h>
#include <cstdio>
#include <functional>

namespace fs = std::filesystem;

namespace {

const char* const kDataFiles[] = {"loadbtns1.dat", "loadbtns2.dat", "btnspos.dat", "eqpos.dat", "pan.dat"};

// Packs the files of folder into a zip archive, below prefix.
bool Zip(const fs::path& folder, const fs::path& archivePath, const std::string& prefix)
{
    archive* zip = archive_write_new();
    archive_write_set_format_zip(zip);
    if (archive_write_open_filename(zip, archivePath.string().c_str()) != ARCHIVE_OK)
        return false;
    for (const fs::directory_entry& file : tf::ListFolderSorted(folder)) {
        QFile in(tf::PathToQString(file.path()));
        if (!in.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = in.readAll();
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, (prefix + file.path().filename().string()).c_str());
        archive_entry_set_size(entry, bytes.size());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_write_header(zip, entry);
        archive_write_data(zip, bytes.constData(), size_t(bytes.size()));
        archive_entry_free(entry);
    }
    return archive_write_close(zip) == ARCHIVE_OK && archive_write_free(zip) == ARCHIVE_OK;
}

void WaitFor(const std::function<bool()>& done, int milliseconds = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir neutral;
    const fs::path root = tf::QStringToPath(neutral.path());
    // The tree opens the home folder at start: make it the neutral one.
    qputenv("HOME", neutral.path().toLocal8Bit());
    QApplication application(argc, argv);
    tf::InstallTranslations(application, tf::UiLanguage::Japanese);
    tf::InstallFontSubstitutions();
    QApplication::setFont(tf::DesignFont());

    const fs::path bin = tf::QStringToPath(QCoreApplication::applicationDirPath());
    const fs::path output = argc > 1 ? fs::path(argv[1]) : fs::path(TESSAFORM_SOURCE_DIR) / "docs" / "screenshot.png";
    QTemporaryDir program; // the settings file and the working folder, out of the tree's sight
    const fs::path exeFolder = tf::QStringToPath(program.path());
    const fs::path skins = root / "Skins";
    fs::create_directories(exeFolder);
    fs::create_directories(skins);
    for (const char* name : kDataFiles)
        fs::copy_file(bin / name, exeFolder / name);
    fs::copy(bin / "sample", skins / "Tessaform Sample", fs::copy_options::recursive);
    if (!Zip(skins / "Tessaform Sample", skins / "Tessaform Sample.wsz", "")
        || !Zip(skins / "Tessaform Sample", skins / "Sample in a folder.zip", "Sample/")) {
        std::fprintf(stderr, "make-screenshot: cannot write the archives\n");
        return 1;
    }

    tf::QtPrompts prompts;
    tf::QtDialogs dialogs;
    tf::TForm1 form(tf::WindowFiles{exeFolder / "tessaform", exeFolder / "tessaform.ini", exeFolder / "tmp"},
                    prompts, dialogs);
    prompts.setOwner(&form);
    tf::SkinTreeView& tree = *form.ShellTreeView1;
    tree.setRootIndex(tree.indexOfPath(tf::PathToQString(root)));
    form.show();
    const QString archive = tf::PathToQString(skins / "Tessaform Sample.wsz");
    tree.expandItem(tree.indexOfPath(tf::PathToQString(skins)));
    WaitFor([&] { return tree.model()->rowCount(tree.indexOfPath(tf::PathToQString(skins))) == 3; });
    tree.setPath(archive);
    WaitFor([&] { return tree.viewport()->rect().contains(tree.visualRect(tree.selectedItem()).topLeft()); });
    form.ShellTreeView1Click(tree.visualRect(tree.selectedItem()).topLeft() + QPoint(12, 4));
    if (!form.app().SkinLoaded) {
        std::fprintf(stderr, "make-screenshot: the sample archive did not load\n");
        return 1;
    }
    WaitFor([] { return false; }, 500); // let the tree and the previews settle
    const QImage shot = form.grab().toImage();
    fs::create_directories(output.parent_path());
    if (!shot.save(tf::PathToQString(output), "PNG")) {
        std::fprintf(stderr, "make-screenshot: cannot write %s\n", output.string().c_str());
        return 1;
    }
    std::printf("%s\n", output.string().c_str());
    return 0;
}
