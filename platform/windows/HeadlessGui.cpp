#include "platform/HeadlessGui.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <windows.h>

namespace tf {

// The offscreen platform needs no display and draws text with FreeType, as
// on Linux; it reads font files from one folder, which is the system's own
// font folder here, so the real Windows faces (MS Gothic and the others) are
// found. The Windows platform would measure with the system too, but ended
// now and then in a crash at exit when a batch drew text on several
// threads.
void ChooseHeadlessGuiPlatform()
{
    // Qt's regular expressions (the offscreen font database lists its
    // folder through name filters) keep a JIT stack per thread, and freeing
    // it at the end of a run crashed the converter now and then (seen under
    // Wine); without the JIT there is no such stack.
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_REGEXP_JIT"))
        qputenv("QT_ENABLE_REGEXP_JIT", "0");
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        return;
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const QString fonts = QDir::toNativeSeparators(QString::fromWCharArray(windows, int(length)) + QStringLiteral("/Fonts"));
    // Qt reads this variable back in the system's code page.
    qputenv("QT_QPA_FONTDIR", fonts.toLocal8Bit());
}

} // namespace tf
