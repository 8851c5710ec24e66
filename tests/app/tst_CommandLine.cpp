// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>

#include <QRegularExpression>
#include <QTest>

#include "app/CommandLine.h"
#include "app/Version.h"
#include "match/Checkout.h"

Q_DECLARE_METATYPE(CheckoutRule)

// What the command line asks: help and version answer and end, anything unknown is a usage
// error, the toolkit's own options pass, nothing else changes the scoreboard.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data();
    void outcome();
    void versionNamesTheBuild();
    void routesAreTheAdvice_data();
    void routesAreTheAdvice();
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
    QTest::newRow("routes") << QStringList {QStringLiteral("--routes")} << false << 0
                            << QStringLiteral("170\tT20 T20 Bull\t") << QString();
    QTest::newRow("routes, straight out")
        << QStringList {QStringLiteral("--routes"), QStringLiteral("--out"), QStringLiteral("straight")} << false << 0
        << QStringLiteral("180\tT20 T20 T20\t") << QString();
    QTest::newRow("routes, an average") << QStringList {QStringLiteral("--routes"), QStringLiteral("--average=40.5")}
                                        << false << 0 << QStringLiteral("200\tT7 \u2192 179\n") << QString();
    QTest::newRow("routes, no such rule")
        << QStringList {QStringLiteral("--routes"), QStringLiteral("--out"), QStringLiteral("single")} << false << 2
        << QString() << QStringLiteral("Unknown checkout rule: single (double or straight)\n\nUsage: ");
    for (const char *average : {"0", "-20", "181", "sixty", ""}) {
        QTest::newRow(qPrintable(QStringLiteral("routes, average \"%1\"").arg(QLatin1StringView(average))))
            << QStringList {QStringLiteral("--routes"), QStringLiteral("--average"), QString::fromLatin1(average)}
            << false << 2 << QString()
            << QStringLiteral("Not a three-dart average: %1\n").arg(QLatin1StringView(average));
    }
    QTest::newRow("average without routes") << QStringList {QStringLiteral("--average"), QStringLiteral("60")} << false
                                            << 2 << QString() << QStringLiteral("--out and --average go with --routes");
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

void tst_CommandLine::routesAreTheAdvice_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<CheckoutRule>("rule");
    QTest::addColumn<int>("level");

    const auto levelOf = [](int average) {
        return int(std::find(levelAverages.begin(), levelAverages.end(), average) - levelAverages.begin());
    };
    QTest::newRow("default") << QStringList() << CheckoutRule::DoubleOut << defaultLevel;
    QTest::newRow("double out, 90") << QStringList {QStringLiteral("--out=double"), QStringLiteral("--average=90")}
                                    << CheckoutRule::DoubleOut << levelOf(90);
    QTest::newRow("straight out, 40") << QStringList {QStringLiteral("--out=straight"), QStringLiteral("--average=43")}
                                      << CheckoutRule::StraightOut << levelOf(40);
    QTest::newRow("above every level") << QStringList {QStringLiteral("--average=120")} << CheckoutRule::DoubleOut
                                       << levelOf(100);
}

// The chart printed is the advice of the level nearest to the average, under the rule asked for.
void tst_CommandLine::routesAreTheAdvice()
{
    QFETCH(QStringList, options);
    QFETCH(CheckoutRule, rule);
    QFETCH(int, level);
    const CommandLineOutcome outcome
        = ReadCommandLine(QStringList {QStringLiteral("pontix"), QStringLiteral("--routes")} + options);
    QCOMPARE(outcome.exitStatus, 0);
    QCOMPARE(outcome.standardOutput, checkoutChart(rule, level));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
