#include "app/Pixels.h"

#include <cstring>

namespace {

// Written and read by builds of the same program on the same machine: native byte order.
struct Header
{
    char mark[8];
    quint32 width;
    quint32 height;
    quint32 format;
    quint32 ratio;
};

constexpr char Mark[8] = {'P', 'O', 'N', 'T', 'I', 'X', 'P', 'X'};
constexpr quint32 LargestSide = 16384;

bool fourBytesAPixel(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QByteArray pixelsOf(const QImage &decoded)
{
    const QImage image = fourBytesAPixel(decoded.format()) ? decoded : decoded.convertToFormat(QImage::Format_ARGB32);
    Header header {};
    std::memcpy(header.mark, Mark, sizeof Mark);
    header.width = quint32(image.width());
    header.height = quint32(image.height());
    header.format = quint32(image.format());
    header.ratio = quint32(qRound(image.devicePixelRatio()));

    const qsizetype row = qsizetype(image.width()) * 4;
    QByteArray pixels(qsizetype(sizeof header) + row * image.height(), Qt::Uninitialized);
    std::memcpy(pixels.data(), &header, sizeof header);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(pixels.data() + sizeof header + row * y, image.constScanLine(y), size_t(row));
    return pixels;
}

QImage imageFromPixels(QByteArrayView pixels)
{
    Header header {};
    if (pixels.size() < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, pixels.data(), sizeof header);
    const auto format = QImage::Format(header.format);
    if (std::memcmp(header.mark, Mark, sizeof Mark) != 0 || !fourBytesAPixel(format) || header.width == 0
        || header.width > LargestSide || header.height == 0 || header.height > LargestSide || header.ratio == 0
        || header.ratio > 4)
        return {};
    const qsizetype row = qsizetype(header.width) * 4;
    if (pixels.size() != qsizetype(sizeof header) + row * qsizetype(header.height))
        return {};

    QImage image(int(header.width), int(header.height), format);
    if (image.isNull())
        return {};
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), pixels.data() + sizeof header + row * y, size_t(row));
    image.setDevicePixelRatio(header.ratio);
    return image;
}
