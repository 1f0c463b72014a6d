#pragma once

// The one way the BMP decoder reads file bytes: every read is checked against
// the end of the file, and a read past it raises BmpFault instead of touching
// memory it does not own.

#include <QCoreApplication>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tf {

// A fault in the bytes of a BMP file; reason says what is wrong. The decoder
// turns it into an AppError that names the file.
struct BmpFault {
    QString Reason;
};

[[noreturn]] inline void FailBmp(const QString& reason) { throw BmpFault{reason}; }

class BmpBytes {
public:
    explicit BmpBytes(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    uint64_t size() const { return m_bytes.size(); }

    // count bytes from offset lie inside the file; safe for any values.
    bool has(uint64_t offset, uint64_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }

    // The bytes [offset, offset + count); what names them in the message
    // ("カラーパレット", "ピクセルデータ", ...) when the file ends too soon.
    std::string_view span(uint64_t offset, uint64_t count, const char* what) const
    {
        if (!has(offset, count))
            FailTruncated(offset, count, what);
        return m_bytes.substr(size_t(offset), size_t(count));
    }

    uint8_t u8(uint64_t offset, const char* what) const { return Byte(span(offset, 1, what), 0); }
    uint16_t u16(uint64_t offset, const char* what) const
    {
        const std::string_view b = span(offset, 2, what);
        return uint16_t(Byte(b, 0) | (Byte(b, 1) << 8));
    }
    uint32_t u32(uint64_t offset, const char* what) const
    {
        const std::string_view b = span(offset, 4, what);
        return uint32_t(Byte(b, 0)) | (uint32_t(Byte(b, 1)) << 8) | (uint32_t(Byte(b, 2)) << 16)
            | (uint32_t(Byte(b, 3)) << 24);
    }
    int32_t i32(uint64_t offset, const char* what) const { return int32_t(u32(offset, what)); }

    static uint8_t Byte(std::string_view bytes, size_t index) { return uint8_t(bytes[index]); }

private:
    [[noreturn]] void FailTruncated(uint64_t offset, uint64_t count, const char* what) const
    {
        FailBmp(QCoreApplication::translate("Images", "%1が途中で切れています: %2 バイト目から %3 バイト要りますが、ファイルは %4 バイトです")
                    .arg(QCoreApplication::translate("Images", what))
                    .arg(offset)
                    .arg(count)
                    .arg(m_bytes.size()));
    }

    std::string_view m_bytes;
};

} // namespace tf
