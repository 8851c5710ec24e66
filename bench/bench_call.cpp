// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Call latency: from Enter in the entry box to the start of the call, with the real main window,
// its caller switched on in Hungarian, and a real speech-dispatcher with the espeak-ng voices
// started here (its sound goes to a file through ALSA: the machine may have no sound card).
//
// Two moments of each call are timed from the key press:
// - "speaking": the engine's report that the call began, as it reaches the window's thread;
// - "sound": the moment speech-dispatcher hands the call's first sound to the sound output, read
//   from its log, which times it to the microsecond. A sound card's own buffer comes on top.
//
// The peer, in the same run and against the same server: a bare QTextToSpeech on the window's
// thread saying the same calls, timed from say() to the same two moments.

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <QTextToSpeech>
#include <QThread>

#include "app/CallerControls.h"
#include "app/Main.h"
#include "app/Seged.h"
#include "bench/BenchSupport.h"
#include "bench/ShownWindow.h"
#include "caller/Caller.h"
#include "controls/uEditEx.h"
#include "tests/support/SpeechServer.h"

namespace {

using bench::Clock;
using WallClock = std::chrono::system_clock;

constexpr int Calls = 40;
constexpr qint32 Scores[] = {60, 45, 100, 26, 81, 140, 41, 57, 180, 85, 22, 95};

// Waits, running the event loop, until the condition holds or the time is up.
bool waitFor(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    const Clock::time_point end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

// When speech-dispatcher handed the first sound of the message to the output, by its log from
// `offset` on: the first "Sending ... samples to audio" after "Queueing message |text|". Its lines
// begin "[Fri Dec 11 04:06:52 2026 : 148585]", local time and microseconds.
std::optional<WallClock::time_point> firstSound(const QString &log, qint64 offset, const QString &text)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return std::nullopt;
    const QString tail = QString::fromUtf8(file.readAll());
    const qsizetype queued = tail.indexOf(QStringLiteral("Queueing message |%1|").arg(text));
    if (queued < 0)
        return std::nullopt;
    static const QRegularExpression sent(
        QStringLiteral("\\[(\\w+ \\w+ +\\d+ [\\d:]+ \\d+) : (\\d+)\\][^\\n]*Sending \\d+ samples to audio"));
    const QRegularExpressionMatch match = sent.match(tail, queued);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime second
        = QLocale::c().toDateTime(match.captured(1).simplified(), QStringLiteral("ddd MMM d HH:mm:ss yyyy"));
    if (!second.isValid())
        return std::nullopt;
    return WallClock::time_point(std::chrono::seconds(second.toSecsSinceEpoch()))
        + std::chrono::microseconds(match.captured(2).toLongLong());
}

struct CallTimes
{
    bench::Samples speaking;
    bench::Samples sound;
    int missed = 0;
};

// Times one call of `text` (known once `start` has run): `start` begins it, `speaking` says
// whether the engine has reported that it speaks, `ended` whether it is over.
void timeCall(CallTimes &times, const SpeechServer &server, const QString &text, const std::function<void()> &start,
    const std::function<bool()> &speaking, const std::function<bool()> &ended)
{
    const qint64 logged = QFile(server.logPath()).size();
    std::optional<Clock::duration> spoke;
    const WallClock::time_point wall = WallClock::now();
    const Clock::time_point t0 = Clock::now();
    start();
    waitFor(
        [&] {
            if (!spoke && speaking())
                spoke = Clock::now() - t0;
            return spoke.has_value();
        },
        std::chrono::seconds(5));
    waitFor(ended, std::chrono::seconds(10));
    const std::optional<WallClock::time_point> sound = firstSound(server.logPath(), logged, text);
    if (spoke && sound) {
        times.speaking.add(*spoke);
        times.sound.add(std::chrono::duration_cast<Clock::duration>(*sound - wall));
    } else {
        ++times.missed;
    }
}

void report(const char *who, const CallTimes &times)
{
    std::printf("%-38s speaking: median %6.1f ms, p90 %6.1f ms; sound: median %6.1f ms, p90 %6.1f ms, max %6.1f ms "
                "(%zu calls, %d missed)\n",
        who, times.speaking.quantileUs(0.5) / 1000, times.speaking.quantileUs(0.9) / 1000,
        times.sound.quantileUs(0.5) / 1000, times.sound.quantileUs(0.9) / 1000, times.sound.quantileUs(1.0) / 1000,
        times.sound.size(), times.missed);
}

} // namespace

int main(int argc, char **argv)
{
    bench::useOffscreenScreen();
    QApplication app(argc, argv);
    InitApplication();

    const QString missing = SpeechServer::missing();
    if (!missing.isEmpty()) {
        std::printf("not measured: %s\n", qPrintable(missing));
        return 0;
    }
    SpeechServer server;
    if (!server.start()) {
        std::printf("not measured: %s\n", qPrintable(server.error()));
        return 0;
    }
    // The bench's own server, and never one of the machine's configuration.
    qputenv("SPEECHD_ADDRESS", server.address().toUtf8());
    qputenv("SPEECHD_CMD", "/nonexistent/speech-dispatcher");

    Tfrm_Main window;
    frm_Main = &window;
    bench::showPastSplash(window);
    window.aBeallit->trigger();
    // The caller's box is made with the settings panel, as the operator meets it.
    QComboBox *const callerBox = window.findChild<CallerBox *>()->box();
    callerBox->setCurrentIndex(int(CallerSetting::Hungarian));
    Caller *caller = window.caller();
    const auto callerIs
        = [caller](Caller::State state) { return [caller, state] { return caller->state() == state; }; };
    const Clock::time_point switchedOn = Clock::now();
    if (!waitFor(callerIs(Caller::State::Ready), std::chrono::minutes(2))) {
        std::printf("not measured: the caller did not get ready: %s\n", qPrintable(caller->silenceReason()));
        return 0;
    }
    std::printf("caller ready %.1f s after it was switched on (speech-dispatcher lists its voices)\n",
        std::chrono::duration<double>(Clock::now() - switchedOn).count());

    CallTimes pontix;
    QStringList said;
    for (int i = 0; i < Calls; ++i) {
        if (window.Remaining1 < 200 || window.Remaining2 < 200) {
            window.aUj->trigger();
            waitFor(callerIs(Caller::State::Ready), std::chrono::seconds(10));
        }
        bench::spin(std::chrono::milliseconds(300));
        const qint32 score = Scores[i % int(std::size(Scores))];
        window.EditEx1->setText(QString::number(score));
        bool spoke = false;
        const QMetaObject::Connection watch = QObject::connect(caller, &Caller::stateChanged, caller,
            [&spoke](Caller::State state) { spoke = spoke || state == Caller::State::Speaking; });
        // The call the entry made, worked out again from the match as the entry left it; looked for
        // in the server's log once the call is over.
        QString text;
        timeCall(
            pontix, server, text,
            [&] {
                QTest::keyClick(window.EditEx1, Qt::Key_Return);
                text = callAfterEntry(window.match(), score, true,
                    {window.ComboBox1->currentText(), window.ComboBox2->currentText()}, CallLanguage::Hungarian);
            },
            [&] { return spoke; }, callerIs(Caller::State::Ready));
        QObject::disconnect(watch);
        said << text;
    }
    callerBox->setCurrentIndex(int(CallerSetting::Off));
    // The caller's engine goes on its own thread first: two engines must not start and end at once.
    bench::spin(std::chrono::seconds(2));

    QTextToSpeech speech(QStringLiteral("speechd"));
    for (const QLocale &locale : speech.availableLocales()) {
        if (locale.language() == QLocale::Hungarian)
            speech.setLocale(locale);
    }
    CallTimes peer;
    for (const QString &text : std::as_const(said)) {
        bench::spin(std::chrono::milliseconds(300));
        timeCall(
            peer, server, text, [&] { speech.say(text); }, [&] { return speech.state() == QTextToSpeech::Speaking; },
            [&] { return speech.state() == QTextToSpeech::Ready; });
    }

    report("Pontix, from Enter:", pontix);
    report("peer (QTextToSpeech::say), from say:", peer);
    const double median = pontix.sound.quantileUs(0.5) / 1000;
    const double worst = pontix.sound.quantileUs(1.0) / 1000;
    std::printf("Pontix's calls start %.1f ms after Enter (median), %.1f ms at most: %s the 100 ms target\n", median,
        worst, worst <= 100 && pontix.missed == 0 ? "within" : "ABOVE");
    frm_Main = nullptr;
    return 0;
}
