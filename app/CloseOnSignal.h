#pragma once

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

// Ends the program the normal way when it is asked to stop: SIGTERM, SIGHUP and SIGINT, and the
// end of the desktop session, close the watched window as its close box would, so its close
// handler runs (the settings are saved) and the program ends with status 0.
//
// The signals are blocked and read from a descriptor in the event loop rather than caught by a
// handler: no handler runs at an arbitrary point of the program. Construct it before the
// application object, so that every thread the toolkit starts inherits the blocking; a thread
// that did not would end the program at once on such a signal.
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
