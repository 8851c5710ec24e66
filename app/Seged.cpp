// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Seged.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/LazyIconEngine.h"
#include "app/Version.h"

namespace {

// The window speaks Hungarian, and so do the toolkit's own texts (the edit boxes' menus, the
// standard buttons of dialogs) once its Hungarian catalogue is loaded, whatever the desktop's
// language. The catalogue comes with the toolkit's translations package; without it those
// texts stay in English.
void loadToolkitTranslation()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void InitApplication()
{
    // The folders are fixed before anything reads the settings file, that is before the main
    // window.
    InitFolders();
    loadToolkitTranslation();
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
