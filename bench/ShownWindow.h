// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>

#include "app/Main.h"
#include "app/logo.h"
#include "bench/BenchSupport.h"

namespace bench {

// Shows the main window, active, and returns once its splash has gone (it fades out within about a
// second and a half) and everything has settled: the benchmarks time the window as the operator
// meets it.
inline void showPastSplash(Tfrm_Main &window)
{
    window.show();
    window.activateWindow();
    spin(std::chrono::milliseconds(300));
    while (frm_Logo)
        spin(std::chrono::milliseconds(100));
    settle();
}

} // namespace bench
