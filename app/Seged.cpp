// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Seged.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "app/Language.h"
#include "app/LazyIconEngine.h"
#include "app/Version.h"

void InitApplication()
{
    // The folders are fixed before anything reads the settings file, that is before the main
    // window.
    InitFolders();
    // The window's language is fixed before its first text: a choice made in the settings panel
    // counts from the next start.
    InstallUiLanguage(
        ChosenUiLanguage(valueOf(ReadLanguageSetting(), LanguageSetting), QLocale::system().uiLanguages()));
    QApplication::setApplicationName(QStringLiteral("Pontix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pontix"));
    QApplication::setApplicationVersion(QString::fromLatin1(PontixVersion));
    // The desktop entry and the AppStream metadata carry the same name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(PontixAppId));
    // Up to 128 pixels: twice the largest size a task switcher shows at scale factor 1. The
    // desktop's own lists take the larger sizes from the installed icon theme.
    // Handed over undecoded: most platforms ask for few of the sizes, if any, and only once they
    // show a window. (These files have no "@2x" twins.)
    auto *files = new LazyIconEngine;
    for (int size : {16, 32, 48, 64, 72, 96, 128})
        files->addFile(
            QStringLiteral(":/assets/icon/pontix-%1.png").arg(size), QSize(size, size), QIcon::Normal, QIcon::Off);
    // X hands every size to the desktop as the first window opens: there they are decoded while
    // the main window is built.
    if (QGuiApplication::platformName() == QLatin1StringView("xcb"))
        files->readAllMeanwhile();
    const QIcon icon(files);
    QApplication::setWindowIcon(icon);
}
