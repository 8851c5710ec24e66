// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

// Ends the program the normal way when it is asked to stop: SIGTERM, SIGHUP and SIGINT, and the
// end of the desktop session, close the watched window as its close box would, so its close
// handler runs (the settings are saved) and the program ends with status 0.
//
// The signals are caught by a handler that only wakes the event loop through a descriptor; the
// window is closed from the event loop, never at an arbitrary point of the program. Nothing is
// blocked: every process the program starts (a session bus, a speech server) gets the signals
// as usual and ends on them. One at a time; construct it before the application object, so that
// a signal during start-up closes the window once the event loop runs.
class CloseOnSignal final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CloseOnSignal)

public:
    CloseOnSignal();
    ~CloseOnSignal() override;

    // The window to close. The application object must exist.
    void watch(QWidget *window);

private:
    void signalArrived();
    void closeWindow();

    int m_fd = -1;
    QPointer<QWidget> m_window;
    QPointer<QSocketNotifier> m_notifier;
};
