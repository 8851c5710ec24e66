// The checkout routes, worked out at compile time for every score that has one.
#include "match/Checkout.h"

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

constexpr std::array<Dart, 62> darts = allDarts();

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

// The set-up darts before the finishing one, compared by the rules in the header: fewer aimed at
// a double or the bull, then in throw order the higher score, for the same score the wider target.
// Smaller keys are better, compared element by element.
using SetUpKey = std::array<int, 5>;

struct SetUp
{
    std::array<Dart, 2> darts {};
    int count = 0;
    bool possible = false;
    SetUpKey key {};
};

constexpr SetUp setUpOf(std::array<Dart, 2> darts, int count)
{
    SetUp setUp {darts, count, true, {}};
    for (int i = 0; i < count; ++i) {
        const Dart &dart = darts[std::size_t(i)];
        if (dart.finishes())
            ++setUp.key[0];
        setUp.key[std::size_t(1 + 2 * i)] = -dart.score();
        setUp.key[std::size_t(2 + 2 * i)] = ringRank(dart.ring);
    }
    return setUp;
}

// The best set-up of one and of two darts for every sum they make. Whatever the finishing dart,
// the best route through it ends the best set-up for the score the finish leaves, so routes are
// searched over the finishing darts alone.
struct SetUps
{
    std::array<SetUp, 2 * highestDart + 1> ofDarts[3] {};
};

constexpr void offer(SetUp &best, const SetUp &candidate)
{
    if (!best.possible || candidate.key < best.key)
        best = candidate;
}

constexpr SetUps bestSetUps()
{
    SetUps setUps;
    setUps.ofDarts[0][0] = setUpOf({}, 0);
    for (const Dart &first : darts) {
        offer(setUps.ofDarts[1][std::size_t(first.score())], setUpOf({first}, 1));
        for (const Dart &second : darts)
            offer(setUps.ofDarts[2][std::size_t(first.score() + second.score())], setUpOf({first, second}, 2));
    }
    return setUps;
}

constexpr SetUps setUps = bestSetUps();

// The fewest darts first, then the set-up's narrow targets, the finishing double, the set-up's
// order: smaller is better, compared element by element.
using RouteKey = std::array<int, 7>;

constexpr RouteKey routeKey(int count, const SetUp &setUp, const Dart &finish)
{
    return {count, setUp.key[0], finishRank(finish), setUp.key[1], setUp.key[2], setUp.key[3], setUp.key[4]};
}

using RouteTable = std::array<CheckoutRoute, highestCheckout + 1>;

constexpr RouteTable buildRoutes()
{
    RouteTable table {};
    for (int score = 2; score <= highestCheckout; ++score) {
        for (int count = 1; count <= 3 && table[std::size_t(score)].isEmpty(); ++count) {
            RouteKey bestKey {};
            for (const Dart &finish : darts) {
                const int left = score - finish.score();
                if (!finish.finishes() || left < 0 || left > 2 * highestDart)
                    continue;
                const SetUp &setUp = setUps.ofDarts[count - 1][std::size_t(left)];
                if (!setUp.possible)
                    continue;
                const RouteKey key = routeKey(count, setUp, finish);
                CheckoutRoute &best = table[std::size_t(score)];
                if (best.isEmpty() || key < bestKey) {
                    best = {{setUp.darts[0], setUp.darts[1]}, count};
                    best.darts[std::size_t(count - 1)] = finish;
                    bestKey = key;
                }
            }
        }
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
