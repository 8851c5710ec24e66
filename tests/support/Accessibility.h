// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Switches the toolkit's accessibility on inside a test, as a screen reader does on a desktop.
#pragma once

#include <QList>
#include <QStringList>

class QAccessibleInterface;

// Events reach an installed update handler only while accessibility is on; the offscreen
// platform never turns it on by itself. False when the platform has no accessibility at all.
bool SwitchAccessibilityOn();

// The names of the header cells a table cell hands out, which the toolkit makes anew for each
// caller: the interfaces are released once read, as a screen reader's bridge releases them.
QStringList TakeHeaderNames(const QList<QAccessibleInterface *> &headers);
