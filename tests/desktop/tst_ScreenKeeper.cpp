// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The screen kept awake against real components: a session bus of the test's own (dbus-daemon)
// with xscreensaver's service for the desktop's screen saver interface, a desktop service of the
// test's own that records what it holds (the portal's interface, and crashes at will), and an X
// server (Xvfb) whose blanking xset reads.
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "desktop/ScreenKeeper.h"
#include "tests/support/StandardError.h"

using namespace Qt::StringLiterals;

namespace {

// xscreensaver's service for the desktop's screen saver interface.
const QString XScreenSaverService = u"/usr/libexec/xscreensaver/xscreensaver-systemd"_s;

// Skips the test for want of a program, or fails it when CI is set.
bool need(const QString &program)
{
    if (!QStandardPaths::findExecutable(program).isEmpty() || QFileInfo(program).isExecutable())
        return true;
    const QString why = program + u" is not installed"_s;
    if (qEnvironmentVariableIsSet("CI"))
        QTest::qFail(qPrintable(u"cannot run under CI: "_s + why), __FILE__, __LINE__);
    else
        QTest::qSkip(qPrintable(why), __FILE__, __LINE__);
    return false;
}

// Reads the first line a started process prints, waiting for it.
QString firstLine(QProcess &process)
{
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(10000))
            return QString();
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}

// A session bus of the test's own that starts no service by itself.
class PrivateBus
{
public:
    PrivateBus()
    {
        const QString config = m_folder.filePath(u"bus.conf"_s);
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                                  "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                  "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                  "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                  "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
                       .arg(m_folder.path())
                       .toUtf8());
        file.close();
        m_daemon.start(u"dbus-daemon"_s, {u"--config-file="_s + config, u"--nofork"_s, u"--print-address"_s});
        address = firstLine(m_daemon);
        if (!address.isEmpty())
            connection = QDBusConnection::connectToBus(address, u"tst_ScreenKeeper"_s);
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(u"tst_ScreenKeeper"_s);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    QString address;
    QDBusConnection connection {QString()};

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
};

// The test's desktop service, "screensaver" or "portal", on the private bus.
class Service
{
public:
    Service(const PrivateBus &bus, const QString &kind)
        : m_bus(bus)
        , m_kind(kind)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address);
        m_process.setProcessEnvironment(environment);
        m_process.start(QStringLiteral(PONTIX_TEST_SERVICE), {kind});
        ready = firstLine(m_process) == u"ready"_s;
    }
    ~Service() { crash(); }

    // Ends the service as a crash would, without a word to its clients.
    void crash()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // Asks the service; -1 when it does not answer.
    qint64 ask(const QString &method) const
    {
        const bool portal = m_kind == u"portal"_s;
        const QDBusMessage reply = m_bus.connection.call(QDBusMessage::createMethodCall(
            portal ? u"org.freedesktop.portal.Desktop"_s : u"org.freedesktop.ScreenSaver"_s,
            portal ? u"/org/freedesktop/portal/desktop"_s : u"/org/freedesktop/ScreenSaver"_s,
            portal ? u"org.freedesktop.portal.Inhibit"_s : u"org.freedesktop.ScreenSaver"_s, method));
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toLongLong() : -1;
    }
    qint64 held() const { return ask(u"Held"_s); }

    bool ready = false;

private:
    const PrivateBus &m_bus;
    const QString m_kind;
    QProcess m_process;
};

// An X server of the test's own, DISPLAY naming it while it lives, with a screen-saver timeout
// other than its default. It is not reset when its last client leaves, as a desktop's never is.
class XServer
{
public:
    XServer()
    {
        m_server.start(u"Xvfb"_s,
            {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"320x240x24"_s, u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
        const QString number = firstLine(m_server);
        if (number.isEmpty())
            return;
        display = u':' + number;
        qputenv("DISPLAY", display.toLocal8Bit());
        QProcess::execute(u"xset"_s, {u"-display"_s, display, u"s"_s, u"300"_s, u"120"_s});
    }
    ~XServer()
    {
        qunsetenv("DISPLAY");
        m_server.kill();
        m_server.waitForFinished();
    }

    // The screen saver's timeout as xset reads it; -1 when it cannot.
    int timeout() const
    {
        QProcess xset;
        xset.start(u"xset"_s, {u"-display"_s, display, u"q"_s});
        xset.waitForFinished();
        const QRegularExpressionMatch match
            = QRegularExpression(u"timeout:\\s+(\\d+)"_s).match(QString::fromUtf8(xset.readAllStandardOutput()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    QString display;

private:
    QProcess m_server;
};

// xscreensaver's service on the private bus, which stands for the system bus too, where the
// test's login1 lets it start; it says what it was asked in its log.
class XScreenSaver
{
public:
    XScreenSaver(const PrivateBus &bus, const XServer &x)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address);
        environment.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, bus.address);
        environment.insert(u"DISPLAY"_s, x.display);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(XScreenSaverService, {u"-verbose"_s});
    }
    ~XScreenSaver() { crash(); }

    void crash()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    QString log()
    {
        m_log += QString::fromUtf8(m_process.readAll());
        return m_log;
    }
    bool ready() { return log().contains(u"registered as \"org.freedesktop.ScreenSaver\""_s); }
    // Inhibitions asked for and let go by Pontix, as the log tells them.
    qsizetype inhibited() { return log().count(u": inhibited by \"Pontix\" ("_s); }
    qsizetype uninhibited() { return log().count(u": uninhibited by \"Pontix\" ("_s); }

private:
    QProcess m_process;
    QString m_log;
};

} // namespace

class tst_ScreenKeeper : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void screenSaverHeldAndReleased();
    void realScreenSaverService();
    void portalWhereNoScreenSaver();
    void screenSaverBeforePortal();
    void serviceCrashes();
    void xServerWhereNoService();
    void nothingAnswers_data();
    void nothingAnswers();
};

void tst_ScreenKeeper::init()
{
    // Nothing of the machine's own desktop is asked.
    qunsetenv("DISPLAY");
    if (!need(u"dbus-daemon"_s))
        return;
}

// The screen saver service holds one inhibition while the screen is to stay awake: let go on
// release and, waited for, when the keeper goes.
void tst_ScreenKeeper::screenSaverHeldAndReleased()
{
    PrivateBus bus;
    QVERIFY(bus.connection.isConnected());
    Service service(bus, u"screensaver"_s);
    QVERIFY(service.ready);
    auto keeper = std::make_unique<ScreenKeeper>(bus.connection);
    QCOMPARE(service.held(), 0);
    keeper->keepAwake();
    QTRY_COMPARE(keeper->hold(), ScreenKeeper::Hold::ScreenSaver);
    QCOMPARE(service.held(), 1);
    keeper->keepAwake();
    keeper->release();
    QCOMPARE(keeper->hold(), ScreenKeeper::Hold::Nothing);
    QTRY_COMPARE(service.held(), 0);
    keeper->keepAwake();
    QTRY_COMPARE(service.held(), 1);
    keeper.reset();
    QCOMPARE(service.held(), 0);
}

// xscreensaver's service is asked and let go; crashed, the X server keeps the screen awake until
// the service is back.
void tst_ScreenKeeper::realScreenSaverService()
{
    if (!need(XScreenSaverService) || !need(u"Xvfb"_s) || !need(u"xset"_s))
        return;
    PrivateBus bus;
    XServer x;
    QVERIFY(!x.display.isEmpty());
    Service login1(bus, u"login1"_s);
    QVERIFY(login1.ready);
    auto saver = std::make_unique<XScreenSaver>(bus, x);
    QTRY_VERIFY(saver->ready());
    auto keeper = std::make_unique<ScreenKeeper>(bus.connection);
    keeper->keepAwake();
    QTRY_COMPARE(keeper->hold(), ScreenKeeper::Hold::ScreenSaver);
    QTRY_COMPARE(saver->inhibited(), 1);
    keeper->release();
    QTRY_COMPARE(saver->uninhibited(), 1);
    keeper->keepAwake();
    QTRY_COMPARE(saver->inhibited(), 2);
    QCOMPARE(x.timeout(), 300);

    saver->crash();
    QTRY_COMPARE(keeper->hold(), ScreenKeeper::Hold::XServer);
    QCOMPARE(x.timeout(), 0);
    saver.reset();
    saver = std::make_unique<XScreenSaver>(bus, x);
    QTRY_VERIFY(saver->ready());
    QTRY_COMPARE(keeper->hold(), ScreenKeeper::Hold::ScreenSaver);
    QTRY_COMPARE(saver->inhibited(), 1);
    QCOMPARE(x.timeout(), 300);
    keeper.reset();
    QTRY_COMPARE(saver->uninhibited(), 1);
}

// Without the screen saver service the portal is asked to inhibit idling, and closing its request
// lets go.
void tst_ScreenKeeper::portalWhereNoScreenSaver()
{
    PrivateBus bus;
    Service portal(bus, u"portal"_s);
    QVERIFY(portal.ready);
    ScreenKeeper keeper(bus.connection);
    keeper.keepAwake();
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::Portal);
    QCOMPARE(portal.held(), 1);
    QCOMPARE(portal.ask(u"LastFlags"_s), 8);
    keeper.release();
    QTRY_COMPARE(portal.held(), 0);
}

void tst_ScreenKeeper::screenSaverBeforePortal()
{
    PrivateBus bus;
    Service portal(bus, u"portal"_s);
    Service screenSaver(bus, u"screensaver"_s);
    QVERIFY(portal.ready && screenSaver.ready);
    ScreenKeeper keeper(bus.connection);
    keeper.keepAwake();
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::ScreenSaver);
    QCOMPARE(screenSaver.held(), 1);
    QCOMPARE(portal.held(), 0);
}

// A crashed service's inhibition is void: with nothing else, one line says so; the service back,
// it is asked again while the screen is to stay awake, and not once it is no longer.
void tst_ScreenKeeper::serviceCrashes()
{
    PrivateBus bus;
    auto service = std::make_unique<Service>(bus, u"screensaver"_s);
    QVERIFY(service->ready);
    ScreenKeeper keeper(bus.connection);
    keeper.keepAwake();
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::ScreenSaver);
    {
        StandardErrorCapture error;
        QSignalSpy nothing(&keeper, &ScreenKeeper::nothingAnswered);
        service->crash();
        QTRY_COMPARE(nothing.count(), 1);
        QCOMPARE(keeper.hold(), ScreenKeeper::Hold::Nothing);
        QCOMPARE(error.text().count('\n'), 1);
    }
    service = std::make_unique<Service>(bus, u"screensaver"_s);
    QVERIFY(service->ready);
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::ScreenSaver);
    QCOMPARE(service->held(), 1);
    keeper.release();
    QTRY_COMPARE(service->held(), 0);

    // Back while the screen may blank: nothing is asked.
    keeper.keepAwake();
    QTRY_COMPARE(service->held(), 1);
    keeper.release();
    QTRY_COMPARE(service->held(), 0);
    service->crash();
    // The test sees the service come back on the keeper's own connection: by then the keeper has
    // seen it too, and anything it asked would reach the service before the test's question.
    QDBusServiceWatcher watcher(
        u"org.freedesktop.ScreenSaver"_s, bus.connection, QDBusServiceWatcher::WatchForRegistration);
    QSignalSpy back(&watcher, &QDBusServiceWatcher::serviceRegistered);
    auto again = std::make_unique<Service>(bus, u"screensaver"_s);
    QVERIFY(again->ready);
    QTRY_COMPARE(back.count(), 1);
    QCOMPARE(again->held(), 0);
}

// With no service on the bus the X server's blanking is turned off and put back; a service that
// comes meanwhile takes over and the X server's settings are restored.
void tst_ScreenKeeper::xServerWhereNoService()
{
    if (!need(u"Xvfb"_s) || !need(u"xset"_s))
        return;
    PrivateBus bus;
    XServer x;
    QVERIFY(!x.display.isEmpty());
    QCOMPARE(x.timeout(), 300);
    ScreenKeeper keeper(bus.connection);
    keeper.keepAwake();
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::XServer);
    QCOMPARE(x.timeout(), 0);
    keeper.release();
    QCOMPARE(x.timeout(), 300);

    keeper.keepAwake();
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::XServer);
    Service service(bus, u"screensaver"_s);
    QVERIFY(service.ready);
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::ScreenSaver);
    QCOMPARE(service.held(), 1);
    QCOMPARE(x.timeout(), 300);

    // The service gone, the X server takes over again.
    service.crash();
    QTRY_COMPARE(keeper.hold(), ScreenKeeper::Hold::XServer);
    QCOMPARE(x.timeout(), 0);
}

void tst_ScreenKeeper::nothingAnswers_data()
{
    QTest::addColumn<bool>("withBus");
    QTest::newRow("no session bus") << false;
    QTest::newRow("a session bus without the services") << true;
}

// Neither a service nor an X display: exactly one line on standard error, however often the
// screen is asked to stay awake.
void tst_ScreenKeeper::nothingAnswers()
{
    QFETCH(bool, withBus);
    std::optional<PrivateBus> bus;
    if (withBus)
        bus.emplace();
    const QDBusConnection connection
        = withBus ? bus->connection : QDBusConnection::connectToBus(u"unix:path=/nonexistent/bus"_s, u"nowhere"_s);
    StandardErrorCapture error;
    {
        ScreenKeeper keeper(connection);
        QSignalSpy changes(&keeper, &ScreenKeeper::holdChanged);
        QSignalSpy nothing(&keeper, &ScreenKeeper::nothingAnswered);
        keeper.keepAwake();
        QTRY_COMPARE(nothing.count(), 1);
        keeper.release();
        keeper.keepAwake();
        QTRY_COMPARE(nothing.count(), 2);
        keeper.release();
        QCOMPARE(keeper.hold(), ScreenKeeper::Hold::Nothing);
        QCOMPARE(changes.count(), 0);
    }
    const QByteArray text = error.text();
    QCOMPARE(text.count('\n'), 1);
    QVERIFY2(text.startsWith("Pontix: "), text.constData());
    if (!withBus)
        QDBusConnection::disconnectFromBus(u"nowhere"_s);
}

QTEST_GUILESS_MAIN(tst_ScreenKeeper)
#include "tst_ScreenKeeper.moc"
