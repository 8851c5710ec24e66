#include "app/Picture.h"

#include <QFile>
#include <QGuiApplication>

#include "app/LazyIconEngine.h"

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
