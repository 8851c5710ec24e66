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

QStringList TakeHeaderNames(const QList<QAccessibleInterface *> &headers)
{
    QStringList names;
    for (QAccessibleInterface *header : headers) {
        names << header->text(QAccessible::Name);
        // Registered first where it is not, so that the cache deletes it either way.
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(header));
    }
    return names;
}
