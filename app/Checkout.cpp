// The checkout routes, worked out at compile time for every score that has one.
#include "app/Checkout.h"

#include <array>
#include <cstddef>

#include <QStringList>

namespace {

constexpr int highestCheckout = 170;
constexpr int highestDart = 60;

// Every dart a player can throw, in no particular order.
constexpr std::array<Dart, 62> allDarts()
{
    std::array<Dart, 62> darts {};
    std::size_t next = 0;
    for (int number = 1; number <= 20; ++number) {
        darts[next++] = {Dart::Ring::Single, number};
        darts[next++] = {Dart::Ring::Double, number};
        darts[next++] = {Dart::Ring::Treble, number};
    }
    darts[next++] = {Dart::Ring::Single, 25};
    darts[next++] = {Dart::Ring::Double, 25};
    return darts;
}

// The darts worth each score from 0 to 60: at most three (12 is 12, D6 and T4).
struct DartsWorth
{
    std::array<Dart, 3> darts {};
    int count = 0;
};

constexpr std::array<DartsWorth, highestDart + 1> dartsByScore()
{
    std::array<DartsWorth, highestDart + 1> byScore {};
    for (const Dart &dart : allDarts()) {
        DartsWorth &worth = byScore[std::size_t(dart.score())];
        worth.darts[std::size_t(worth.count++)] = dart;
    }
    return byScore;
}

constexpr int finishRank(const Dart &dart)
{
    constexpr std::array<int, 10> evenOrder {20, 16, 8, 18, 14, 12, 10, 6, 4, 2};
    if (dart.number == 25)
        return 20;
    for (std::size_t i = 0; i < evenOrder.size(); ++i) {
        if (evenOrder[i] == dart.number)
            return int(i);
    }
    return 10 + (19 - dart.number) / 2;
}

constexpr int ringRank(Dart::Ring ring)
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

constexpr RouteKey keyOf(const CheckoutRoute &route)
{
    RouteKey key {};
    key[0] = route.count;
    const int setups = route.count - 1;
    for (int i = 0; i < setups; ++i) {
        const Dart &dart = route.darts[std::size_t(i)];
        if (dart.finishes())
            ++key[1];
        key[std::size_t(3 + 2 * i)] = -dart.score();
        key[std::size_t(4 + 2 * i)] = ringRank(dart.ring);
    }
    key[2] = finishRank(route.darts[std::size_t(setups)]);
    return key;
}

// The best route to a score among those of the given number of darts, empty when there is none.
// Only the last set-up dart is looked up by the score it must make, so a score costs some
// thousand candidates instead of every combination of three darts.
constexpr CheckoutRoute bestRoute(int score, int count)
{
    constexpr std::array<Dart, 62> darts = allDarts();
    constexpr std::array<DartsWorth, highestDart + 1> byScore = dartsByScore();
    CheckoutRoute best;
    RouteKey bestKey {};
    const auto offer = [&best, &bestKey](const CheckoutRoute &route) {
        const RouteKey key = keyOf(route);
        if (best.isEmpty() || key < bestKey) {
            best = route;
            bestKey = key;
        }
    };
    const auto worth = [&byScore](int needed) {
        return needed >= 0 && needed <= highestDart ? byScore[std::size_t(needed)] : DartsWorth {};
    };
    for (const Dart &finish : darts) {
        if (!finish.finishes())
            continue;
        const int needed = score - finish.score();
        if (count == 1) {
            if (needed == 0)
                offer({{finish}, 1});
            continue;
        }
        if (count == 2) {
            const DartsWorth setup = worth(needed);
            for (int i = 0; i < setup.count; ++i)
                offer({{setup.darts[std::size_t(i)], finish}, 2});
            continue;
        }
        for (const Dart &first : darts) {
            const DartsWorth second = worth(needed - first.score());
            for (int i = 0; i < second.count; ++i)
                offer({{first, second.darts[std::size_t(i)], finish}, 3});
        }
    }
    return best;
}

using RouteTable = std::array<CheckoutRoute, highestCheckout + 1>;

constexpr RouteTable buildRoutes()
{
    RouteTable table {};
    for (int score = 2; score <= highestCheckout; ++score) {
        for (int count = 1; count <= 3 && table[std::size_t(score)].isEmpty(); ++count)
            table[std::size_t(score)] = bestRoute(score, count);
    }
    return table;
}

// Worked out by the compiler: the program starts with every route in place.
constexpr RouteTable routes = buildRoutes();

static_assert(routes[170].total() == 170 && routes[170].count == 3, "170 is the highest checkout");
static_assert(routes[169].isEmpty() && routes[1].isEmpty(), "169 and 1 have no checkout");

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
    return routes[remaining];
}

bool hasCheckedOut(qint32 remaining, bool exactCheckout)
{
    return remaining == 0 || (remaining < 0 && !exactCheckout);
}
