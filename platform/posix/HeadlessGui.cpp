#include "platform/HeadlessGui.h"

#include <QByteArray>

namespace tf {

// The X11 and Wayland platforms need a display; the offscreen one reads the
// system's fonts through fontconfig.
void ChooseHeadlessGuiPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace tf
