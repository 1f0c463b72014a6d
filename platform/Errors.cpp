#include "platform/Errors.h"

#include "platform/ShiftJis.h"

#include <QDir>

namespace tf {

AppError::AppError(ErrorKind kind, const QString& message)
    : std::runtime_error(message.toStdString())
    , m_kind(kind)
    , m_message(message)
{
}

void ThrowConversionError(std::string_view text)
{
    throw AppError(ErrorKind::Conversion,
                   QStringLiteral("'%1' は整数ではありません").arg(DecodeCp932(text)));
}

void ThrowListIndexError(long long index)
{
    throw AppError(ErrorKind::ListIndex,
                   QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index));
}

void ThrowFileOpenError(const std::filesystem::path& path, const QString& reason)
{
    throw AppError(ErrorKind::FileOpen,
                   QStringLiteral("ファイル %1 を開けません。%2").arg(DisplayPath(path), reason));
}

void ThrowAtLine(const AppError& failure, const std::filesystem::path& path, long long lineNumber)
{
    throw AppError(failure.kind(), QStringLiteral("%1 (%2 行目): %3")
                                       .arg(DisplayPath(path))
                                       .arg(lineNumber)
                                       .arg(failure.message()));
}

QString DisplayPath(const std::filesystem::path& path)
{
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

} // namespace tf
