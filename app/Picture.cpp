#include "app/Picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QResource>

#include "app/LazyIconEngine.h"
#include "app/Pixels.h"

QImage readPicture(const QString &resource)
{
    if (resource.startsWith(QStringLiteral(":/"))) {
        const QResource pixels(QStringLiteral(":/pixels") + resource.mid(1));
        if (pixels.isValid()) {
            // Built in uncompressed, so that the copy is the only work.
            const QByteArray bytes = pixels.compressionAlgorithm() == QResource::NoCompression
                ? QByteArray::fromRawData(reinterpret_cast<const char *>(pixels.data()), pixels.size())
                : pixels.uncompressedData();
            const QImage image = imageFromPixels(bytes);
            if (!image.isNull())
                return image;
        }
    }
    return QImage(resource);
}

QIcon pictureIcon(const QString &resource, QSize size)
{
    auto *files = new LazyIconEngine;
    files->addFile(resource, size, QIcon::Normal, QIcon::Off);
    // Where QIcon looks for the twin: only on a scaled screen.
    const qsizetype dot = resource.lastIndexOf(u'.');
    const QString twin = resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
    if (qApp->devicePixelRatio() > 1.0 && dot > 0 && QFile::exists(twin))
        files->addFile(twin, size * 2, QIcon::Normal, QIcon::Off);
    return QIcon(files);
}
