// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "app/Version.h"
#include "match/Checkout.h"

namespace {

constexpr int UsageError = 2;

// Options the toolkit reads itself when the application object is created; a session manager
// restarts the program with -session, a user may ask for another style or platform.
constexpr const char *ToolkitOptionsWithValue[]
    = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowicon",
        "icon", "qwindowtitle", "title", "session", "display", "style", "stylesheet", "qmljsdebugger"};
constexpr const char *ToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void acceptToolkitOptions(QCommandLineParser &parser)
{
    for (const char *name : ToolkitOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : ToolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString toolkitOptionsText()
{
    QStringList names;
    for (const char *name : ToolkitOptionsWithValue)
        names << QStringLiteral("-%1 <value>").arg(QLatin1StringView(name));
    for (const char *name : ToolkitFlags)
        names << QStringLiteral("-%1").arg(QLatin1StringView(name));
    return QStringLiteral("\nOptions of the Qt toolkit, passed on to it:\n  %1\n")
        .arg(names.join(QStringLiteral(", ")));
}

// --routes [--out double|straight] [--average N]: the checkout chart of the rule for a player of
// the average, or the usage error that names what is wrong.
bool readChart(const QCommandLineParser &parser, const QCommandLineOption &out, const QCommandLineOption &average,
    QString *chart, QString *error)
{
    CheckoutRule rule = CheckoutRule::DoubleOut;
    const QString ruleName = parser.value(out);
    if (ruleName == QStringLiteral("straight")) {
        rule = CheckoutRule::StraightOut;
    } else if (ruleName != QStringLiteral("double")) {
        *error = QStringLiteral("Unknown checkout rule: %1 (double or straight)").arg(ruleName);
        return false;
    }
    int level = defaultLevel;
    if (parser.isSet(average)) {
        bool ok = false;
        const double value = parser.value(average).toDouble(&ok);
        if (!ok || !(value > 0 && value <= 180)) {
            *error = QStringLiteral("Not a three-dart average: %1").arg(parser.value(average));
            return false;
        }
        level = levelForAverage(value);
    }
    *chart = checkoutChart(rule, level);
    return true;
}

} // namespace

CommandLineOutcome ReadCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Scoreboard for two-player darts matches."));
    // The toolkit's options come with one dash, as it documents them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption routes(QStringLiteral("routes"),
        QStringLiteral("Print the checkout route of every score three darts can check out (score, route, chance "
                       "of checking out in the visit in percent), then what to aim at up to 220 where no finish "
                       "is in hand, and end."));
    const QCommandLineOption out(QStringLiteral("out"),
        QStringLiteral("With --routes: how a leg ends, on a double or the bull (double, the default) or on any dart "
                       "that reaches 0 (straight)."),
        QStringLiteral("rule"), QStringLiteral("double"));
    const QCommandLineOption average(QStringLiteral("average"),
        QStringLiteral("With --routes: the routes for a player of this three-dart average (by default 60)."),
        QStringLiteral("N"));
    parser.addOptions({routes, out, average});
    acceptToolkitOptions(parser);

    CommandLineOutcome outcome;
    const auto usageError = [&](const QString &error) {
        outcome.startScoreboard = false;
        outcome.exitStatus = UsageError;
        outcome.standardError = error + QStringLiteral("\n\n") + parser.helpText();
        return outcome;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().constFirst()));
    // --help-all is there only when an application object is.
    const bool helpAll = parser.optionNames().contains(QStringLiteral("help-all"));
    if (parser.isSet(help) || helpAll) {
        outcome.startScoreboard = false;
        outcome.standardOutput = parser.helpText() + (helpAll ? toolkitOptionsText() : QString());
    } else if (parser.isSet(version)) {
        outcome.startScoreboard = false;
        outcome.standardOutput = QStringLiteral("Pontix %1\n").arg(QLatin1StringView(PontixVersion));
    } else if (parser.isSet(routes)) {
        QString error;
        if (!readChart(parser, out, average, &outcome.standardOutput, &error))
            return usageError(error);
        outcome.startScoreboard = false;
    } else if (parser.isSet(out) || parser.isSet(average)) {
        return usageError(QStringLiteral("--out and --average go with --routes"));
    }
    return outcome;
}
