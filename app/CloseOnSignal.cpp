// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CloseOnSignal.h"

#include <atomic>
#include <cerrno>
#include <cstdint>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr int StopSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The descriptor the handler wakes the event loop through, -1 while nothing listens. A handler
// learns of no object, so it is kept here; an always lock-free atomic may be read in a handler.
std::atomic<int> wakeDescriptor {-1};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void wakeEventLoop(int)
{
    const int saved = errno;
    const int fd = wakeDescriptor.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &one, sizeof one);
    }
    errno = saved;
}

} // namespace

CloseOnSignal::CloseOnSignal()
{
    m_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_fd < 0)
        return;
    wakeDescriptor.store(m_fd);

    struct sigaction action = {};
    action.sa_handler = wakeEventLoop;
    sigemptyset(&action.sa_mask);
    // Calls the handler interrupts go on, rather than failing with EINTR somewhere in a library.
    action.sa_flags = SA_RESTART;
    sigset_t stop;
    sigemptyset(&stop);
    for (const int signal : StopSignals) {
        // Also over a disposition to ignore it that the program was started with, as a shell
        // does for SIGINT of a command it runs in the background.
        ::sigaction(signal, &action, nullptr);
        sigaddset(&stop, signal);
    }
    // A program started with them blocked would never hear them, nor would its children.
    ::pthread_sigmask(SIG_UNBLOCK, &stop, nullptr);
}

// The handler stays, only stops waking anything: a signal arriving while the program winds down
// must not end it with another status than the one it is about to return. A handler, unlike an
// ignored signal, does not pass on to a program started later.
CloseOnSignal::~CloseOnSignal()
{
    int mine = m_fd;
    wakeDescriptor.compare_exchange_strong(mine, -1);
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
    // One read takes every signal counted so far: several close the window once.
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_fd, &count, sizeof count);
    closeWindow();
}

void CloseOnSignal::closeWindow()
{
    if (m_window && m_window->isVisible())
        m_window->close();
}
