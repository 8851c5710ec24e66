// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/OffscreenScreens.h"

#include <QDir>
#include <QFile>

bool useOffscreenScreens(const QString &folder, const QByteArray &screensJson)
{
    QFile config(QDir(folder).filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly) || config.write(screensJson) != screensJson.size())
        return false;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    return true;
}
