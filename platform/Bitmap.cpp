#include "platform/Bitmap.h"

#include "platform/Errors.h"
#include "platform/ImageFile.h"
#include "platform/Region.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tf {
namespace {

struct AxisStep {
    int Dest;
    int Source;
};

// floor(numerator / denominator) for a positive denominator, in 128 bits
// where the compiler has them: rectangles from data files may hold any 32-bit
// values, and their products do not fit in 64 bits.
#if defined(__SIZEOF_INT128__)
using Wide = __int128;
#else
using Wide = long double;
#endif

int64_t FloorDiv(Wide numerator, Wide denominator)
{
#if defined(__SIZEOF_INT128__)
    Wide quotient = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0)
        --quotient;
    return int64_t(quotient);
#else
    return int64_t(std::floor(numerator / denominator));
#endif
}

// The destination pixels of one axis with the source pixel each takes, kept
// only where the destination pixel lies inside [0, destLimit) and the source
// pixel inside [0, sourceLimit). The mapping is the one of GDI's stretch copy:
// centre sampling when enlarging, the first pixel of each group when reducing.
std::vector<AxisStep> MapAxis(int64_t d, int64_t dExtent, int64_t s, int64_t sExtent,
                              bool normalise, int destLimit, int sourceLimit)
{
    std::vector<AxisStep> steps;
    if (dExtent == 0 || sExtent == 0)
        return steps;
    if (normalise) {
        if (dExtent < 0) {
            d += dExtent;
            dExtent = -dExtent;
        }
        if (sExtent < 0) {
            s += sExtent;
            sExtent = -sExtent;
        }
    }
    const int64_t a = std::llabs(dExtent);
    const int64_t b = std::llabs(sExtent);
    const int64_t dSign = dExtent < 0 ? -1 : 1;
    const int64_t sSign = sExtent < 0 ? -1 : 1;

    // Only steps j whose destination pixel d + j*dSign lies inside the image.
    int64_t jFirst, jLast; // inclusive
    if (dSign > 0) {
        jFirst = std::max<int64_t>(0, -d);
        jLast = std::min<int64_t>(a - 1, int64_t(destLimit) - 1 - d);
    } else {
        jFirst = std::max<int64_t>(0, d - (int64_t(destLimit) - 1));
        jLast = std::min<int64_t>(a - 1, d);
    }
    if (jFirst > jLast)
        return steps;
    steps.reserve(size_t(jLast - jFirst + 1));
    // Products of extents below 2^30 fit in 64 bits; only absurd rectangles
    // from data files need the wide arithmetic.
    const bool narrow = a < (int64_t(1) << 30) && b < (int64_t(1) << 30);
    for (int64_t j = jFirst; j <= jLast; ++j) {
        int64_t i;
        if (a == b)
            i = j; // equal sizes copy one to one
        else if (narrow)
            i = a >= b ? ((2 * j + 1) * b - 1) / (2 * a) : (2 * j * b + a) / (2 * a);
        else if (a >= b)
            i = FloorDiv(Wide(2 * j + 1) * Wide(b) - 1, Wide(2 * a));
        else
            i = FloorDiv(Wide(2 * j) * Wide(b) + Wide(a), Wide(2 * a));
        const int64_t sourcePixel = s + i * sSign;
        if (sourcePixel < 0 || sourcePixel >= sourceLimit)
            continue;
        steps.push_back({int(d + j * dSign), int(sourcePixel)});
    }
    return steps;
}

} // namespace

void Bitmap::CheckSize(long long width, long long height)
{
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide
        || width * height > kMaxBitmapPixels) {
        const QString reason =
            QCoreApplication::translate("Images", "画像の大きさ %1 x %2 は扱えません").arg(width).arg(height);
        throw AppError(ErrorKind::BadImage, reason, reason);
    }
}

Bitmap::Bitmap(int width, int height)
{
    CheckSize(width, height);
    if (width > 0 && height > 0) {
        m_image = QImage(width, height, QImage::Format_RGB32);
        m_image.fill(Qt::black);
    }
}

Bitmap Bitmap::Load(const std::filesystem::path& path)
{
    return FromImage(DecodeImageFile(path));
}

Bitmap Bitmap::Load(const FileSource& source, const std::filesystem::path& path)
{
    return FromImage(DecodeImageFile(source, path));
}

Bitmap Bitmap::FromImage(const QImage& image)
{
    Bitmap bitmap;
    if (!image.isNull())
        bitmap.m_image = image.format() == QImage::Format_RGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    return bitmap;
}

void Bitmap::setSize(int newWidth, int newHeight)
{
    if (newWidth == width() && newHeight == height())
        return;
    Bitmap resized(newWidth, newHeight);
    if (!resized.isEmpty() && !isEmpty()) {
        const int keepWidth = std::min(newWidth, width());
        const int keepHeight = std::min(newHeight, height());
        for (int y = 0; y < keepHeight; ++y)
            std::memcpy(resized.m_image.scanLine(y), m_image.constScanLine(y),
                        size_t(keepWidth) * sizeof(QRgb));
    }
    m_image = std::move(resized.m_image);
}

Color Bitmap::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return kInvalidColor;
    return FromQRgb(reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x]);
}

void Bitmap::setPixel(int x, int y, Color color)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = ToQRgb(color);
}

bool Bitmap::clipAllows(int x, int y) const
{
    return !m_clip || m_clip->contains(x, y);
}

void Bitmap::fill(const Rect& rect, Color color)
{
    const int64_t left = std::max<int64_t>(rect.left, 0);
    const int64_t top = std::max<int64_t>(rect.top, 0);
    const int64_t right = std::min<int64_t>(rect.right, width());
    const int64_t bottom = std::min<int64_t>(rect.bottom, height());
    if (left >= right || top >= bottom)
        return;
    const QRgb value = ToQRgb(ResolveSystemColor(color));
    const Region* clip = m_clip.get();
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    if (!clip) {
        // A view onto the rectangle lets Qt's vectorised fill do the work.
        QImage view(bits + top * stride + left * qsizetype(sizeof(QRgb)), int(right - left),
                    int(bottom - top), stride, QImage::Format_RGB32);
        view.fill(value);
        return;
    }
    for (int64_t y = top; y < bottom; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int64_t x = left; x < right; ++x)
            if (clip->contains(int32_t(x), int32_t(y)))
                line[x] = value;
    }
}

void Bitmap::fillOutsideClip(Color color)
{
    const Region* clip = m_clip.get();
    if (!clip || isEmpty())
        return;
    const std::shared_ptr<const Region> keep = m_clip;
    m_clip.reset(); // the fills below go outside the region
    for (int y = 0; y < height(); ++y) {
        int32_t x = 0;
        for (const Region::Span& span : keep->row(y)) {
            fill({x, y, span.Begin, y + 1}, color);
            x = std::max(x, span.End);
        }
        fill({x, y, width(), y + 1}, color);
    }
    m_clip = keep;
}

void Bitmap::drawLine(Point from, Point to, Color color)
{
    const QRgb value = ToQRgb(ResolveSystemColor(color));
    auto plot = [&](int64_t x, int64_t y) {
        if (x >= 0 && y >= 0 && x < width() && y < height() && clipAllows(int(x), int(y)))
            reinterpret_cast<QRgb*>(m_image.scanLine(int(y)))[x] = value;
    };
    // A pen of one pixel never draws the end point.
    if (from.y == to.y || from.x == to.x) {
        // Axis-aligned lines (all the system draws) are walked only where
        // they can touch the bitmap.
        const bool horizontal = from.y == to.y;
        const int64_t start = horizontal ? from.x : from.y;
        const int64_t stop = horizontal ? to.x : to.y;
        const int64_t limit = horizontal ? width() : height();
        const int64_t low = start < stop ? std::max<int64_t>(start, 0) : std::max<int64_t>(stop + 1, 0);
        const int64_t high = start < stop ? std::min<int64_t>(stop, limit) : std::min<int64_t>(start + 1, limit);
        for (int64_t k = low; k < high; ++k)
            horizontal ? plot(k, from.y) : plot(from.x, k);
        return;
    }
    int64_t x = from.x, y = from.y;
    const int64_t dx = std::llabs(int64_t(to.x) - from.x);
    const int64_t dy = -std::llabs(int64_t(to.y) - from.y);
    const int64_t stepX = from.x < to.x ? 1 : -1;
    const int64_t stepY = from.y < to.y ? 1 : -1;
    int64_t error = dx + dy;
    while (x != to.x || y != to.y) {
        plot(x, y);
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Bitmap::copy(const Bitmap& source, const Rect& sourceRect, const Rect& destRect)
{
    if (isEmpty() || source.isEmpty())
        return;
    const int64_t dw = destRect.width(), dh = destRect.height();
    const int64_t sw = sourceRect.width(), sh = sourceRect.height();
    const bool mirrorsX = (dw < 0) != (sw < 0);
    const bool mirrorsY = (dh < 0) != (sh < 0);
    const bool normalise = !mirrorsX && !mirrorsY;
    const auto columns
        = MapAxis(destRect.left, dw, sourceRect.left, sw, normalise, width(), source.width());
    if (columns.empty())
        return;
    const auto rows
        = MapAxis(destRect.top, dh, sourceRect.top, sh, normalise, height(), source.height());
    // A copy of a bitmap onto itself reads what it has not yet overwritten
    // only by accident; take a snapshot first.
    const QImage sourceImage = &source == this ? m_image.copy() : source.m_image;
    const Region* clip = m_clip.get();
    const uchar* sourceBits = sourceImage.constBits();
    const qsizetype sourceStride = sourceImage.bytesPerLine();
    uchar* destBits = m_image.bits();
    const qsizetype destStride = m_image.bytesPerLine();
    // The usual piece copy: one to one, left to right; row by row, or span by
    // span of the clip region.
    const bool contiguous = columns.back().Dest - columns.front().Dest == int(columns.size()) - 1
        && columns.back().Source - columns.front().Source == int(columns.size()) - 1;
    const int first = columns.front().Dest;
    const int last = columns.back().Dest + 1;
    const int shift = columns.front().Source - first;
    for (const AxisStep& row : rows) {
        const QRgb* in = reinterpret_cast<const QRgb*>(sourceBits + row.Source * sourceStride);
        QRgb* out = reinterpret_cast<QRgb*>(destBits + row.Dest * destStride);
        if (contiguous) {
            if (!clip) {
                std::memcpy(out + first, in + first + shift, size_t(last - first) * sizeof(QRgb));
                continue;
            }
            for (const Region::Span& span : clip->row(row.Dest)) {
                const int begin = std::max(span.Begin, first);
                const int end = std::min(span.End, last);
                if (begin < end)
                    std::memcpy(out + begin, in + begin + shift, size_t(end - begin) * sizeof(QRgb));
            }
            continue;
        }
        if (!clip) {
            for (const AxisStep& column : columns)
                out[column.Dest] = in[column.Source];
            continue;
        }
        for (const AxisStep& column : columns)
            if (clip->contains(column.Dest, row.Dest))
                out[column.Dest] = in[column.Source];
    }
}

void Bitmap::copyKeyed(const Bitmap& source, const Rect& sourceRect, const Rect& destRect,
                       Color key)
{
    if (isEmpty() || source.isEmpty())
        return;
    if (destRect.width() <= 0 || destRect.height() <= 0 || sourceRect.width() <= 0
        || sourceRect.height() <= 0)
        return;
    const auto columns = MapAxis(destRect.left, destRect.width(), sourceRect.left,
                                 sourceRect.width(), true, width(), source.width());
    const auto rows = MapAxis(destRect.top, destRect.height(), sourceRect.top,
                              sourceRect.height(), true, height(), source.height());
    const QRgb keyValue = ToQRgb(key) & 0xFFFFFF;
    const QImage sourceImage = &source == this ? m_image.copy() : source.m_image;
    const Region* clip = m_clip.get(); // looked up once: this loop runs per pixel
    for (const AxisStep& row : rows) {
        const QRgb* in = reinterpret_cast<const QRgb*>(sourceImage.constScanLine(row.Source));
        QRgb* out = reinterpret_cast<QRgb*>(m_image.scanLine(row.Dest));
        for (const AxisStep& column : columns) {
            const QRgb value = in[column.Source];
            if ((value & 0xFFFFFF) != keyValue && (!clip || clip->contains(column.Dest, row.Dest)))
                out[column.Dest] = value;
        }
    }
}

} // namespace tf
