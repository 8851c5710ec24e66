// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The checkout routes, as the model of where darts land gave them when Pontix was built.
#include "match/Checkout.h"

#include <cstddef>

#include <QStringList>

#include "match/CheckoutTable.h"

namespace {

constexpr int highestCheckout = 170;

static_assert(modelRoutes.size() == highestCheckout + 1, "a route for every score up to 170");
static_assert(modelRoutes[170].total() == 170 && modelRoutes[170].count == 3, "170 is the highest checkout");
static_assert(modelRoutes[169].isEmpty() && modelRoutes[1].isEmpty(), "169 and 1 have no checkout");

} // namespace

QString Dart::text() const
{
    switch (ring) {
    case Ring::Single:
        return QString::number(number);
    case Ring::Double:
        return number == 25 ? QStringLiteral("Bull") : QStringLiteral("D%1").arg(number);
    case Ring::Treble:
        break;
    }
    return QStringLiteral("T%1").arg(number);
}

QString CheckoutRoute::text() const
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << darts[i].text();
    return parts.join(u' ');
}

CheckoutRoute checkoutRoute(int remaining)
{
    if (remaining < 0 || remaining > highestCheckout)
        return {};
    return modelRoutes[std::size_t(remaining)];
}

bool hasCheckedOut(qint32 remaining, bool exactCheckout)
{
    return remaining == 0 || (remaining < 0 && !exactCheckout);
}
