#pragma once

#include <QString>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace tf {

// What kind of failure an error reports, so that tests and the command-line
// converter can tell them apart without reading the text.
enum class ErrorKind {
    Conversion,   // a text that is not an integer
    ListIndex,    // a list read past its end
    FileOpen,     // a file that cannot be opened or read
    BadImage,     // a file that is not a decodable image
    FileCreate,   // a file that cannot be created or written
    ArchiveLimit, // an archive over one of the extraction limits
    Other,
};

// The one error type of the system. It carries the sentence the user reads
// (in the standard error box or in the converter's summary), already with the
// file or value it is about.
class AppError : public std::runtime_error {
public:
    // reason: the system's reason alone, in our words, where the failure
    // has one, for a caller that says in its own sentence what failed.
    AppError(ErrorKind kind, const QString& message, const QString& reason = {});

    ErrorKind kind() const { return m_kind; }
    const QString& message() const { return m_message; }
    const QString& reason() const { return m_reason; }

private:
    ErrorKind m_kind;
    QString m_message;
    QString m_reason;
};

// "'%s' は整数ではありません"; the text is shown as the file held it (CP932).
[[noreturn]] void ThrowConversionError(std::string_view text);
// "リストのインデックスが範囲を超えています (%d)"
[[noreturn]] void ThrowListIndexError(long long index);
// A file that cannot be opened or read, with the system's reason.
[[noreturn]] void ThrowFileOpenError(const std::filesystem::path& path, const QString& reason);

// The same error, its text prefixed with the file and line it is about:
// "<path> (<n> 行目): <text>". lineNumber counts from 1.
[[noreturn]] void ThrowAtLine(const AppError& failure, const std::filesystem::path& path,
                              long long lineNumber);

// Shown paths use the platform's separator.
QString DisplayPath(const std::filesystem::path& path);

} // namespace tf
