#include "platform/Errors.h"

#include "platform/ShiftJis.h"
#include "platform/SystemReason.h"

#include <QDir>
#include <cerrno>
#include <cstring>

namespace tf {
namespace {

struct KnownReason {
    int Error;
    const char16_t* Japanese;
};

constexpr KnownReason kKnownReasons[] = {
    {ENOENT, u"ファイルまたはフォルダがありません"},
    {EACCES, u"アクセスが拒否されました"},
    {EPERM, u"この操作は許可されていません"},
    {EISDIR, u"フォルダです"},
    {ENOTDIR, u"フォルダではありません"},
    {ENOSPC, u"ディスクの空き領域が足りません"},
    {EROFS, u"読み取り専用のファイルシステムです"},
    {EEXIST, u"既に存在します"},
    {EIO, u"入出力エラーが発生しました"},
    {ENAMETOOLONG, u"ファイル名が長すぎます"},
    {EMFILE, u"開いているファイルが多すぎます"},
    {EBUSY, u"使用中です"},
};

} // namespace

QString JapaneseReason(const QString& reason)
{
    // Qt gives the C library's text, or its own for a missing file.
    if (reason == QLatin1String("File not found"))
        return QString::fromUtf16(kKnownReasons[0].Japanese);
    for (const KnownReason& known : kKnownReasons)
        if (reason == QString::fromLocal8Bit(std::strerror(known.Error)))
            return QString::fromUtf16(known.Japanese);
    return reason;
}

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
                   QStringLiteral("ファイル %1 を開けません。%2").arg(DisplayPath(path), JapaneseReason(reason)));
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
