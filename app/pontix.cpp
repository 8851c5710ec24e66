// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>

#include <QApplication>
#include <QCoreApplication>

#include "app/CloseOnSignal.h"
#include "app/CommandLine.h"
#include "app/Main.h"
#include "app/Seged.h"

int main(int argc, char *argv[])
{
    {
        // The command line is read with a bare application object, so --help and --version
        // answer without a display.
        const QCoreApplication commandLine(argc, argv);
        const CommandLineOutcome outcome = ReadCommandLine(QCoreApplication::arguments());
        if (!outcome.startScoreboard) {
            std::fputs(outcome.standardOutput.toLocal8Bit().constData(), stdout);
            std::fputs(outcome.standardError.toLocal8Bit().constData(), stderr);
            return outcome.exitStatus;
        }
    }

    CloseOnSignal closeOnSignal; // from here on a stop signal closes the window once it shows
    // The executable's folder is known only once the application object exists.
    QApplication app(argc, argv);
    InitApplication();

    Tfrm_Main window;
    frm_Main = &window;
    window.show();
    closeOnSignal.watch(&window);
    const int status = QApplication::exec();
    frm_Main = nullptr;
    return status;
}
