// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// A desktop service for the screen keeper's tests, on the bus DBUS_SESSION_BUS_ADDRESS names:
// "screensaver" owns org.freedesktop.ScreenSaver, "portal" the portal's org.freedesktop.portal.Desktop
// with its Inhibit interface, "login1" as much of the session manager (org.freedesktop.login1) as
// a real screen saver service needs to start: a sleep inhibition's file descriptor. Each keeps the inhibitions it was
// asked for, drops those of a client that leaves the bus as desktops do, and tells how many it holds (Held) and the
// portal the flags it was last asked with (LastFlags). Prints "ready" once its name is owned.
#include <cstdio>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QHash>
#include <QVariantMap>

// The inhibitions held, each with the client that asked for it.
class Inhibitions : public QObject
{
    Q_OBJECT

public:
    explicit Inhibitions(QObject *parent = nullptr)
        : QObject(parent)
    {
        m_clients.setConnection(QDBusConnection::sessionBus());
        m_clients.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(&m_clients, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString &client) {
            for (auto it = m_held.begin(); it != m_held.end();)
                it = it.value() == client ? m_held.erase(it) : std::next(it);
            m_clients.removeWatchedService(client);
        });
    }

    uint add(const QString &client)
    {
        m_held.insert(++m_last, client);
        m_clients.addWatchedService(client);
        return m_last;
    }
    void remove(uint id) { m_held.remove(id); }
    uint count() const { return uint(m_held.size()); }

private:
    QDBusServiceWatcher m_clients;
    QHash<uint, QString> m_held;
    uint m_last = 0;
};

class ScreenSaver : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    using QObject::QObject;

public slots:
    uint Inhibit(const QString &, const QString &) { return m_held.add(message().service()); }
    void UnInhibit(uint cookie) { m_held.remove(cookie); }
    uint Held() const { return m_held.count(); }

private:
    Inhibitions m_held;
};

// The portal's answer to an inhibition: closing it ends the inhibition.
class Request : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public:
    Request(Inhibitions &held, uint id, QObject *parent)
        : QObject(parent)
        , m_held(held)
        , m_id(id)
    { }

public slots:
    void Close()
    {
        m_held.remove(m_id);
        deleteLater();
    }

private:
    Inhibitions &m_held;
    const uint m_id;
};

class Portal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")

public:
    using QObject::QObject;

public slots:
    QDBusObjectPath Inhibit(const QString &, uint flags, const QVariantMap &)
    {
        m_lastFlags = flags;
        const uint id = m_held.add(message().service());
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1").arg(id);
        QDBusConnection::sessionBus().registerObject(
            path, new Request(m_held, id, this), QDBusConnection::ExportAllSlots);
        return QDBusObjectPath(path);
    }
    uint Held() const { return m_held.count(); }
    uint LastFlags() const { return m_lastFlags; }

private:
    Inhibitions m_held;
    uint m_lastFlags = 0;
};

class Login1 : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    using QObject::QObject;

public slots:
    // The lock is a descriptor the caller holds as long as it inhibits; nothing here sleeps.
    QDBusUnixFileDescriptor Inhibit(const QString &, const QString &, const QString &, const QString &)
    {
        QFile null(QStringLiteral("/dev/null"));
        if (!null.open(QIODevice::ReadOnly))
            return {};
        return QDBusUnixFileDescriptor(null.handle());
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QString kind = application.arguments().value(1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    QObject *service = nullptr;
    QString path, name;
    if (kind == QStringLiteral("portal")) {
        service = new Portal(&application);
        path = QStringLiteral("/org/freedesktop/portal/desktop");
        name = QStringLiteral("org.freedesktop.portal.Desktop");
    } else if (kind == QStringLiteral("login1")) {
        service = new Login1(&application);
        path = QStringLiteral("/org/freedesktop/login1");
        name = QStringLiteral("org.freedesktop.login1");
    } else {
        service = new ScreenSaver(&application);
        path = QStringLiteral("/org/freedesktop/ScreenSaver");
        name = QStringLiteral("org.freedesktop.ScreenSaver");
    }
    if (!bus.registerObject(path, service, QDBusConnection::ExportAllSlots) || !bus.registerService(name)) {
        std::fprintf(stderr, "screensaver_service: cannot own %s\n", qPrintable(name));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "screensaver_service.moc"
