// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeping the screen awake through the desktop's services on the session bus, or the X server.
#include "desktop/ScreenKeeper.h"

#include <cstdio>
#include <utility>

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace {

const QString ScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalInhibit = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString PortalRequest = QStringLiteral("org.freedesktop.portal.Request");
// The portal's flag for the session going idle: blanking and locking.
constexpr uint PortalIdle = 8;

// A service that does not answer within this is taken for none: the display should not wait long
// for the next way.
constexpr int AskTimeout = 5000;
// Letting go as Pontix ends waits for the service this long at most.
constexpr int FinalTimeout = 1000;

const QString Application = QStringLiteral("Pontix");
// Why the screen stays awake, as the desktop lists it: in the window's language.
QString reason()
{
    return ScreenKeeper::tr("A kijelző nyitva van");
}

} // namespace

ScreenKeeper::ScreenKeeper(QObject *parent)
    : ScreenKeeper(QDBusConnection::sessionBus(), parent)
{ }

ScreenKeeper::ScreenKeeper(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
    // The desktop may be gone once the event loop has ended; let go while it is still there.
    if (QCoreApplication *application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, this, &ScreenKeeper::finish);
    }
}

ScreenKeeper::~ScreenKeeper()
{
    finish();
}

void ScreenKeeper::finish()
{
    m_wanted = false;
    if (QDBusPendingCallWatcher *call = std::exchange(m_asking, nullptr)) {
        // An answer still to come would keep the screen awake after Pontix: it is waited for and
        // let go here.
        call->disconnect(this);
        call->waitForFinished();
        const QDBusMessage reply = call->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            sendRelease(m_askingWay, reply.arguments().constFirst(), FinalTimeout);
        delete call;
    }
    letGo(FinalTimeout);
}

void ScreenKeeper::keepAwake()
{
    if (m_wanted)
        return;
    m_wanted = true;
    if (m_bus.isConnected() && !m_watching) {
        m_watching = true;
        auto *watcher = new QDBusServiceWatcher(this);
        watcher->setConnection(m_bus);
        watcher->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
        watcher->setWatchedServices({ScreenSaverService, PortalService});
        connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](
                const QString &service, const QString &, const QString &newOwner) { ownerChanged(service, newOwner); });
    }
    start();
}

void ScreenKeeper::release()
{
    m_wanted = false;
    letGo(-1);
}

void ScreenKeeper::start()
{
    if (m_bus.isConnected())
        ask(Way::ScreenSaver, true);
    else
        holdX();
}

void ScreenKeeper::ask(Way way, bool xAfter)
{
    const int attempt = ++m_attempt;
    QDBusMessage message;
    if (way == Way::ScreenSaver) {
        message = QDBusMessage::createMethodCall(
            ScreenSaverService, ScreenSaverPath, ScreenSaverService, QStringLiteral("Inhibit"));
        message << Application << reason();
    } else {
        message = QDBusMessage::createMethodCall(PortalService, PortalPath, PortalInhibit, QStringLiteral("Inhibit"));
        message << QString() << PortalIdle << QVariantMap {{QStringLiteral("reason"), reason()}};
    }
    auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(message, AskTimeout), this);
    m_asking = call;
    m_askingWay = way;
    connect(call, &QDBusPendingCallWatcher::finished, this,
        [this, way, attempt, xAfter](QDBusPendingCallWatcher *finished) { answered(finished, way, attempt, xAfter); });
}

void ScreenKeeper::answered(QDBusPendingCallWatcher *call, Way way, int attempt, bool xAfter)
{
    call->deleteLater();
    if (call == m_asking)
        m_asking = nullptr;
    const QDBusMessage reply = call->reply();
    const bool held = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
    if (attempt != m_attempt || !m_wanted) {
        // Asked for in vain: the screen is no longer to stay awake, or another attempt took over.
        if (held)
            sendRelease(way, reply.arguments().constFirst(), -1);
        return;
    }
    if (!held) {
        if (way == Way::ScreenSaver)
            ask(Way::Portal, xAfter);
        else if (xAfter)
            holdX();
        return;
    }
    if (m_hold == Hold::XServer) {
        RestoreXBlanking(*m_xBefore);
        m_xBefore.reset();
    }
    if (way == Way::ScreenSaver)
        m_cookie = reply.arguments().constFirst().toUInt();
    else
        m_request = reply.arguments().constFirst().value<QDBusObjectPath>();
    setHold(way == Way::ScreenSaver ? Hold::ScreenSaver : Hold::Portal);
}

void ScreenKeeper::ownerChanged(const QString &service, const QString &newOwner)
{
    const Hold held = service == ScreenSaverService ? Hold::ScreenSaver : Hold::Portal;
    if (newOwner.isEmpty()) {
        // The service ended: what it held went with it.
        if (m_hold != held)
            return;
        setHold(Hold::Nothing);
        if (m_wanted)
            start();
        return;
    }
    if (m_wanted && !m_asking && (m_hold == Hold::Nothing || m_hold == Hold::XServer))
        ask(held == Hold::ScreenSaver ? Way::ScreenSaver : Way::Portal, false);
}

void ScreenKeeper::holdX()
{
    m_xBefore = SwitchXBlankingOff();
    if (m_xBefore) {
        setHold(Hold::XServer);
        return;
    }
    setHold(Hold::Nothing);
    reportNothing();
    emit nothingAnswered();
}

void ScreenKeeper::letGo(int timeout)
{
    // Answers still to come are let go as they arrive.
    ++m_attempt;
    switch (m_hold) {
    case Hold::Nothing:
        return;
    case Hold::ScreenSaver:
        sendRelease(Way::ScreenSaver, m_cookie, timeout);
        break;
    case Hold::Portal:
        sendRelease(Way::Portal, QVariant::fromValue(m_request), timeout);
        break;
    case Hold::XServer:
        RestoreXBlanking(*m_xBefore);
        m_xBefore.reset();
        break;
    }
    setHold(Hold::Nothing);
}

void ScreenKeeper::sendRelease(Way way, const QVariant &what, int timeout)
{
    QDBusMessage message;
    if (way == Way::ScreenSaver) {
        message = QDBusMessage::createMethodCall(
            ScreenSaverService, ScreenSaverPath, ScreenSaverService, QStringLiteral("UnInhibit"));
        message << what.toUInt();
    } else {
        message = QDBusMessage::createMethodCall(
            PortalService, what.value<QDBusObjectPath>().path(), PortalRequest, QStringLiteral("Close"));
    }
    // In the event loop the answer is not waited for; as Pontix ends, the call must have gone out.
    if (timeout < 0)
        m_bus.call(message, QDBus::NoBlock);
    else
        m_bus.call(message, QDBus::Block, timeout);
}

void ScreenKeeper::setHold(Hold hold)
{
    if (hold != Hold::Nothing)
        m_reported = false;
    if (hold == m_hold)
        return;
    m_hold = hold;
    emit holdChanged(hold);
}

void ScreenKeeper::reportNothing()
{
    if (m_reported)
        return;
    m_reported = true;
    std::fprintf(stderr,
        "Pontix: the screen may go dark: no screen saver service on the session bus nor an X display "
        "answers\n");
}
