// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Pontix's own start-up, as the program runs it, ended at the first paint of the main window.
#include <QApplication>

#include "app/Main.h"
#include "app/Seged.h"
#include "bench/BenchSupport.h"

int main(int argc, char *argv[])
{
    const auto start = bench::Clock::now();
    QApplication app(argc, argv);
    InitApplication();

    Tfrm_Main window;
    frm_Main = &window;
    bench::ExitAtFirstPaint probe(&window, start);
    window.show();
    return QApplication::exec();
}
