// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Switches the toolkit's accessibility on inside a test, as a screen reader does on a desktop.
#pragma once

// Events reach an installed update handler only while accessibility is on; the offscreen
// platform never turns it on by itself. False when the platform has no accessibility at all.
bool SwitchAccessibilityOn();
