// Arbitrary bytes through the image layer: BMP content by our decoder, the
// rest by Qt's readers. Every outcome is an image or an AppError.

#include "platform/Errors.h"
#include "platform/ImageFile.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Qt's image plugins (JPEG, GIF, ICO) are found through the application.
    static int argc = 1;
    static char name[] = "fuzz_bmp";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    // Qt's readers warn about every broken file; the fuzzer needs no log.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const QImage image = tf::DecodeImageBytes(std::string_view(reinterpret_cast<const char*>(data), size),
                                                  QStringLiteral("fuzz.bmp"));
        if (image.isNull() || image.format() != QImage::Format_RGB32)
            std::abort();
    } catch (const tf::AppError& error) {
        if (error.kind() != tf::ErrorKind::BadImage || !error.message().startsWith(QStringLiteral("fuzz.bmp ")))
            std::abort();
    }
    return 0;
}
