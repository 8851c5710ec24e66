// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>

#include "desktop/XBlanking.h"

class QDBusPendingCallWatcher;

// Keeps the screen from blanking or locking while asked to: the desktop's screen saver service
// (org.freedesktop.ScreenSaver) is asked first, then the desktop portal's inhibit (idle), and where
// neither answers the X server's own blanking is turned off and later restored. Let go on release,
// at destruction and when the application quits. A service that goes away voids what it held:
// the next way is tried, and a service that comes back while the screen is still to stay awake is
// asked again. When nothing answers, one line on standard error says so, once, until something
// holds again. Nothing is asked of the bus before the first keepAwake().
class ScreenKeeper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScreenKeeper)

public:
    // What keeps the screen awake now.
    enum class Hold { Nothing, ScreenSaver, Portal, XServer };
    Q_ENUM(Hold)

    // Asks the session bus's services.
    explicit ScreenKeeper(QObject *parent = nullptr);
    // Asks the services of the given bus.
    explicit ScreenKeeper(const QDBusConnection &bus, QObject *parent = nullptr);
    ~ScreenKeeper() override;

    void keepAwake();
    void release();

    bool isWanted() const { return m_wanted; }
    Hold hold() const { return m_hold; }

signals:
    void holdChanged(ScreenKeeper::Hold hold);
    // Every way was tried and none holds: the screen may blank.
    void nothingAnswered();

private:
    enum class Way { ScreenSaver, Portal };

    void start();
    // Asks the service on the bus; when it refuses, the portal follows the screen saver service,
    // then the X server if xAfter.
    void ask(Way way, bool xAfter);
    void answered(QDBusPendingCallWatcher *call, Way way, int attempt, bool xAfter);
    void ownerChanged(const QString &service, const QString &newOwner);
    void holdX();
    void letGo(int timeout);
    void setHold(Hold hold);
    void reportNothing();
    void sendRelease(Way way, const QVariant &what, int timeout);
    void finish();

    QDBusConnection m_bus;
    bool m_watching = false;
    bool m_wanted = false;
    Hold m_hold = Hold::Nothing;
    // Counts the attempts on the bus: an answer to any but the last is let go at once.
    int m_attempt = 0;
    // The attempt under way, with the way it asks.
    QDBusPendingCallWatcher *m_asking = nullptr;
    Way m_askingWay = Way::ScreenSaver;
    uint m_cookie = 0;
    QDBusObjectPath m_request;
    std::optional<XBlankingSettings> m_xBefore;
    bool m_reported = false;
};
