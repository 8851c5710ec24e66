#include <csignal>

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/CloseOnSignal.h"

// A request to stop closes the window the normal way: its close handler runs once and the event
// loop ends with status 0.
class tst_CloseOnSignal : public QObject
{
    Q_OBJECT

private slots:
    void signalClosesWindow_data();
    void signalClosesWindow();
    void signalBeforeTheLoop();
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

} // namespace

void tst_CloseOnSignal::signalClosesWindow_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void tst_CloseOnSignal::signalClosesWindow()
{
    QFETCH(int, signal);
    CloseOnSignal closer;
    RecordingWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    closer.watch(&window);

    QTimer::singleShot(0, &window, [signal] { std::raise(signal); });
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
    QCOMPARE(window.closes, 0);
    QCOMPARE(runLoop(), 0);
    QCOMPARE(window.closes, 1);
}

QTEST_MAIN(tst_CloseOnSignal)
#include "tst_CloseOnSignal.moc"
