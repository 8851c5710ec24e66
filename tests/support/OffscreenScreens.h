// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A desktop of several screens for a test on the offscreen platform.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

class QWindow;

// Writes the screens (the offscreen platform's JSON configuration) into a file in Folder and
// makes the offscreen platform use it. Call before the application object exists; false when the
// file cannot be written.
bool useOffscreenScreens(const QString &folder, const QByteArray &screensJson);

// Replaces the screens of the running offscreen platform, as plugging in or pulling out a monitor
// does: screens are told apart by their names, those gone are removed, the new ones added. False
// when the platform cannot or the JSON does not read.
bool changeOffscreenScreens(const QByteArray &screensJson);

// Activates the window as the window system does when the window manager gives it the keyboard,
// whether or not the window asked for it.
void activateAsWindowManager(QWindow *window);

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
