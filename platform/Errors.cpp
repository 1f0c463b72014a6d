#include "platform/Errors.h"

#include "platform/ShiftJis.h"
#include "platform/SystemReason.h"

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstring>

namespace tf {
namespace {

struct KnownReason {
    int Error;
    const char* Japanese;
};

constexpr KnownReason kKnownReasons[] = {
    {ENOENT, QT_TRANSLATE_NOOP("Files", "ファイルまたはフォルダがありません")},
    {EACCES, QT_TRANSLATE_NOOP("Files", "アクセスが拒否されました")},
    {EPERM, QT_TRANSLATE_NOOP("Files", "この操作は許可されていません")},
    {EISDIR, QT_TRANSLATE_NOOP("Files", "フォルダです")},
    {ENOTDIR, QT_TRANSLATE_NOOP("Files", "フォルダではありません")},
    {ENOSPC, QT_TRANSLATE_NOOP("Files", "ディスクの空き領域が足りません")},
    {EROFS, QT_TRANSLATE_NOOP("Files", "読み取り専用のファイルシステムです")},
    {EEXIST, QT_TRANSLATE_NOOP("Files", "既に存在します")},
    {EIO, QT_TRANSLATE_NOOP("Files", "入出力エラーが発生しました")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("Files", "ファイル名が長すぎます")},
    {EMFILE, QT_TRANSLATE_NOOP("Files", "開いているファイルが多すぎます")},
    {EBUSY, QT_TRANSLATE_NOOP("Files", "使用中です")},
};

} // namespace

QString JapaneseReason(const QString& reason)
{
    // Qt gives the C library's text, or its own for a missing file.
    if (reason == QLatin1String("File not found"))
        return QCoreApplication::translate("Files", kKnownReasons[0].Japanese);
    for (const KnownReason& known : kKnownReasons)
        if (reason == QString::fromLocal8Bit(std::strerror(known.Error)))
            return QCoreApplication::translate("Files", known.Japanese);
    return reason;
}

AppError::AppError(ErrorKind kind, const QString& message, const QString& reason)
    : std::runtime_error(message.toStdString())
    , m_kind(kind)
    , m_message(message)
    , m_reason(reason)
{
}

void ThrowConversionError(std::string_view text)
{
    throw AppError(ErrorKind::Conversion,
                   QCoreApplication::translate("Files", "'%1' は整数ではありません").arg(DecodeCp932(text)));
}

void ThrowListIndexError(long long index)
{
    throw AppError(ErrorKind::ListIndex,
                   QCoreApplication::translate("Files", "リストのインデックスが範囲を超えています (%1)").arg(index));
}

void ThrowFileOpenError(const std::filesystem::path& path, const QString& reason)
{
    throw AppError(ErrorKind::FileOpen,
                   QCoreApplication::translate("Files", "ファイル %1 を開けません。%2").arg(DisplayPath(path), JapaneseReason(reason)));
}

void ThrowAtLine(const AppError& failure, const std::filesystem::path& path, long long lineNumber)
{
    throw AppError(failure.kind(), QCoreApplication::translate("Files", "%1 (%2 行目): %3")
                                       .arg(DisplayPath(path))
                                       .arg(lineNumber)
                                       .arg(failure.message()));
}

QString DisplayPath(const std::filesystem::path& path)
{
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

} // namespace tf
