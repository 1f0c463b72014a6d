#pragma once

// What tests of opening skins read: the result worded as the window words
// it, and a file's bytes.

#include "session/OpenSkin.h"

#include <QStringList>
#include <filesystem>
#include <string>

namespace tf::test {

QStringList NoticeTexts(const OpenResult& result);
// Empty when there is no error.
QString ErrorText(const OpenResult& result);

std::string ReadBytes(const std::filesystem::path& path);

} // namespace tf::test
