// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include <QObject>
#include <QSize>

class QWidget;

namespace bench {

using Clock = std::chrono::steady_clock;

// Runs on the offscreen platform with one 1920 x 1080 screen unless the environment names a
// platform already. Call before the application object exists.
void useOffscreenScreen();

// What the event loop does before the operator sees the result of an input: every posted event,
// among them the update request that paints the marked widgets and flushes the window.
void settle();

// Processes events, timers included, for the given time.
void spin(std::chrono::milliseconds duration);

// Resident memory of this process in bytes.
std::size_t residentBytes();

// Counts the paint events its watched widgets receive.
class PaintCounter final : public QObject
{
public:
    void watch(QWidget *widget);
    long long count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    long long m_count = 0;
};

// Latencies of single iterations, for their median and upper percentiles.
class Samples
{
public:
    void add(Clock::duration duration);
    std::size_t size() const { return m_us.size(); }
    // The q-quantile in microseconds (0.5 the median), 0 without samples.
    double quantileUs(double q) const;

private:
    std::vector<double> m_us;
};

// Ends the process as soon as the first frame of a window is painted and flushed, printing the
// time since start, the window's size in that frame and the resident memory on one line: the
// programs compared must show windows of one size. Teardown is left out of the timing.
class ExitAtFirstPaint final : public QObject
{
public:
    ExitAtFirstPaint(QWidget *window, Clock::time_point start);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    QWidget *const m_window;
    const Clock::time_point m_start;
    bool m_seen = false;
    QSize m_size;
};

} // namespace bench
