// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/OffscreenScreens.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <qpa/qplatformnativeinterface.h>
#include <qpa/qwindowsysteminterface.h>

bool useOffscreenScreens(const QString &folder, const QByteArray &screensJson)
{
    QFile config(QDir(folder).filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly) || config.write(screensJson) != screensJson.size())
        return false;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    return true;
}

bool changeOffscreenScreens(const QByteArray &screensJson)
{
    QPlatformNativeInterface *platform = QGuiApplication::platformNativeInterface();
    if (!platform || QGuiApplication::platformName() != QLatin1String("offscreen"))
        return false;
    // The offscreen platform's own entry for a new configuration, applied as a difference.
    using SetConfiguration = void (*)(const QJsonObject &, QPlatformNativeInterface *);
    const auto set = reinterpret_cast<SetConfiguration>(platform->nativeResourceForIntegration("setConfiguration"));
    const QJsonDocument screens = QJsonDocument::fromJson(screensJson);
    if (!set || !screens.isObject())
        return false;
    set(screens.object(), platform);
    return true;
}

void activateAsWindowManager(QWindow *window)
{
    QWindowSystemInterface::handleWindowActivated(window, Qt::ActiveWindowFocusReason);
    QWindowSystemInterface::flushWindowSystemEvents();
}
