#include "app/CloseOnSignal.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGINT);
    return set;
}

} // namespace

CloseOnSignal::CloseOnSignal()
{
    const sigset_t set = stopSignals();
    if (::pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0)
        m_fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0)
        ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

// The signals stay blocked: one arriving while the program winds down must not end it with
// another status than the one it is about to return.
CloseOnSignal::~CloseOnSignal()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

void CloseOnSignal::watch(QWidget *window)
{
    m_window = window;
    if (m_fd >= 0 && !m_notifier) {
        // Owned by the application, whose event loop it belongs to; gone with it at the latest.
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, QCoreApplication::instance());
        connect(m_notifier, &QSocketNotifier::activated, this, &CloseOnSignal::signalArrived);
    }
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, &CloseOnSignal::closeWindow, Qt::UniqueConnection);
    }
}

void CloseOnSignal::signalArrived()
{
    signalfd_siginfo info;
    while (::read(m_fd, &info, sizeof info) == ssize_t(sizeof info)) { }
    closeWindow();
}

void CloseOnSignal::closeWindow()
{
    if (m_window && m_window->isVisible())
        m_window->close();
}
