// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <csignal>
#include <thread>

#include <QApplication>
#include <QCloseEvent>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/CloseOnSignal.h"
#include <pthread.h>
#include <signal.h>

// A request to stop closes the window the normal way: its close handler runs once and the event
// loop ends with status 0. Nothing is blocked for the processes the program starts.
class tst_CloseOnSignal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void signalClosesWindow_data();
    void signalClosesWindow();
    void signalBeforeTheLoop();
    void childrenBlockNothing_data();
    void childrenBlockNothing();

private:
    sigset_t m_savedMask;
};

namespace {

class RecordingWindow final : public QWidget
{
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        event->accept();
    }
};

// Runs the event loop until the window's closing ends it; a loop still running after a long
// while is ended with a status that fails the test instead of hanging it.
int runLoop()
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &guard, [] { QCoreApplication::exit(99); });
    guard.start(20000);
    return QCoreApplication::exec();
}

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGINT);
    return set;
}

// The blocked-signal set of a child process, as the kernel reports it ("SigBlk", in hex).
QByteArray childBlockedSignals()
{
    QProcess child;
    child.start(QStringLiteral("grep"), {QStringLiteral("SigBlk"), QStringLiteral("/proc/self/status")});
    if (!child.waitForFinished(20000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return "grep failed: " + child.readAllStandardError();
    return child.readAllStandardOutput().trimmed();
}

} // namespace

void tst_CloseOnSignal::init()
{
    ::pthread_sigmask(SIG_SETMASK, nullptr, &m_savedMask);
}

void tst_CloseOnSignal::cleanup()
{
    ::pthread_sigmask(SIG_SETMASK, &m_savedMask, nullptr);
}

void tst_CloseOnSignal::signalClosesWindow_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("otherThread");
    QTest::newRow("SIGTERM") << SIGTERM << false;
    QTest::newRow("SIGHUP") << SIGHUP << false;
    QTest::newRow("SIGINT") << SIGINT << false;
    // A thread of the toolkit or a library may take the signal: the window still closes from
    // the event loop.
    QTest::newRow("SIGTERM taken by another thread") << SIGTERM << true;
}

void tst_CloseOnSignal::signalClosesWindow()
{
    QFETCH(int, signal);
    QFETCH(bool, otherThread);
    CloseOnSignal closer;
    RecordingWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    closer.watch(&window);

    QTimer::singleShot(0, &window, [signal, otherThread] {
        if (otherThread)
            std::thread([signal] { std::raise(signal); }).join();
        else
            std::raise(signal);
    });
    QCOMPARE(runLoop(), 0);
    QCOMPARE(window.closes, 1);
    QVERIFY(!window.isVisible());
}

// A signal that comes during start-up waits for the event loop and closes the window then.
void tst_CloseOnSignal::signalBeforeTheLoop()
{
    CloseOnSignal closer;
    RecordingWindow window;
    window.show();
    closer.watch(&window);
    std::raise(SIGTERM);
    std::raise(SIGHUP);
    QCOMPARE(window.closes, 0);
    QCOMPARE(runLoop(), 0);
    QCOMPARE(window.closes, 1);
}

void tst_CloseOnSignal::childrenBlockNothing_data()
{
    QTest::addColumn<bool>("startedBlocked");
    QTest::newRow("started as usual") << false;
    // As a program started by one that blocked them (the fault this guards against, one level
    // up): the signals must reach it and its children all the same.
    QTest::newRow("started with the stop signals blocked") << true;
}

// A program the scoreboard starts (a session bus, a speech server) must end on SIGTERM like any
// other: it starts with no signal blocked. The close on a signal works all the same.
void tst_CloseOnSignal::childrenBlockNothing()
{
    QFETCH(bool, startedBlocked);
    sigset_t start;
    if (startedBlocked)
        start = stopSignals();
    else
        sigemptyset(&start);
    ::pthread_sigmask(SIG_SETMASK, &start, nullptr);

    CloseOnSignal closer;
    RecordingWindow window;
    window.show();
    closer.watch(&window);
    QCOMPARE(childBlockedSignals(), QByteArray("SigBlk:\t0000000000000000"));

    QTimer::singleShot(0, &window, [] { std::raise(SIGTERM); });
    QCOMPARE(runLoop(), 0);
    QCOMPARE(window.closes, 1);
    // Still nothing blocked once it has closed the window.
    QCOMPARE(childBlockedSignals(), QByteArray("SigBlk:\t0000000000000000"));
}

QTEST_MAIN(tst_CloseOnSignal)
#include "tst_CloseOnSignal.moc"
