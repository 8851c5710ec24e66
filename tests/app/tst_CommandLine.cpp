// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QRegularExpression>
#include <QTest>

#include "app/CommandLine.h"
#include "app/Version.h"

// What the command line asks: help and version answer and end, anything unknown is a usage
// error, the toolkit's own options pass, nothing else changes the scoreboard.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data();
    void outcome();
    void versionNamesTheBuild();
};

void tst_CommandLine::outcome_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("startScoreboard");
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<QString>("outputHas");
    QTest::addColumn<QString>("errorHas");

    // The usage names the running program, whatever its path.
    const QString usage = QStringLiteral(" [options]\nScoreboard for two-player darts matches.");
    QTest::newRow("nothing") << QStringList() << true << 0 << QString() << QString();
    QTest::newRow("--help") << QStringList {QStringLiteral("--help")} << false << 0 << usage << QString();
    QTest::newRow("-h") << QStringList {QStringLiteral("-h")} << false << 0 << usage << QString();
    QTest::newRow("--help-all") << QStringList {QStringLiteral("--help-all")} << false << 0
                                << QStringLiteral("-platform <value>") << QString();
    QTest::newRow("--version") << QStringList {QStringLiteral("--version")} << false << 0 << QStringLiteral("Pontix ")
                               << QString();
    QTest::newRow("-v") << QStringList {QStringLiteral("-v")} << false << 0 << QStringLiteral("Pontix ") << QString();
    QTest::newRow("help wins over version")
        << QStringList {QStringLiteral("--version"), QStringLiteral("--help")} << false << 0 << usage << QString();
    QTest::newRow("unknown option") << QStringList {QStringLiteral("--fullscreen")} << false << 2 << QString()
                                    << QStringLiteral("Unknown option 'fullscreen'.\n\nUsage: ");
    QTest::newRow("unknown short option") << QStringList {QStringLiteral("-x")} << false << 2 << QString() << usage;
    QTest::newRow("unknown among known") << QStringList {QStringLiteral("--version"), QStringLiteral("--bogus")}
                                         << false << 2 << QString() << usage;
    QTest::newRow("argument") << QStringList {QStringLiteral("match.txt")} << false << 2 << QString()
                              << QStringLiteral("Unexpected argument: match.txt");
    QTest::newRow("value given to help") << QStringList {QStringLiteral("--help=yes")} << false << 2 << QString()
                                         << usage;
    QTest::newRow("toolkit platform") << QStringList {QStringLiteral("-platform"), QStringLiteral("offscreen")} << true
                                      << 0 << QString() << QString();
    QTest::newRow("toolkit style, two dashes")
        << QStringList {QStringLiteral("--style=Fusion")} << true << 0 << QString() << QString();
    QTest::newRow("session manager restart") << QStringList {QStringLiteral("-session"), QStringLiteral("1a2b3c_123")}
                                             << true << 0 << QString() << QString();
    QTest::newRow("toolkit flag") << QStringList {QStringLiteral("-reverse")} << true << 0 << QString() << QString();
    QTest::newRow("toolkit option without its value")
        << QStringList {QStringLiteral("-platform")} << false << 2 << QString() << usage;
}

void tst_CommandLine::outcome()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, startScoreboard);
    QFETCH(int, exitStatus);
    QFETCH(QString, outputHas);
    QFETCH(QString, errorHas);

    arguments.prepend(QStringLiteral("pontix"));
    const CommandLineOutcome outcome = ReadCommandLine(arguments);
    QCOMPARE(outcome.startScoreboard, startScoreboard);
    QCOMPARE(outcome.exitStatus, exitStatus);
    if (outputHas.isEmpty())
        QCOMPARE(outcome.standardOutput, QString());
    else
        QVERIFY2(outcome.standardOutput.contains(outputHas), qPrintable(outcome.standardOutput));
    if (errorHas.isEmpty())
        QCOMPARE(outcome.standardError, QString());
    else
        QVERIFY2(outcome.standardError.contains(errorHas), qPrintable(outcome.standardError));
}

void tst_CommandLine::versionNamesTheBuild()
{
    const CommandLineOutcome outcome = ReadCommandLine({QStringLiteral("pontix"), QStringLiteral("--version")});
    QCOMPARE(outcome.standardOutput, QStringLiteral("Pontix %1\n").arg(QLatin1StringView(PontixVersion)));
    // The version comes from the build: four numbers separated by dots.
    QVERIFY2(QString::fromLatin1(PontixVersion).contains(QRegularExpression(QStringLiteral("^\\d+(\\.\\d+){3}$"))),
        PontixVersion);
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
