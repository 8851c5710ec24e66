// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A desktop of several screens for a test on the offscreen platform.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// Writes the screens (the offscreen platform's JSON configuration) into a file in Folder and
// makes the offscreen platform use it. Call before the application object exists; false when the
// file cannot be written.
bool useOffscreenScreens(const QString &folder, const QByteArray &screensJson);

// Runs the test class Test on an offscreen desktop of the given screens, as a test program's main.
template <typename Test> int execOnScreens(int argc, char *argv[], const QByteArray &screensJson)
{
    QTemporaryDir dir;
    if (!useOffscreenScreens(dir.path(), screensJson))
        return 1;
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
