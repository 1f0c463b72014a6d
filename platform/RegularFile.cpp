#include "platform/RegularFile.h"

#include "platform/Errors.h"

#include <QCoreApplication>

namespace tf {

void ThrowNotRegularFile(const std::filesystem::path& path, bool isFolder)
{
    ThrowFileOpenError(path, isFolder ? QCoreApplication::translate("Files", "フォルダです")
                                      : QCoreApplication::translate("Files", "通常のファイルではありません"));
}

void ThrowFileTooLarge(const std::filesystem::path& path, std::uintmax_t size, std::uintmax_t maxBytes)
{
    ThrowFileOpenError(path, QCoreApplication::translate("Files", "ファイルが大きすぎます (%1 バイト、%2 バイトまで)")
                                 .arg(qulonglong(size))
                                 .arg(qulonglong(maxBytes)));
}

} // namespace tf
