#include "platform/FolderLock.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Interruption.h"
#include "platform/SafeFileWriter.h"

#include <QCoreApplication>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace tf {
namespace {

// A wait shorter than this (two saves of one batch, a second window) is not
// worth a line on the terminal.
constexpr auto kQuietWait = std::chrono::milliseconds(300);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::mutex g_noticeMutex;
std::function<void(const QString&)> g_notice;

void TellWait(const QString& text)
{
    const std::lock_guard lock(g_noticeMutex);
    if (g_notice)
        g_notice(text);
}

QString OwnerText(int64_t owner)
{
    return owner > 0 ? QCoreApplication::translate("Files", " (プロセス %1)").arg(owner) : QString();
}

} // namespace

void lockfile::ThrowNotAFile(const fs::path& path)
{
    try {
        ThrowFileCreateError(path, QCoreApplication::translate("Files", "通常のファイルではありません"));
    } catch (const AppError& failure) {
        // Without the reason alone: a caller that words the failure itself
        // would drop the name of the file in the way.
        throw AppError(failure.kind(), failure.message());
    }
}

void SetLockWaitNotice(std::function<void(const QString&)> notice)
{
    const std::lock_guard lock(g_noticeMutex);
    g_notice = std::move(notice);
}

FolderLock::FolderLock(const fs::path& folder, std::chrono::milliseconds timeout)
{
    const fs::path path = folder / PathFromString(kFolderLockName);
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    for (;;) {
        int64_t owner = 0;
        const lockfile::Attempt attempt = lockfile::TryLock(path, m_handle, owner);
        if (attempt == lockfile::Attempt::Locked) {
            m_path = path;
            return;
        }
        if (InterruptionSignal() != 0)
            throw AppError(ErrorKind::Other, QCoreApplication::translate("Files", "フォルダ \"%1\" の別の保存%2を待つ間に中断されました")
                                                 .arg(DisplayPath(folder), OwnerText(owner)));
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited >= timeout)
            throw AppError(ErrorKind::FileCreate, QCoreApplication::translate("Files", "フォルダ \"%1\" は別の保存%2が使用中です")
                                                      .arg(DisplayPath(folder), OwnerText(owner)));
        if (!told && waited >= kQuietWait) {
            told = true;
            TellWait(QCoreApplication::translate("Files", "フォルダ \"%1\" の別の保存%2が終わるのを待っています")
                         .arg(DisplayPath(folder), OwnerText(owner)));
        }
        if (attempt == lockfile::Attempt::Busy)
            std::this_thread::sleep_for(kPollInterval);
    }
}

FolderLock::~FolderLock()
{
    if (!m_path.empty())
        lockfile::Release(m_path, m_handle);
}

} // namespace tf
