// The checkout routes, worked out once for every score that has one.
#include "app/Checkout.h"

#include <algorithm>
#include <vector>

#include <QStringList>

namespace {

constexpr int highestCheckout = 170;

// Every dart a player can throw, in no particular order.
std::vector<Dart> allDarts()
{
    std::vector<Dart> darts;
    for (int number = 1; number <= 20; ++number) {
        darts.push_back({Dart::Ring::Single, number});
        darts.push_back({Dart::Ring::Double, number});
        darts.push_back({Dart::Ring::Treble, number});
    }
    darts.push_back({Dart::Ring::Single, 25});
    darts.push_back({Dart::Ring::Double, 25});
    return darts;
}

int finishRank(const Dart &dart)
{
    static constexpr std::array<int, 10> evenOrder {20, 16, 8, 18, 14, 12, 10, 6, 4, 2};
    if (dart.number == 25)
        return 20;
    const auto even = std::find(evenOrder.begin(), evenOrder.end(), dart.number);
    if (even != evenOrder.end())
        return int(even - evenOrder.begin());
    return 10 + (19 - dart.number) / 2;
}

int ringRank(Dart::Ring ring)
{
    switch (ring) {
    case Dart::Ring::Single:
        return 0;
    case Dart::Ring::Treble:
        return 1;
    case Dart::Ring::Double:
        break;
    }
    return 2;
}

// Smaller is better, compared element by element; the rules are in the header.
using RouteKey = std::array<int, 7>;

RouteKey keyOf(const CheckoutRoute &route)
{
    RouteKey key {};
    key[0] = route.count;
    const int setups = route.count - 1;
    for (int i = 0; i < setups; ++i) {
        if (route.darts[i].finishes())
            ++key[1];
        key[3 + 2 * i] = -route.darts[i].score();
        key[4 + 2 * i] = ringRank(route.darts[i].ring);
    }
    key[2] = finishRank(route.darts[setups]);
    return key;
}

using RouteTable = std::array<CheckoutRoute, highestCheckout + 1>;

void offer(RouteTable &table, const CheckoutRoute &route)
{
    CheckoutRoute &best = table[route.total()];
    if (best.isEmpty() || keyOf(route) < keyOf(best))
        best = route;
}

RouteTable buildRoutes()
{
    RouteTable table {};
    const std::vector<Dart> darts = allDarts();
    for (const Dart &finish : darts) {
        if (!finish.finishes())
            continue;
        offer(table, {{finish}, 1});
        for (const Dart &first : darts) {
            offer(table, {{first, finish}, 2});
            for (const Dart &second : darts)
                offer(table, {{first, second, finish}, 3});
        }
    }
    return table;
}

} // namespace

int Dart::score() const
{
    switch (ring) {
    case Ring::Single:
        return number;
    case Ring::Double:
        return 2 * number;
    case Ring::Treble:
        break;
    }
    return 3 * number;
}

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

int CheckoutRoute::total() const
{
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += darts[i].score();
    return sum;
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
    // About 80 000 candidate routes, compared once; every later call is a look-up.
    static const RouteTable routes = buildRoutes();
    if (remaining < 0 || remaining > highestCheckout)
        return {};
    return routes[remaining];
}

bool hasCheckedOut(qint32 remaining, bool exactCheckout)
{
    return remaining == 0 || (remaining < 0 && !exactCheckout);
}
