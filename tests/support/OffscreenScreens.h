// A desktop of several screens for a test on the offscreen platform.
#pragma once

#include <QByteArray>
#include <QString>

// Writes the screens (the offscreen platform's JSON configuration) into a file in Folder and
// makes the offscreen platform use it. Call before the application object exists; false when the
// file cannot be written.
bool useOffscreenScreens(const QString &folder, const QByteArray &screensJson);
