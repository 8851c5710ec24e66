// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <unistd.h>

namespace bench {

void useOffscreenScreen()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen:configfile=" PONTIX_BENCH_SCREEN_CONFIG));
}

void settle()
{
    // Painting may post more work (layout requests of moved labels); the second round takes it.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

void spin(std::chrono::milliseconds duration)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < duration.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents();
    }
}

std::size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0;
    std::size_t resident = 0;
    statm >> size >> resident;
    return resident * std::size_t(sysconf(_SC_PAGESIZE));
}

void PaintCounter::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        ++m_count;
    return QObject::eventFilter(watched, event);
}

void Samples::add(Clock::duration duration)
{
    m_us.push_back(std::chrono::duration<double, std::micro>(duration).count());
}

double Samples::quantileUs(double q) const
{
    if (m_us.empty())
        return 0;
    std::vector<double> sorted = m_us;
    std::sort(sorted.begin(), sorted.end());
    const double at = q * double(sorted.size() - 1);
    const std::size_t below = std::size_t(std::floor(at));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (at - double(below));
}

ExitAtFirstPaint::ExitAtFirstPaint(QWidget *window, Clock::time_point start)
    : m_window(window)
    , m_start(start)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool ExitAtFirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == m_window) {
        m_seen = true;
        m_size = m_window->size();
        // Queued behind the update request that is painting now, so the whole frame is painted
        // and flushed before the process ends.
        QMetaObject::invokeMethod(
            this, [this] { report(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void ExitAtFirstPaint::report()
{
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - m_start).count();
    std::printf("first paint %.2f ms after main, window %d x %d, resident %zu KiB\n", ms, m_size.width(),
        m_size.height(), residentBytes() / 1024);
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace bench
