#include "platform/Errors.h"

#include "platform/ShiftJis.h"
#include "platform/SystemReason.h"

#include <QCoreApplication>
#include <algorithm>
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
    , m_reason(reason)
    , m_sentence([message](const ShownPaths&) { return message; })
{
}

AppError::AppError(ErrorKind kind, std::filesystem::path file, Sentence sentence, const QString& reason)
    : std::runtime_error(sentence(ShownPaths()).toStdString())
    , m_kind(kind)
    , m_files{std::move(file)}
    , m_reason(reason)
    , m_sentence(std::move(sentence))
{
}

bool AppError::names(const std::filesystem::path& file) const
{
    return std::find(m_files.begin(), m_files.end(), file) != m_files.end();
}

AppError AppError::inFile(const std::filesystem::path& file) const
{
    AppError outer = *this;
    outer.m_files.push_back(file);
    outer.m_line = 0;
    outer.m_sentence = [inner = m_sentence, file](const ShownPaths& paths) {
        return QStringLiteral("%1: %2").arg(paths(file), inner(paths));
    };
    return outer;
}

AppError AppError::atLine(const std::filesystem::path& file, long long lineNumber) const
{
    AppError outer = *this;
    outer.m_files.push_back(file);
    outer.m_line = lineNumber;
    outer.m_sentence = [inner = m_sentence, file, lineNumber](const ShownPaths& paths) {
        return QCoreApplication::translate("Files", "%1 (%2 行目): %3").arg(paths(file)).arg(lineNumber).arg(inner(paths));
    };
    return outer;
}

QString AppError::message(const ShownPaths& paths) const
{
    return m_sentence(paths);
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
    const QString shownReason = JapaneseReason(reason);
    throw AppError(ErrorKind::FileOpen, path, [path, shownReason](const ShownPaths& paths) {
        return QCoreApplication::translate("Files", "ファイル %1 を開けません。%2").arg(paths(path), shownReason);
    }, shownReason);
}

void ThrowAtLine(const AppError& failure, const std::filesystem::path& path, long long lineNumber)
{
    throw failure.atLine(path, lineNumber);
}

} // namespace tf
