#pragma once

#include "platform/ShownPaths.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <vector>

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
    DamagedArchive, // an archive that could not be read to its end, or a member's damaged data
    NoSkin,       // a source that holds no skin (no main.bmp, not a folder nor an archive)
    PassedOver,   // files left out: archive members not unpacked, skin files that are not regular files
    Other,
};

// What an error is about: a file, whose name the edge that shows the error
// decides (a member of an archive is named by the archive), or a name that
// stands as it is.
struct ErrorSubject {
    ErrorSubject() = default;
    ErrorSubject(std::filesystem::path file) : File(std::move(file)) {}
    ErrorSubject(QString name) : Name(std::move(name)) {}
    QString shown(const ShownPaths& paths) const { return File.empty() ? Name : paths(File); }

    std::filesystem::path File;
    QString Name;
};

// The one error type of the system. It carries its context as data: the
// kind, the files it is about (the innermost first named by the sentence,
// then the files whose reading met it), the line, and the system's reason.
// The sentence the user reads (in the standard error box, the converter's
// line, a check finding) is made from them by message(), at the edge that
// shows it, with that edge's way of showing paths.
class AppError : public std::runtime_error {
public:
    using Sentence = std::function<QString(const ShownPaths&)>;

    // A sentence that names no file of the skin. reason: what went wrong
    // alone (the system's reason, what is wrong with an image), in our words,
    // where the failure has one, for a caller that says in its own sentence
    // what failed.
    AppError(ErrorKind kind, const QString& message, const QString& reason = {});
    // A sentence about file, made when it is shown.
    AppError(ErrorKind kind, std::filesystem::path file, Sentence sentence, const QString& reason = {});

    ErrorKind kind() const { return m_kind; }
    const QString& reason() const { return m_reason; }
    // The outermost file of its context; empty when it names none.
    std::filesystem::path file() const { return m_files.empty() ? std::filesystem::path() : m_files.back(); }
    // The line of file() it is about; 0 when none.
    long long line() const { return m_line; }
    // True when the error is about file or met while reading it.
    bool names(const std::filesystem::path& file) const;

    // The same error met while reading file: "<file>: <sentence>".
    AppError inFile(const std::filesystem::path& file) const;
    // The same error met at a line of file (counted from 1):
    // "<file> (<n> 行目): <sentence>".
    AppError atLine(const std::filesystem::path& file, long long lineNumber) const;

    // The sentence the user reads, its paths shown by paths.
    QString message(const ShownPaths& paths = {}) const;

private:
    ErrorKind m_kind;
    std::vector<std::filesystem::path> m_files;
    long long m_line = 0;
    QString m_reason;
    Sentence m_sentence;
};

// "'%s' は整数ではありません"; the text is shown as the file held it (CP932).
[[noreturn]] void ThrowConversionError(std::string_view text);
// "リストのインデックスが範囲を超えています (%d)"
[[noreturn]] void ThrowListIndexError(long long index);
// A file that cannot be opened or read, with the system's reason.
[[noreturn]] void ThrowFileOpenError(const std::filesystem::path& path, const QString& reason);

// The same error, at a line of path (see AppError::atLine).
[[noreturn]] void ThrowAtLine(const AppError& failure, const std::filesystem::path& path,
                              long long lineNumber);

} // namespace tf
