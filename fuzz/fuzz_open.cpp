// Arbitrary bytes as a .wsz the whole way in, both ways: safe extraction
// into a private folder (the window's), and reading in memory (the
// converter's); the load, and a save into another private folder. Every
// outcome is a skin written or a message, no message names the private
// folders, and where both ways load without meeting damage or a limit they
// load the same skin.

#include "output/SaveSkin.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "output/SkinImages.h"
#include "session/OpenSkin.h"
#include "session/OpenSkinInMemory.h"
#include "skin/SkinSession.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class QuietPrompts : public tf::Prompts {
public:
    tf::MessageAnswer showMessage(tf::MessageIcon, const QString&, const QString& text) override
    {
        texts.append(text);
        return tf::MessageAnswer::Ok;
    }
    QStringList texts;
};

fs::path g_dataFolder;

void CheckPrivateFolderUnnamed(const QString& text, const QString& privateFolder)
{
    if (text.contains(privateFolder))
        std::abort();
}

// The notices and the error as the window words them.
QStringList Shown(const tf::OpenResult& result)
{
    QStringList texts;
    for (const tf::AppError& notice : result.Notices)
        texts.append(notice.message(result.Names));
    if (result.Error)
        texts.append(result.Error->message(result.Names));
    return texts;
}

bool SameFiles(const std::vector<tf::NamedFile>& a, const std::vector<tf::NamedFile>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const tf::NamedFile& x, const tf::NamedFile& y) {
        return x.Name == y.Name && x.Bytes == y.Bytes;
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_open";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // The data files sit beside the executable, as in an installed copy.
    g_dataFolder = tf::QStringToPath(QGuiApplication::applicationDirPath());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTemporaryDir work;
    if (!work.isValid())
        return 0;
    const fs::path root = tf::QStringToPath(work.path());
    const fs::path archive = root / "in.wsz";
    {
        QFile file(work.filePath(QStringLiteral("in.wsz")));
        if (!file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            return 0;
    }
    QuietPrompts prompts;
    tf::SkinSession session(g_dataFolder, prompts);
    tf::InitializeSession(session);
    const tf::OpenResult opened = tf::OpenSkinArchive(session, archive, root / "tmp");

    const QString privateFolder = work.path();
    for (const QString& text : Shown(opened) + prompts.texts)
        CheckPrivateFolderUnnamed(text, privateFolder);
    if (opened.loaded() == opened.Error.has_value())
        std::abort();

    QuietPrompts memoryPrompts;
    tf::SkinSession memorySession(g_dataFolder, memoryPrompts);
    tf::InitializeSession(memorySession);
    const tf::OpenResult inMemory = tf::LoadSkinArchive(memorySession, tf::ReadSkinArchiveFile(archive));
    for (const QString& text : Shown(inMemory) + memoryPrompts.texts)
        CheckPrivateFolderUnnamed(text, privateFolder);
    if (inMemory.loaded() == inMemory.Error.has_value())
        std::abort();
    // The memory way inflates only the skin's files, so damage or a limit
    // elsewhere in the archive is the disk way's alone.
    const bool comparable = opened.loaded() && inMemory.loaded() && !opened.archiveError()
        && !inMemory.archiveError() && Shown(opened) == Shown(inMemory);
    if (comparable && !SameFiles(tf::BuildSkinFiles(session, root / "skin.ssf"),
                                 tf::BuildSkinFiles(memorySession, root / "skin.ssf")))
        std::abort();
    if (!opened.loaded())
        return 0;
    std::error_code error;
    fs::create_directories(root / "out", error);
    try {
        tf::SaveSkin(session, root / "out" / "skin.ssf");
    } catch (const tf::AppError&) {
        // A skin the writer refuses is a message, not a fault.
    }
    return 0;
}
