#pragma once

#include <QString>
#include <filesystem>

namespace tf {

// How the paths of a skin's files are shown to the user. Files of an
// archive, whether unpacked into a private folder or held in memory under
// the archive's own path, are named by the archive and the member
// ("base.wsz の Skin/main.bmp"): the private folder is gone by the time the
// user reads the message. Every other path is shown as it stands, with the
// platform's separators.
class ShownPaths {
public:
    ShownPaths() = default;
    // Files below extractedRoot are members of archive.
    ShownPaths(const std::filesystem::path& extractedRoot, const std::filesystem::path& archive);

    QString operator()(const std::filesystem::path& path) const;

private:
    QString m_root;
    QString m_archive;
};

// A path as the user reads it, without an archive to name.
QString DisplayPath(const std::filesystem::path& path);

} // namespace tf
