// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Picture.h"

#include <QFile>
#include <QGuiApplication>

#include "app/LazyIconEngine.h"

namespace {

// The "@2x" twin of the picture where QIcon looks for it, on a scaled screen only; empty where
// there is none or the screen is not scaled.
QString twinOnScaledScreen(const QString &resource)
{
    const qsizetype dot = resource.lastIndexOf(u'.');
    if (qApp->devicePixelRatio() <= 1.0 || dot <= 0)
        return QString();
    const QString twin = resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
    return QFile::exists(twin) ? twin : QString();
}

} // namespace

QIcon pictureIcon(const QString &resource, QSize size)
{
    auto *files = new LazyIconEngine;
    files->addFile(resource, size, QIcon::Normal, QIcon::Off);
    const QString twin = twinOnScaledScreen(resource);
    if (!twin.isEmpty())
        files->addFile(twin, size * 2, QIcon::Normal, QIcon::Off);
    return QIcon(files);
}
