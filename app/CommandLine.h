// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// What the command line asks of Pontix, decided before any window system is touched.
#pragma once

#include <QString>
#include <QStringList>

// The answer to a command line: start the scoreboard, or print and end with an exit status.
struct CommandLineOutcome
{
    bool startScoreboard = true;
    int exitStatus = 0;
    QString standardOutput;
    QString standardError;
};

// --help, --version and --routes (the checkout chart, with --out and --average) print and end with
// status 0; an unknown option, a wrong value or an argument prints the usage on standard error and
// ends with status 2. The toolkit's own options (-platform, -style, -session, ...) are let through
// to it. The first argument is the program's path.
CommandLineOutcome ReadCommandLine(const QStringList &arguments);
