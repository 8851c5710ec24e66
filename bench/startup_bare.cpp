// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The peer of Pontix's start-up: an empty main window of the same toolkit and the same size,
// ended at its first paint.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>

#include "bench/BenchSupport.h"

int main(int argc, char *argv[])
{
    const auto start = bench::Clock::now();
    QApplication app(argc, argv);
    QMainWindow window;
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    bench::ExitAtFirstPaint probe(&window, start);
    window.show();
    return QApplication::exec();
}
