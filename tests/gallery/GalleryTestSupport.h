#pragma once

// Small helpers the gallery tests share.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace tf::test {

// Handles events until condition holds or the time is up; whether it held.
inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

// Every file below folder by its relative path, with its bytes.
std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder);

// The files of folder packed as archive (its folder made), below inArchive
// when given, main.bmp first and stored uncompressed, so that a cut into
// the archive falls into it; upperCase: the names in capitals.
std::filesystem::path Pack(const std::filesystem::path& folder, const std::filesystem::path& archive,
                           const std::string& inArchive = {}, bool upperCase = false);

} // namespace tf::test
