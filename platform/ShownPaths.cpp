#include "platform/ShownPaths.h"

#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QDir>

namespace tf {

ShownPaths::ShownPaths(const std::filesystem::path& extractedRoot, const std::filesystem::path& archive)
    : m_root(DisplayPath(extractedRoot))
    , m_archive(PathToQString(archive.filename()))
{
}

QString ShownPaths::operator()(const std::filesystem::path& path) const
{
    const QString shown = DisplayPath(path);
    if (m_root.isEmpty() || !shown.startsWith(m_root))
        return shown;
    if (shown.size() == m_root.size())
        return m_archive;
    if (shown[m_root.size()] != QDir::separator())
        return shown;
    return m_archive + QCoreApplication::translate("Session", " の ") + shown.mid(m_root.size() + 1);
}

// UTF-8 on every system: path::string() would give the ANSI code page on
// Windows, where names outside it turn into question marks.
QString DisplayPath(const std::filesystem::path& path)
{
    return QDir::toNativeSeparators(PathToQString(path));
}

} // namespace tf
