#pragma once

// The start of every generator in tools/: they paint with Qt but never show
// a window, and take one path.

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>

namespace tf::tools {

// The offscreen platform, unless the caller chose one.
inline void UseOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The one argument, or nothing after printing the usage line.
inline const char* OnlyArgument(int argc, char** argv, const char* usage)
{
    if (argc == 2)
        return argv[1];
    std::fprintf(stderr, "usage: %s\n", usage);
    return nullptr;
}

} // namespace tf::tools
