#pragma once

#include <array>

#include <QString>

// The checkout route for a remaining score: the darts that finish it on a double or the bull.

// One dart: a segment's number (1 to 20, 25 for the bull's rings) and the ring it lands in.
// The outer bull is a single 25, the bull a double 25; there is no treble 25.
struct Dart
{
    enum class Ring { Single, Double, Treble };

    Ring ring = Ring::Single;
    int number = 0;

    constexpr int score() const
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
    constexpr bool finishes() const { return ring == Ring::Double; }
    // "T20", "D16", "7", "25" or "Bull": singles are written as their number alone.
    QString text() const;

    friend bool operator==(const Dart &, const Dart &) = default;
};

// At most three darts, the last one a double or the bull; no darts means there is no route.
struct CheckoutRoute
{
    std::array<Dart, 3> darts {};
    int count = 0;

    constexpr bool isEmpty() const { return count == 0; }
    constexpr int total() const
    {
        int sum = 0;
        for (int i = 0; i < count; ++i)
            sum += darts[i].score();
        return sum;
    }
    // The darts' texts separated by single spaces, e.g. "T20 T20 Bull"; empty when no route.
    QString text() const;
};

// The route players use to check out the remaining score, empty when none exists (1 or less,
// above 170, and 169, 168, 166, 165, 163, 162, 159). Whether exact checkout is in force is the
// caller's matter. Among the routes, the first by:
// 1. fewest darts;
// 2. fewest set-up darts aimed at a double or the bull (the narrow targets are kept for the finish);
// 3. the finishing double: D20, D16, D8, then the other even doubles from D18 down to D2 (they
//    leave a double when a single of the segment is hit instead), then the odd doubles from D19
//    down to D1, the bull last;
// 4. the set-up darts in throw order, each the higher score first (treble 20 first), and for the
//    same score the wider target: single, then treble, then double.
// So 170 is T20 T20 Bull, 100 T20 D20, 50 Bull, 40 D20, 3 is 1 D1.
CheckoutRoute checkoutRoute(int remaining);

// A player has checked out when the remaining score reached 0, or went below it while exact
// checkout is not in force (with it in force a score below 0 is an unfinished leg gone wrong).
bool hasCheckedOut(qint32 remaining, bool exactCheckout);
