// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/Accessibility.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>

#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

bool SwitchAccessibilityOn()
{
    QPlatformIntegration *integration = QGuiApplicationPrivate::platformIntegration();
    QPlatformAccessibility *accessibility = integration ? integration->accessibility() : nullptr;
    if (!accessibility)
        return false;
    accessibility->setActive(true);
    return QAccessible::isActive();
}
