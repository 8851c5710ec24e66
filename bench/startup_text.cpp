// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor of any window that shows text: the bare main window with one label in the default
// font, so that the toolkit's font set-up is paid as in Pontix. Ended at its first paint, or with
// --stay left open as a program is.
#include <optional>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>

#include "bench/BenchSupport.h"

int main(int argc, char *argv[])
{
    const auto start = bench::Clock::now();
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Pontix 501"), &window));
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    std::optional<bench::ExitAtFirstPaint> probe;
    if (!QCoreApplication::arguments().contains(QStringLiteral("--stay")))
        probe.emplace(&window, start);
    window.show();
    return QApplication::exec();
}
