#pragma once

#include "platform/Color.h"
#include "platform/Geometry.h"

#include <QImage>
#include <filesystem>
#include <memory>

namespace tf {

class FileSource;
class Region;

// Largest bitmap the system creates or decodes: 16384 pixels on a side and
// 256 MiB of 32-bit pixels.
constexpr int kMaxBitmapSide = 16384;
constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;
// Largest image file decoded: 16 megapixels, far beyond any real skin (the
// biggest are a few hundred pixels a side), so that a conversion of a
// hostile skin stays in bounded memory.
constexpr long long kMaxDecodedPixels = 16LL * 1024 * 1024;

// A device-independent bitmap: 32-bit RGB pixels over a QImage, with the
// drawing operations the composition needs, done the way Windows GDI does
// them (source-to-destination mapping, clip region, pixel reads).
class Bitmap {
public:
    Bitmap() = default; // 0 x 0
    Bitmap(int width, int height); // black

    // Throws AppError(BadImage) for sizes over the limits or below zero.
    static void CheckSize(long long width, long long height);

    // Reads an image file by content (see ImageFile.h); throws AppError
    // naming the file when it cannot be read or decoded.
    static Bitmap Load(const std::filesystem::path& path);
    static Bitmap Load(const FileSource& source, const std::filesystem::path& path);
    static Bitmap FromImage(const QImage& image);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool isEmpty() const { return m_image.isNull() || width() == 0 || height() == 0; }

    // New size; pixels that stay inside keep their colour, new pixels are
    // black. A size of 0 on either side empties the bitmap.
    void setSize(int width, int height);
    void setWidth(int width) { setSize(width, height()); }
    void setHeight(int height) { setSize(width(), height); }

    // kInvalidColor outside the bitmap, as GetPixel answers there.
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color color); // ignores clip, drops outside pixels

    // Fills a rectangle; an inverted or empty rectangle fills nothing.
    void fill(const Rect& rect, Color color);
    void fillAll(Color color) { fill({0, 0, width(), height()}, color); }
    // Fills every pixel outside the clip region; nothing without one.
    void fillOutsideClip(Color color);
    // A one-pixel line from one point up to, not including, the other.
    void drawLine(Point from, Point to, Color color);

    // Copies a source rectangle onto a destination rectangle, stretching by
    // nearest pixel and mirroring inverted rectangles as StretchBlt does.
    // Destination pixels outside this bitmap or outside the clip region are
    // left alone, and so are those whose source pixel lies outside the source
    // bitmap.
    void copy(const Bitmap& source, const Rect& sourceRect, const Rect& destRect);
    // As copy, but source pixels whose RGB equals key are skipped
    // (TransparentBlt). Inverted rectangles draw nothing.
    void copyKeyed(const Bitmap& source, const Rect& sourceRect, const Rect& destRect, Color key);

    // Clip region for fills, lines and copies; none means the whole bitmap.
    void setClip(std::shared_ptr<const Region> region) { m_clip = std::move(region); }
    void clearClip() { m_clip.reset(); }
    const Region* clip() const { return m_clip.get(); }

    // Pixel data for the window, text drawing and the file writer. Always
    // QImage::Format_RGB32.
    const QImage& image() const { return m_image; }
    QImage& image() { return m_image; }



private:
    bool clipAllows(int x, int y) const;

    QImage m_image;
    std::shared_ptr<const Region> m_clip;
};

} // namespace tf
